#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QRectF>
#include <QString>
#include <map>
#include <tuple>
#include <utility>

class QPainter;
class QPaintDevice;

namespace stowbel {

// Text on the pages of a plan: one face, sizes in points, areas in millimetres of paper. A line
// is set once for each face and size and kept: the lists repeat the same numbers and words
// hundreds of times, and setting type is the dear part of a page.
class PageText {
public:
    PageText(QPainter& painter, QPaintDevice& device, QString family, double unitsPerMm);

    QFont Font(double points, bool bold = false) const;

    // One line in an area, vertically centred, shrunk to the area's width when it is too long.
    void Line(const QRectF& mm, const QString& text, double points, bool bold, Qt::Alignment align,
              const QColor& colour = Qt::black);
    // Text broken onto as many lines as the area's width needs, and smaller when they do not fit
    // its height.
    void Wrapped(const QRectF& mm, const QString& text, double points, const QColor& colour);
    // Text that goes onto two lines, broken after its first comma, when one line would have to
    // shrink below a readable size.
    void TwoLines(const QRectF& mm, const QString& text, double points);
    // Text broken onto lines from the top of an area; returns the height in mm it took.
    double Paragraph(const QRectF& mm, const QString& text, double points);
    // The height in mm that Paragraph takes for the text at a width in mm.
    double ParagraphHeight(const QString& text, double points, double widthMm);

private:
    struct SetLine {
        QList<QGlyphRun> runs;
        double width = 0;
        double ascent = 0;
        double descent = 0;
    };

    const QFontMetricsF& Metrics(const QFont& font);
    const SetLine& Set(const QString& text, const QFont& font);
    QRectF Device(const QRectF& mm) const;

    static constexpr double kSmallestLinePoints = 8;
    static constexpr double kSmallestPoints = 5;

    QPainter& painter_;
    QPaintDevice& device_;
    QString family_;
    double unitsPerMm_;
    std::map<std::pair<int, bool>, QFontMetricsF> metrics_;
    std::map<std::tuple<QString, int, bool>, SetLine> lines_;
};

}  // namespace stowbel
