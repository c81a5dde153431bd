#include "app/panel_layout.h"

#include <QEvent>
#include <QFrame>
#include <QMouseEvent>
#include <algorithm>

namespace stowbel {

PanelBounds LayoutPanels(const LayoutInput& in) {
    const int s = kSplitterThickness;
    const int workHeight = std::max(in.clientHeight, kMinWorkSize);

    int leftWidth = std::max(in.leftWidth, kMinLeftWidth);
    leftWidth = std::min(leftWidth, in.clientWidth - kRightReserve);
    leftWidth = std::max(leftWidth, kMinLeftWidth);

    const int workWidth = std::max(in.clientWidth - leftWidth - s, kMinWorkSize);

    int resultHeight = std::max(in.resultHeight, kMinResultHeight);
    resultHeight = std::min(resultHeight, workHeight - kGraphReserve);
    resultHeight = std::max(resultHeight, kMinResultHeight);

    const int graphHeight = std::max(workHeight - resultHeight - s, kMinGraphHeight);

    // Half the graph area until the user sets the 3D pane's width with a drag.
    int width3D = in.graph3DWidthSet ? in.graph3DWidth : (workWidth - s) / 2;
    width3D = std::min(width3D, workWidth - s - kGraph2DReserve);
    width3D = std::max(width3D, kMinGraph3DWidth);

    PanelBounds b;
    b.leftPanel = {0, 0, leftWidth, workHeight};
    b.leftSplitter = {leftWidth, 0, s, workHeight};
    b.workPanel = {leftWidth + s, 0, workWidth, workHeight};
    b.resultPanel = {0, 0, workWidth, resultHeight};
    b.topSplitter = {0, resultHeight, workWidth, s};
    b.graphPanel = {0, resultHeight + s, workWidth, graphHeight};
    b.graph3DPanel = {0, 0, width3D, graphHeight};
    b.graphSplitter = {width3D, 0, s, graphHeight};
    b.graph2DPanel = {width3D + s, 0, workWidth - width3D - s, graphHeight};
    return b;
}

int DragLeftWidth(int startSize, int delta, int clientWidth) {
    return std::min(std::max(startSize + delta, kMinLeftWidth), clientWidth - kRightReserve);
}

int DragResultHeight(int startSize, int delta, int workHeight) {
    return std::min(std::max(startSize + delta, kMinResultHeight), workHeight - kGraphReserve);
}

int DragGraph3DWidth(int startSize, int delta, int graphWidth) {
    return std::min(std::max(startSize + delta, kMinGraphPaneWidth), graphWidth - kGraph2DReserve);
}

PaneLayout::PaneLayout(const Panes& panes, QWidget& window)
    : QObject(&window), panes_(panes), window_(window) {
    for (QFrame* splitter : {panes_.leftSplitter, panes_.topSplitter, panes_.graphSplitter}) {
        splitter->installEventFilter(this);
    }
}

void PaneLayout::Apply() {
    LayoutInput input;
    input.clientWidth = panes_.client->width();
    input.clientHeight = panes_.client->height();
    input.leftWidth = panes_.leftPanel->width();
    input.resultHeight = panes_.resultPanel->height();
    input.graph3DWidth = panes_.graph3DPanel->width();
    input.graph3DWidthSet = graph3DWidthSet_;
    const PanelBounds b = LayoutPanels(input);
    const auto place = [](QWidget* w, const PaneRect& r) {
        w->setGeometry(r.left, r.top, r.width, r.height);
    };
    place(panes_.leftPanel, b.leftPanel);
    place(panes_.leftSplitter, b.leftSplitter);
    place(panes_.workPanel, b.workPanel);
    place(panes_.resultPanel, b.resultPanel);
    place(panes_.topSplitter, b.topSplitter);
    place(panes_.graphPanel, b.graphPanel);
    place(panes_.graph3DPanel, b.graph3DPanel);
    place(panes_.graphSplitter, b.graphSplitter);
    place(panes_.graph2DPanel, b.graph2DPanel);
}

PaneLayout::Splitter PaneLayout::SplitterOf(const QObject* object) const {
    if (object == nullptr) {
        return Splitter::None;
    }
    if (object == panes_.leftSplitter) {
        return Splitter::Left;
    }
    if (object == panes_.topSplitter) {
        return Splitter::Top;
    }
    return object == panes_.graphSplitter ? Splitter::Graph : Splitter::None;
}

void PaneLayout::Drag(QPoint cursor) {
    const QPoint delta = cursor - dragStart_;
    if (dragged_ == Splitter::Left) {
        QFrame* pane = panes_.leftPanel;
        pane->resize(DragLeftWidth(dragStartSize_, delta.x(), panes_.client->width()),
                     pane->height());
    } else if (dragged_ == Splitter::Top) {
        QFrame* pane = panes_.resultPanel;
        pane->resize(pane->width(),
                     DragResultHeight(dragStartSize_, delta.y(), panes_.workPanel->height()));
    } else {
        graph3DWidthSet_ = true;
        QFrame* pane = panes_.graph3DPanel;
        pane->resize(DragGraph3DWidth(dragStartSize_, delta.x(), panes_.graphPanel->width()),
                     pane->height());
    }
    Apply();
    window_.update();
}

bool PaneLayout::eventFilter(QObject* watched, QEvent* event) {
    const Splitter splitter = SplitterOf(watched);
    if (splitter == Splitter::None) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                return true;
            }
            dragged_ = splitter;
            dragStart_ = mouse->globalPosition().toPoint();
            dragStartSize_ = splitter == Splitter::Left  ? panes_.leftPanel->width()
                             : splitter == Splitter::Top ? panes_.resultPanel->height()
                                                         : panes_.graph3DPanel->width();
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (dragged_ == Splitter::None) {
                return true;
            }
            if (!(mouse->buttons() & Qt::LeftButton)) {
                dragged_ = Splitter::None;
                return true;
            }
            Drag(mouse->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease:
            dragged_ = Splitter::None;
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace stowbel
