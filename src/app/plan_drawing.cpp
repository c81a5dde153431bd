#include "app/plan_drawing.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

namespace stowbel {

namespace {

constexpr int kMargin = 6;
constexpr int kMassLineHeight = 36;  // two lines: the line is long for a narrow pane
constexpr double kWheelStepFactor = 1.25;
constexpr double kWheelNotch = 120.0;
constexpr int kDragThreshold = 3;
constexpr double kCrossHalf = 11;
// Paper millimetres the top view keeps for the wall names either side and the metre scale above.
constexpr double kTopViewSideBands = 2 * 9;
constexpr double kTopViewScaleBand = 7;
// The light grey of the palette: the stacks that are not selected, in 3D.
constexpr int kPaleColour = CargoPalette::kSize - 2;

// The printed plan's furniture is measured in paper millimetres; on screen a smaller unit keeps
// the bands narrow and numbers the stacks of a container seen whole in a pane.
constexpr double kScreenMmShare = 0.65;

ContainerViewStyle ScreenStyle(const QWidget& widget) {
    ContainerViewStyle style;
    style.unitsPerMm = widget.logicalDpiX() / 25.4 * kScreenMmShare;
    return style;
}

}  // namespace

PlanDrawing::PlanDrawing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PlanDrawing"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::OpenHandCursor);
    setMinimumSize(160, 160);
    setStatusTip(
        QStringLiteral("Щелчок по месту — его строка в списке; колесо мыши — масштаб, "
                       "перетаскивание — сдвиг, двойной щелчок — весь контейнер"));
}

void PlanDrawing::SetContainer(ContainerLoad load, std::optional<ContainerWeight> weight,
                               const QString& massLine) {
    load_ = std::move(load);
    weight_ = std::move(weight);
    massLine_ = massLine;
    selected_ = -1;
    zoom_.Reset();
    update();
}

void PlanDrawing::Clear() {
    load_.reset();
    weight_.reset();
    massLine_.clear();
    selected_ = -1;
    zoom_.Reset();
    update();
}

void PlanDrawing::SetSelected(int stack) {
    selected_ = stack;
    update();
}

QRectF PlanDrawing::TopArea() const {
    const double top = kMargin + (massLine_.isEmpty() ? 0 : kMassLineHeight);
    const double width = this->width() - 2 * kMargin;
    // As high as the floor needs at the full width, at most half of what is left: the 3D view
    // takes the rest.
    double height = (this->height() - top) * 0.5 - kMargin;
    if (load_ && load_->container.Length > 0) {
        const double mm = ScreenStyle(*this).unitsPerMm;
        const double floorScale = (width - kTopViewSideBands * mm) / load_->container.Length;
        const double needed = load_->container.Width * floorScale + kTopViewScaleBand * mm + 2;
        height = std::max(std::min(height, needed), 40.0);
    }
    return QRectF(kMargin, top, width, height);
}

QRectF PlanDrawing::ThreeDArea() const {
    const QRectF top = TopArea();
    return QRectF(kMargin, top.bottom() + kMargin, width() - 2 * kMargin,
                  height() - top.bottom() - 2 * kMargin);
}

TopViewFit PlanDrawing::TopFit() const {
    return FitTopView(TopArea(), load_->container, ScreenStyle(*this));
}

QRectF PlanDrawing::StackOnDrawing(int stack) const {
    if (!load_ || stack < 0 || stack >= static_cast<int>(load_->stacks.size())) {
        return {};
    }
    const TopViewFit fit = TopFit();
    const QRectF mm = FloorRect(load_->stacks[static_cast<std::size_t>(stack)]);
    return QRectF(fit.At(mm.left(), mm.top()), fit.At(mm.right(), mm.bottom()));
}

QRectF PlanDrawing::StackOnScreen(int stack) const {
    const QRectF r = StackOnDrawing(stack);
    return QRectF(zoom_.ToPane(r.topLeft()), zoom_.ToPane(r.bottomRight()));
}

std::optional<QPointF> PlanDrawing::CentreOfGravityOnScreen() const {
    if (!load_ || !weight_ || !weight_->cogX || !weight_->cogY) {
        return std::nullopt;
    }
    return zoom_.ToPane(TopFit().At(*weight_->cogX, *weight_->cogY));
}

int PlanDrawing::StackAt(QPointF drawingPoint) const {
    if (!load_) {
        return -1;
    }
    // Lying rows above each other share their outline: the lowest (listed first) answers.
    for (int i = 0; i < static_cast<int>(load_->stacks.size()); ++i) {
        if (StackOnDrawing(i).contains(drawingPoint)) {
            return i;
        }
    }
    return -1;
}

void PlanDrawing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!load_) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("План появится после расчёта"));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(zoom_.Transform());
    if (!massLine_.isEmpty()) {
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(kMargin, kMargin, width() - 2 * kMargin, kMassLineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, massLine_);
    }
    const ContainerViewStyle style = ScreenStyle(*this);
    DrawContainerTopView(painter, TopArea(), *load_, style);
    const TopViewFit fit = TopFit();
    PaintCentreOfGravity(painter, fit);
    if (selected_ >= 0) {
        QPen pen(QColor(220, 0, 0));
        pen.setWidthF(3);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(StackOnDrawing(selected_).adjusted(-2, -2, 2, 2));
    }
    ContainerLoad shown3D = *load_;
    if (selected_ >= 0) {
        // The selected stack stands out in 3D too: the others are drawn pale.
        for (std::size_t i = 0; i < shown3D.stacks.size(); ++i) {
            if (static_cast<int>(i) != selected_) {
                shown3D.stacks[i].colourIndex = kPaleColour;
            }
        }
    }
    DrawContainer3DView(painter, ThreeDArea(), shown3D, style);
}

void PlanDrawing::PaintCentreOfGravity(QPainter& painter, const TopViewFit& fit) const {
    if (!weight_ || !weight_->cogX || !weight_->cogY) {
        return;
    }
    const QPointF at = fit.At(*weight_->cogX, *weight_->cogY);
    QPen pen(QColor(200, 0, 0));
    pen.setWidthF(2.5);
    painter.setPen(pen);
    painter.drawLine(at - QPointF(kCrossHalf, kCrossHalf), at + QPointF(kCrossHalf, kCrossHalf));
    painter.drawLine(at - QPointF(kCrossHalf, -kCrossHalf), at + QPointF(kCrossHalf, -kCrossHalf));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 3.5, 3.5);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QString label = QStringLiteral("ЦТ");
    const QFontMetrics metrics(font);
    const QRectF box(at + QPointF(kCrossHalf + 2, -kCrossHalf - metrics.height()),
                     QSizeF(metrics.horizontalAdvance(label) + 6, metrics.height()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(box);
    painter.setPen(QColor(200, 0, 0));
    painter.drawText(box, Qt::AlignCenter, label);
}

void PlanDrawing::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches == 0 || !load_) {
        event->ignore();
        return;
    }
    zoom_.ZoomAt(event->position(), std::pow(kWheelStepFactor, notches));
    event->accept();
    update();
}

void PlanDrawing::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    dragged_ = false;
    dragLast_ = event->position().toPoint();
    event->accept();
}

void PlanDrawing::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
        dragging_ = false;
        return;
    }
    const QPoint now = event->position().toPoint();
    if (!dragged_ && (now - dragLast_).manhattanLength() < kDragThreshold) {
        return;
    }
    if (!dragged_) {
        setCursor(Qt::ClosedHandCursor);
    }
    dragged_ = true;
    zoom_.PanBy(now - dragLast_);
    dragLast_ = now;
    update();
}

void PlanDrawing::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    if (!dragged_) {
        const int stack = StackAt(zoom_.ToPicture(event->position()));
        if (stack >= 0) {
            SetSelected(stack);
            emit StackClicked(stack);
        }
    }
}

void PlanDrawing::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    zoom_.Reset();
    update();
}

}  // namespace stowbel
