#include "plan/page_text.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace stowbel {

namespace {

int SizeKey(const QFont& font) {
    return static_cast<int>(std::lround(font.pointSizeF() * 100));
}

}  // namespace

PageText::PageText(QPainter& painter, QPaintDevice& device, QString family, double unitsPerMm)
    : painter_(painter), device_(device), family_(std::move(family)), unitsPerMm_(unitsPerMm) {}

QFont PageText::Font(double points, bool bold) const {
    QFont font(family_);
    font.setPointSizeF(points);
    font.setBold(bold);
    // Vector pages need no hinting, and without it text widths scale with the size.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QRectF PageText::Device(const QRectF& mm) const {
    return {mm.left() * unitsPerMm_, mm.top() * unitsPerMm_, mm.width() * unitsPerMm_,
            mm.height() * unitsPerMm_};
}

const QFontMetricsF& PageText::Metrics(const QFont& font) {
    const std::pair<int, bool> key{SizeKey(font), font.bold()};
    auto found = metrics_.find(key);
    if (found == metrics_.end()) {
        found = metrics_.emplace(key, QFontMetricsF(font, &device_)).first;
    }
    return found->second;
}

const PageText::SetLine& PageText::Set(const QString& text, const QFont& font) {
    const std::tuple<QString, int, bool> key{text, SizeKey(font), font.bold()};
    auto found = lines_.find(key);
    if (found == lines_.end()) {
        QTextLayout layout(text, font, &device_);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        SetLine set;
        set.runs = layout.glyphRuns();
        set.width = line.isValid() ? line.naturalTextWidth() : 0;
        set.ascent = Metrics(font).ascent();
        set.descent = Metrics(font).descent();
        found = lines_.emplace(key, std::move(set)).first;
    }
    return found->second;
}

void PageText::Line(const QRectF& mm, const QString& text, double points, bool bold,
                    Qt::Alignment align, const QColor& colour) {
    QFont font = Font(points, bold);
    const QRectF box = Device(mm);
    const SetLine* set = &Set(text, font);
    if (set->width > box.width()) {
        // Unhinted widths scale with the size; a quarter point less keeps clear of rounding.
        font.setPointSizeF(std::max(kSmallestPoints,
                                    std::floor(points * box.width() / set->width * 4) / 4 - 0.25));
        set = &Set(text, font);
    }
    double x = box.left();
    if (align & Qt::AlignRight) {
        x = box.right() - set->width;
    } else if (align & Qt::AlignHCenter) {
        x = box.center().x() - set->width / 2;
    }
    // The runs' glyphs sit on a baseline one ascent below the layout's top.
    const double top = box.center().y() - (set->ascent + set->descent) / 2;
    painter_.setPen(colour);
    for (const QGlyphRun& run : set->runs) {
        painter_.drawGlyphRun(QPointF(x, top), run);
    }
}

void PageText::Wrapped(const QRectF& mm, const QString& text, double points, const QColor& colour) {
    const QRectF box = Device(mm);
    QFont font = Font(points);
    while (font.pointSizeF() > kSmallestPoints &&
           Metrics(font).boundingRect(box, Qt::TextWordWrap, text).height() > box.height()) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(box, Qt::TextWordWrap | Qt::AlignVCenter, text);
}

void PageText::TwoLines(const QRectF& mm, const QString& text, double points) {
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const QRectF box = Device(mm);
    if (comma < 0 || Metrics(Font(kSmallestLinePoints)).horizontalAdvance(text) <= box.width()) {
        Line(mm, text, points, false, Qt::AlignLeft);
        return;
    }
    const QString lines = text.left(comma + 1) + QLatin1Char('\n') + text.mid(comma + 1).trimmed();
    QFont font = Font(std::min(points, kSmallestLinePoints));
    while (font.pointSizeF() > kSmallestPoints) {
        const QRectF needed = Metrics(font).boundingRect(box, 0, lines);
        if (needed.width() <= box.width() && needed.height() <= box.height()) {
            break;
        }
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, lines);
}

double PageText::Paragraph(const QRectF& mm, const QString& text, double points) {
    const QRectF box = Device(mm);
    painter_.setFont(Font(points));
    painter_.setPen(Qt::black);
    const QRectF used = painter_.boundingRect(box, Qt::TextWordWrap, text);
    painter_.drawText(box, Qt::TextWordWrap, text);
    return used.height() / unitsPerMm_;
}

double PageText::ParagraphHeight(const QString& text, double points, double widthMm) {
    const QRectF box(0, 0, widthMm * unitsPerMm_, 1000 * unitsPerMm_);
    return Metrics(Font(points)).boundingRect(box, Qt::TextWordWrap, text).height() / unitsPerMm_;
}

}  // namespace stowbel
