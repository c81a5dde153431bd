#include "app/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace stowbel {

namespace {

// Every icon is drawn on a 64-unit grid with the same outline and palette.
constexpr double kGrid = 64.0;
const QColor kOutline(0x2B, 0x3A, 0x4A);
constexpr double kOutlineWidth = 2.5;
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kBlue(0x3B, 0x73, 0xB9);
const QColor kLightBlue(0xD6, 0xE6, 0xF5);
const QColor kYellow(0xF4, 0xC5, 0x42);
const QColor kDarkYellow(0xD9, 0x9A, 0x1E);
const QColor kGreen(0x3C, 0xA0, 0x5A);
const QColor kRed(0xD6, 0x45, 0x3D);
const QColor kOrange(0xF0, 0x8A, 0x24);
const QColor kGrey(0xC9, 0xD1, 0xD9);
const QColor kSlate(0x4A, 0x62, 0x78);
const QColor kBrown(0xA8, 0x6E, 0x3C);

void Outlined(QPainter& p, const QColor& fill) {
    p.setPen(QPen(kOutline, kOutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
}

void DrawFolder(QPainter& p) {
    // back of the folder with its tab
    QPainterPath back;
    back.moveTo(6, 14);
    back.lineTo(24, 14);
    back.lineTo(29, 20);
    back.lineTo(54, 20);
    back.lineTo(54, 52);
    back.lineTo(6, 52);
    back.closeSubpath();
    Outlined(p, kDarkYellow);
    p.drawPath(back);
    // a sheet of paper inside
    Outlined(p, kPaper);
    p.drawRect(QRectF(14, 12, 30, 26));
    // the front flap, opened towards the viewer
    QPolygonF front;
    front << QPointF(6, 52) << QPointF(14, 28) << QPointF(60, 28) << QPointF(54, 52);
    Outlined(p, kYellow);
    p.drawPolygon(front);
}

void DrawCalculator(QPainter& p) {
    Outlined(p, kSlate);
    p.drawRoundedRect(QRectF(13, 5, 38, 54), 5, 5);
    Outlined(p, QColor(0xCF, 0xE8, 0xC0));
    p.drawRect(QRectF(18, 10, 28, 12));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool equals = row == 2 && col == 2;
            p.setBrush(equals ? kOrange : kGrey);
            p.drawRoundedRect(QRectF(18 + col * 10, 27 + row * 10, 8, 8), 1.5, 1.5);
        }
    }
    // digits on the display
    p.setPen(QPen(kOutline, 2));
    p.drawLine(QPointF(36, 13), QPointF(36, 19));
    p.drawLine(QPointF(41, 13), QPointF(43, 13));
    p.drawLine(QPointF(43, 13), QPointF(41, 19));
}

void DrawFloppy(QPainter& p, const QRectF& r) {
    const double cut = r.width() * 0.18;
    QPolygonF body;
    body << r.topLeft() << QPointF(r.right() - cut, r.top()) << QPointF(r.right(), r.top() + cut)
         << r.bottomRight() << r.bottomLeft();
    Outlined(p, kBlue);
    p.drawPolygon(body);
    // the metal shutter
    Outlined(p, kGrey);
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top(), r.width() * 0.45, r.height() * 0.3));
    p.setPen(Qt::NoPen);
    p.setBrush(kSlate);
    p.drawRect(QRectF(r.left() + r.width() * 0.52, r.top() + r.height() * 0.05, r.width() * 0.1,
                      r.height() * 0.2));
    // the label with its lines
    Outlined(p, kPaper);
    const QRectF label(r.left() + r.width() * 0.15, r.top() + r.height() * 0.5, r.width() * 0.7,
                       r.height() * 0.42);
    p.drawRect(label);
    p.setPen(QPen(kLightBlue.darker(120), 1.5));
    for (int i = 1; i <= 2; ++i) {
        const double y = label.top() + label.height() * i / 3.0;
        p.drawLine(QPointF(label.left() + 3, y), QPointF(label.right() - 3, y));
    }
}

void DrawPencil(QPainter& p) {
    p.save();
    p.translate(44, 44);
    p.rotate(-45);
    // the pencil lies along x, its tip at the left
    Outlined(p, kOrange);
    p.drawRect(QRectF(-8, -5, 26, 10));
    Outlined(p, kGrey);
    p.drawRect(QRectF(18, -5, 5, 10));
    Outlined(p, QColor(0xF3, 0xD9, 0xB1));
    QPolygonF tip;
    tip << QPointF(-8, -5) << QPointF(-18, 0) << QPointF(-8, 5);
    p.drawPolygon(tip);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    QPolygonF lead;
    lead << QPointF(-14.5, -1.8) << QPointF(-18, 0) << QPointF(-14.5, 1.8);
    p.drawPolygon(lead);
    p.restore();
}

void DrawClock(QPainter& p) {
    // feet and bells of an alarm clock, then its face
    Outlined(p, kGreen);
    p.drawEllipse(QRectF(5, 4, 16, 16));
    p.drawEllipse(QRectF(43, 4, 16, 16));
    p.setPen(QPen(kOutline, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 52), QPointF(12, 59));
    p.drawLine(QPointF(46, 52), QPointF(52, 59));
    Outlined(p, kGreen);
    p.drawEllipse(QRectF(8, 9, 48, 48));
    Outlined(p, kPaper);
    p.drawEllipse(QRectF(14, 15, 36, 36));
    p.setPen(QPen(kOutline, 2));
    for (int i = 0; i < 12; i += 3) {
        p.save();
        p.translate(32, 33);
        p.rotate(i * 30);
        p.drawLine(QPointF(0, -16), QPointF(0, -13));
        p.restore();
    }
    p.setPen(QPen(kOutline, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 33), QPointF(32, 21));
    p.drawLine(QPointF(32, 33), QPointF(41, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(32, 33), 2.5, 2.5);
}

void DrawLoadedContainer(QPainter& p) {
    // a container seen from the side, open, with three loads of different types
    Outlined(p, kLightBlue);
    p.drawRect(QRectF(4, 16, 56, 36));
    p.setPen(QPen(kOutline, 1.5));
    for (double x = 12; x < 60; x += 8) {
        p.drawLine(QPointF(x, 17), QPointF(x, 21));
    }
    const struct {
        QRectF box;
        QColor colour;
    } loads[] = {
        {QRectF(8, 26, 14, 22), kRed},
        {QRectF(23, 34, 12, 14), kGreen},
        {QRectF(23, 22, 12, 11), kGreen},
        {QRectF(36, 30, 18, 18), kOrange},
    };
    for (const auto& load : loads) {
        Outlined(p, load.colour);
        p.drawRect(load.box);
        p.setPen(QPen(kOutline, 1.2));
        p.drawLine(load.box.topLeft(), load.box.bottomRight());
        p.drawLine(load.box.bottomLeft(), load.box.topRight());
    }
    // wheels under the body
    Outlined(p, kSlate);
    p.drawEllipse(QRectF(10, 51, 9, 9));
    p.drawEllipse(QRectF(44, 51, 9, 9));
}

void DrawExit(QPainter& p) {
    // the door frame and the open door
    Outlined(p, kGrey);
    p.drawRect(QRectF(8, 6, 30, 52));
    QPolygonF door;
    door << QPointF(8, 6) << QPointF(26, 12) << QPointF(26, 62) << QPointF(8, 58);
    Outlined(p, kBrown);
    p.drawPolygon(door);
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(22, 36), 2, 2);
    // the way out
    QPolygonF arrow;
    arrow << QPointF(32, 27) << QPointF(46, 27) << QPointF(46, 19) << QPointF(61, 33)
          << QPointF(46, 47) << QPointF(46, 39) << QPointF(32, 39);
    Outlined(p, kRed);
    p.drawPolygon(arrow);
}

void DrawPlanSheet(QPainter& p) {
    // a clipboard with the floor of a container seen from above and the list below it
    Outlined(p, kBrown);
    p.drawRoundedRect(QRectF(10, 6, 44, 56), 4, 4);
    Outlined(p, kPaper);
    p.drawRect(QRectF(15, 12, 34, 46));
    Outlined(p, kGrey);
    p.drawRoundedRect(QRectF(24, 3, 16, 8), 2, 2);
    Outlined(p, kLightBlue);
    p.drawRect(QRectF(18, 16, 28, 14));
    const QColor loads[] = {kRed, kGreen, kOrange};
    for (int i = 0; i < 3; ++i) {
        Outlined(p, loads[i]);
        p.drawRect(QRectF(20 + i * 8.5, 18, 7, 10));
    }
    p.setPen(QPen(kSlate, 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double y = 36 + i * 5.5;
        p.drawLine(QPointF(19, y), QPointF(22, y));
        p.drawLine(QPointF(26, y), QPointF(45, y));
    }
}

}  // namespace

QImage DrawToolIcon(ToolIcon icon, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / kGrid, side / kGrid);
    switch (icon) {
        case ToolIcon::Open:
            DrawFolder(p);
            break;
        case ToolIcon::Calculate:
            DrawCalculator(p);
            break;
        case ToolIcon::Save:
            DrawFloppy(p, QRectF(8, 6, 48, 52));
            break;
        case ToolIcon::SaveAs:
            DrawFloppy(p, QRectF(4, 4, 42, 46));
            DrawPencil(p);
            break;
        case ToolIcon::Watch:
            DrawClock(p);
            break;
        case ToolIcon::Examples:
            DrawLoadedContainer(p);
            break;
        case ToolIcon::Exit:
            DrawExit(p);
            break;
        case ToolIcon::Plan:
            DrawPlanSheet(p);
            break;
    }
    return image;
}

QIcon MakeToolIcon(ToolIcon icon) {
    QIcon result;
    result.addPixmap(QPixmap::fromImage(DrawToolIcon(icon, kToolIconSize)));
    result.addPixmap(QPixmap::fromImage(DrawToolIcon(icon, 2 * kToolIconSize)));
    return result;
}

}  // namespace stowbel
