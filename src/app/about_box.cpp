#include "app/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "app/splash_picture.h"

namespace stowbel {

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(432, 252);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(9, 8, 416, 201);

    // The splash picture, reduced: the program's name over a container it loaded.
    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(8, 8, 218, 193);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(QPixmap::fromImage(DrawSplashPicture(kSplashPictureSize))
                        .scaled(icon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    QLabel* product = AddLabel(panel, "ProductName", QStringLiteral("Stowbel"), 232, 8);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    product->setFont(bold);
    AddLabel(panel, "Version", QStringLiteral("Версия " STOWBEL_VERSION), 232, 34);
    AddLabel(panel, "Copyright", QStringLiteral("Планирование загрузки"), 232, 53);
    QLabel* comments =
        AddLabel(panel, "Comments",
                 QStringLiteral("Раскладывает поддоны, ящики и бочки по контейнерам и кузовам: "
                                "русский отчёт, 2D- и 3D-схемы, план погрузки для печати."),
                 232, 72);
    comments->setWordWrap(true);
    comments->setFixedWidth(176);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(120, 215, 201, 33);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace stowbel
