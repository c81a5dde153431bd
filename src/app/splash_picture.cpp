#include "app/splash_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <string>
#include <vector>

#include "job/calculation_job.h"
#include "order/examples.h"
#include "plan/loading_plan.h"
#include "scheme/container_views.h"

namespace stowbel {

namespace {

// The first container of the HMAN example as the calculation loads it.
ContainerLoad ExampleLoad() {
    const std::vector<std::string> lines = ExampleOrder("HMAN");
    CalculationJob job;
    job.SetOrderLines(lines);
    const JobResult result = job.Run();
    const LoadingPlanInput plan = MakeLoadingPlanInput(*result.record);
    return LoadOfContainer(result.record->run, plan.container, 1);
}

void DrawTitle(QPainter& painter, QSize size) {
    const double unit = size.height() / 640.0;
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(static_cast<int>(86 * unit));
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(48 * unit, 120 * unit), QStringLiteral("Stowbel"));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(static_cast<int>(26 * unit));
    painter.setFont(line);
    painter.setPen(QColor(0xCF, 0xE3, 0xF5));
    painter.drawText(QPointF(52 * unit, 166 * unit),
                     QStringLiteral("Расчёт загрузки поддонов в контейнер"));
    line.setPixelSize(static_cast<int>(19 * unit));
    painter.setFont(line);
    painter.setPen(QColor(0x9F, 0xB8, 0xCF));
    painter.drawText(
        QPointF(52 * unit, 198 * unit),
        QStringLiteral("Отчёт, 2D- и 3D-схемы, план погрузки · версия " STOWBEL_VERSION));
}

}  // namespace

QImage DrawSplashPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x10, 0x22, 0x3A));
    sky.setColorAt(1, QColor(0x2B, 0x4C, 0x6F));
    painter.fillRect(image.rect(), sky);
    // The dock under the container.
    const double unit = size.height() / 640.0;
    painter.fillRect(QRectF(0, size.height() - 120 * unit, size.width(), 120 * unit),
                     QColor(0x3A, 0x3F, 0x45));
    painter.setPen(QPen(QColor(0xF4, 0xC5, 0x42), 4 * unit, Qt::DashLine));
    painter.drawLine(QPointF(0, size.height() - 60 * unit),
                     QPointF(size.width(), size.height() - 60 * unit));
    DrawTitle(painter, size);

    const ContainerLoad load = ExampleLoad();
    ContainerViewStyle style;
    style.fontFamily = QStringLiteral("DejaVu Sans");
    style.unitsPerMm = 3 * unit;
    // Clear of the version, which the splash window writes near its lower right corner.
    const QRectF area(30 * unit, 200 * unit, size.width() - 230 * unit, size.height() - 250 * unit);
    DrawContainer3DView(painter, area, load, style);
    return image;
}

}  // namespace stowbel
