// The loading plan on the desktop: printing, saving as PDF and the option that stores it with
// the results.
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "../example_text.h"
#include "../poppler_tools.h"
#include "app/main_window.h"
#include "fake_dialogs.h"
#include "test_window.h"

using namespace stowbel;

namespace {

constexpr const char* kFaultyThirdLine =
    "2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n800,1200,0,SQR,1,0,2\n";
constexpr const char* kSmallOrder = "2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,10\n";

// Keeps a copy in the build's test output, for a person to look at.
void KeepForInspection(const QString& path, const QString& name) {
    QDir().mkpath(STOWBEL_TEST_OUTPUT_DIR);
    const QString copy = QStringLiteral(STOWBEL_TEST_OUTPUT_DIR "/") + name;
    QFile::remove(copy);
    QFile::copy(path, copy);
}

bool IsPdf(const QString& path) {
    return ReadFile(path).startsWith("%PDF-");
}

// The text of a PDF's first page, blanks collapsed; empty without pdftotext.
std::string FirstPageText(const QString& path) {
    return CollapseBlanks(
        CommandOutput("pdftotext -f 1 -l 1 '" + path.toStdString() + "' -").value_or(""));
}

}  // namespace

class PlanCommandsTest : public QObject, protected WindowFixture {
    Q_OBJECT

private:
    QString Path(const QString& name) const { return dir_->path() + "/" + name; }
    bool PlanCommandsEnabled() const {
        const bool print = Action("FilePrintPlanItem")->isEnabled();
        const bool save = Action("FileSavePlanItem")->isEnabled();
        return print && save;
    }
    bool PlanCommandsDisabled() const {
        return !Action("FilePrintPlanItem")->isEnabled() &&
               !Action("FileSavePlanItem")->isEnabled();
    }
    QStringList PdfFilesIn(const QString& directory) const {
        return QDir(directory).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    }

private slots:
    void init() { QVERIFY(Open()); }

    void cleanup() { Close(); }

    void theCommandsAreInTheFileMenuWithHints() {
        auto* file = window_->findChild<QMenu*>("File1");
        QVERIFY(file != nullptr);
        for (const char* name : {"FilePrintPlanItem", "FileSavePlanItem"}) {
            QAction* action = Action(name);
            QVERIFY2(action != nullptr, name);
            QVERIFY2(file->actions().contains(action), name);
            QVERIFY2(action->toolTip().contains("план погрузки"), name);
            QCOMPARE(action->statusTip(), action->toolTip());
        }
        QCOMPARE(Action("FilePrintPlanItem")->text(), QString("&Печать плана..."));
        QCOMPARE(Action("FileSavePlanItem")->text().remove('&'),
                 QString("Сохранить план в PDF..."));
        auto* options = window_->findChild<QMenu*>("N3D1");
        QAction* option = Action("StorePlanItem");
        QVERIFY(options->actions().contains(option));
        QCOMPARE(option->text(), QString("Сохранять план погрузки в PDF"));
        QVERIFY(option->isCheckable());
        QVERIFY(!option->isChecked());
    }

    // Enabled while the window shows a calculation whose order has no error.
    void theCommandsFollowTheCalculationShown() {
        QVERIFY(PlanCommandsDisabled());
        window_->printPlan();
        window_->savePlan();
        QVERIFY(dialogs_->printLayouts.isEmpty());
        QVERIFY(dialogs_->planSuggestions.isEmpty());

        window_->loadExample("HMAN");
        QVERIFY(PlanCommandsEnabled());
        Editor()->setPlainText(kFaultyThirdLine);  // a report up to the fault, but no plan
        window_->calculate();
        QCOMPARE(dialogs_->errors.size(), 1);
        QVERIFY(PlanCommandsDisabled());

        Editor()->setPlainText(kSmallOrder);
        window_->calculate();
        QVERIFY(PlanCommandsEnabled());
        Editor()->setPlainText("2450,0,2200,50,0,ISIN\n");  // no container, no result at all
        window_->calculate();
        QVERIFY(PlanCommandsDisabled());

        // Like Save and Save As, they act on what is shown while watch mode runs.
        window_->loadExample("ISIN");
        window_->toggleWatchMode();
        QVERIFY(PlanCommandsEnabled());
        DropReadyOrder("t0001.txt", kFaultyThirdLine);
        window_->watchTick();
        QVERIFY(PlanCommandsDisabled());
        DropReadyOrder("t0002.txt", kSmallOrder);
        window_->watchTick();
        QVERIFY(PlanCommandsEnabled());
    }

    void savedPlanIsNamedByItsOrder_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pages");
        QTest::newRow("example") << "HMAN"
                                 << "OUT/Пример HMAN.pdf"
                                 << "Пример HMAN" << 1 + 3;
        QTest::newRow("order file") << "t0001.txt"
                                    << "OUT/r0001.txt.pdf"
                                    << "t0001.txt" << 2;
        QTest::newRow("typed") << ""
                               << "OUT/Новый заказ.pdf"
                               << "Новый заказ" << 2;
        QTest::newRow("changed example") << "HMAN changed"
                                         << "OUT/Новый заказ.pdf"
                                         << "Новый заказ" << 1 + 3;
    }

    void savedPlanIsNamedByItsOrder() {
        QFETCH(QString, source);
        QFETCH(QString, suggested);
        QFETCH(QString, name);
        QFETCH(int, pages);
        if (source.startsWith("HMAN")) {
            window_->loadExample("HMAN");
            if (source.endsWith("changed")) {
                Editor()->appendPlainText("// checked");
                window_->calculate();
            }
        } else if (!source.isEmpty()) {
            OpenOrder(source, kSmallOrder);
            window_->calculate();
        } else {
            Editor()->setPlainText(kSmallOrder);
            window_->calculate();
        }
        dialogs_->planName = Path("plan.pdf");
        window_->savePlan();
        QCOMPARE(dialogs_->errors, QStringList());
        QCOMPARE(dialogs_->planSuggestions, QStringList{Path(suggested)});
        QVERIFY(IsPdf(Path("plan.pdf")));
        KeepForInspection(
            Path("plan.pdf"),
            "desktop-saved-plan-" + QString(QTest::currentDataTag()).replace(' ', '-') + ".pdf");
        QVERIFY(PdfFilesIn(Out("")).isEmpty());  // the plan goes where it was asked to
        if (HavePopplerTool("pdfinfo")) {
            QCOMPARE(PdfPages(Path("plan.pdf").toStdString()), pages);
        }
        if (HavePopplerTool("pdftotext")) {
            const std::string text = FirstPageText(Path("plan.pdf"));
            QVERIFY2(text.find(name.toStdString()) != std::string::npos, text.c_str());
        }
    }

    void aCancelledOrFailedSaveWritesNothing() {
        window_->loadExample("ISIN");
        window_->savePlan();  // cancelled: no name
        QCOMPARE(dialogs_->planSuggestions.size(), 1);
        QVERIFY(dialogs_->errors.isEmpty());
        QVERIFY(PdfFilesIn(dir_->path()).isEmpty());

        dialogs_->planName = Path("missing/plan.pdf");
        window_->savePlan();
        QCOMPARE(dialogs_->errors.size(), 1);
        QVERIFY2(dialogs_->errors.front().startsWith(Path("missing/plan.pdf") + ": "),
                 qPrintable(dialogs_->errors.front()));
    }

    void printingAsksThePrintDialogForA4Landscape() {
        window_->loadExample("HMAN");
        window_->printPlan();  // the fake cancels
        QCOMPARE(dialogs_->printLayouts.size(), 1);
        const QPageLayout layout = dialogs_->printLayouts.front();
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(dialogs_->printDocNames, QStringList{"План погрузки - Пример HMAN"});
        QVERIFY(dialogs_->errors.isEmpty());
    }

    // The print dialog's choice of a PDF file: the printer draws the whole plan there.
    void printingToAFilePrintsEveryPage() {
        window_->loadExample("HMAN");
        const QString printed = Path("printed.pdf");
        dialogs_->printAnswer = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return true;
        };
        window_->printPlan();
        QVERIFY(dialogs_->errors.isEmpty());
        QVERIFY(IsPdf(printed));
        KeepForInspection(printed, "desktop-printed-plan-hman.pdf");
        if (HavePopplerTool("pdfinfo")) {
            QCOMPARE(PdfPages(printed.toStdString()), 1 + 3);
        }
        if (HavePopplerTool("pdftotext")) {
            const std::string text = FirstPageText(printed);
            QVERIFY2(text.find("Пример HMAN") != std::string::npos, text.c_str());
        }

        dialogs_->printAnswer = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Path("missing/printed.pdf"));
            return true;
        };
        window_->printPlan();
        QCOMPARE(dialogs_->errors.size(), 1);
        QVERIFY(dialogs_->errors.front().contains(Path("missing/printed.pdf")));
    }

    // A watch tick waits while the plan's dialogs are open, as behind every dialog.
    void aWatchTickWaitsBehindThePlanDialogs() {
        window_->loadExample("ISIN");
        window_->toggleWatchMode();
        DropReadyOrder("t0005.txt", kSmallOrder);
        int ticksBehind = 0;
        dialogs_->whileOpen = [&] {
            window_->watchTick();  // the timer fires
            ticksBehind += QFile::exists(In("t0005.txt")) ? 0 : 1;
        };
        window_->printPlan();
        dialogs_->planName = Path("during.pdf");
        window_->savePlan();
        QCOMPARE(ticksBehind, 0);
        QCOMPARE(dialogs_->printLayouts.size(), 1);
        QVERIFY(IsPdf(Path("during.pdf")));
        QTRY_VERIFY(QFile::exists(In("done/t0005.txt")));  // the waiting tick, right after
    }

    void theOptionStoresThePlanBesideTheResults() {
        OpenOrder("t0001.txt", kSmallOrder);
        window_->calculate();
        QVERIFY(QFile::exists(Out("r0001.txt")));
        QVERIFY(PdfFilesIn(Out("")).isEmpty());  // off by default

        Action("StorePlanItem")->trigger();
        QVERIFY(Action("StorePlanItem")->isChecked());
        window_->calculate();
        QVERIFY(IsPdf(Out("r0001.txt.pdf")));

        window_->toggleWatchMode();
        DropReadyOrder("t0002.txt", ExampleText("HMAN").c_str());
        DropReadyOrder("t0003.txt", kFaultyThirdLine);
        window_->watchTick();
        QVERIFY(QFile::exists(In("done/t0002.txt")));
        QVERIFY(IsPdf(Out("r0002.txt.pdf")));
        QCOMPARE(PdfFilesIn(Out("")), QStringList({"r0001.txt.pdf", "r0002.txt.pdf"}));
        if (HavePopplerTool("pdfinfo")) {
            QCOMPARE(PdfPages(Out("r0002.txt.pdf").toStdString()), 1 + 3);
        }

        // Examples and typed orders store nothing, their plan neither.
        window_->toggleWatchMode();
        window_->loadExample("ISIN");
        QCOMPARE(PdfFilesIn(Out("")).size(), 2);
    }
};

QTEST_MAIN(PlanCommandsTest)
#include "plan_commands_test.moc"
