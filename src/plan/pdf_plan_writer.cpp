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
    LoadingPlanInput plan = MakeLoadingPlanInput(order.record);
    plan.orderName = PlanOrderName(order.orderFile, order.exampleName);
    plan.createdAt = PlanTime();
    plan.overview = OverviewImage(order.pictures, plan.container);
    return plan;
}

std::string PdfPlanWriter::Render(const PlannedOrder& order) const {
    return RenderLoadingPlanPdf(PlanInputOf(order));
}

}  // namespace stowbel
