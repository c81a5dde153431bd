#include "plan/pdf_plan_writer.h"

#include <QDateTime>
#include <QTimeZone>

#include "plan/loading_plan_document.h"

namespace stowbel {

namespace {

QDateTime PlanTime() {
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc())
              : QDateTime::currentDateTime();
}

}  // namespace

LoadingPlanInput PlanInputOf(const PlannedOrder& order) {
    LoadingPlanInput plan = MakeLoadingPlanInput(order.lines, order.format, order.run);
    plan.orderName = PlanOrderName(order.orderFile, order.exampleName);
    plan.createdAt = PlanTime();
    plan.overview = OverviewPicture(order.pictures, plan.container.HowManyContainers);
    return plan;
}

std::string PdfPlanWriter::Render(const PlannedOrder& order) const {
    return RenderLoadingPlanPdf(PlanInputOf(order));
}

}  // namespace stowbel
