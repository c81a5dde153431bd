// Printing, saving and redrawing the calculation the window shows: all of it is made from the
// calculation's record, and nothing is calculated again.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/image_view.h"
#include "app/picture_redraw.h"
#include "app/screen_pictures.h"
#include "app/shown_plan.h"
#include "job/calculation_job.h"
#include "order/examples.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"

using namespace stowbel;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ShownRecordTest : public QObject {
    Q_OBJECT

private:
    RasterPictureMaker maker_;
    PdfPlanWriter writer_;

    CalculationJob Job(const char* example, const PictureSizes& sizes = {}) const {
        CalculationJob job;
        job.SetOrderLines(ExampleOrder(example))
            .SetPictureMaker(&maker_)
            .SetPictureSizes(sizes)
            .SetShownPictures(PictureSet::Shown())
            .SetOrderName("", example);
        return job;
    }

private slots:
    void initTestCase() { qputenv("SOURCE_DATE_EPOCH", "0"); }

    // A record whose result was changed after the run: a plan calculated again would show the
    // run's own figures, the record's show that it was not.
    void aPrintedPlanShowsTheRecordNotANewCalculation() {
        for (const char* example : {"HMAN", "ISIN"}) {
            const JobResult result = Job(example).Run();
            auto changed = std::make_shared<CalculationRecord>(*result.record);
            changed->run.report = {"отчёт из записи"};
            changed->run.containers += 10;
            ShownPlan plan;
            plan.Remember(changed, maker_, "", example);
            const LoadingPlanInput input = plan.Input();
            QCOMPARE(input.result.report, changed->run.report);
            QCOMPARE(input.result.containers, changed->run.containers);
            QCOMPARE(input.cargo.size(), std::size_t{3});
            QVERIFY(!input.overview.isNull());
        }
    }

    // The shown calculation's pictures are drawn at the panes' sizes; its plan is still the one
    // the command line writes, with its pictures at their standard sizes.
    void aSavedPlanIsTheOneTheJobWrites() {
        QTemporaryDir dir;
        for (const char* example : {"HMAN", "ISIN"}) {
            const QString byJob = dir.filePath(QStringLiteral("job.pdf"));
            CalculationJob job = Job(example);
            QVERIFY(!job.WritePlan(&writer_, byJob.toStdString()).Run().error);

            const JobResult shown = Job(example, {{640, 480}, {300, 200}, {10, 10}}).Run();
            ShownPlan plan;
            plan.Remember(shown.record, maker_, "", example);
            const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
            QVERIFY(!plan.Save(writer_, saved.toStdString()));
            QVERIFY(ReadFile(saved).startsWith("%PDF-"));
            QCOMPARE(ReadFile(saved), ReadFile(byJob));
        }
    }

    // Only the drawing is left in the record: the order and the result are gone, so nothing
    // could be calculated, and the redraw still draws what a new calculation would draw.
    void aRedrawDrawsFromTheRecordAlone() {
        QWidget window;
        ImageView view2D(&window);
        ImageView view3D(&window);
        view2D.resize(500, 400);
        view3D.resize(300, 250);
        PictureRedraw redraw(view2D, view3D, &window);

        const JobResult first = Job("HMAN").Run();
        auto drawingOnly = std::make_shared<CalculationRecord>();
        drawingOnly->drawing = first.record->drawing;
        redraw.Remember(drawingOnly, maker_);
        redraw.Redraw();

        // The sizes a pane's picture is drawn at (a 3D pane this small gets room for its cells).
        const PictureSizes paneSizes{
            Scheme2DDrawingSize(view2D.size()), View3DDrawingSize(view3D.size()), {}};
        const JobResult atPaneSizes = Job("HMAN", paneSizes).Run();
        QVERIFY(!view2D.Picture().isNull());
        QVERIFY(view2D.Picture() == ImageOf(atPaneSizes.pictures.scheme2D));
        QVERIFY(view3D.Picture() == ImageOf(atPaneSizes.pictures.view3D));
    }
};

QTEST_MAIN(ShownRecordTest)
#include "shown_record_test.moc"
