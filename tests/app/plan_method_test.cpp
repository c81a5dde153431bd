// The option "Плотная укладка", calculations off the window's thread with "Отмена", and the
// status field that names the method of the plan shown.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/background_calculation.h"
#include "app/image_view.h"
#include "app/main_window.h"
#include "fake_dialogs.h"
#include "test_window.h"

using namespace stowbel;

namespace {

// Twenty kinds of boxes that may lie on any side: a search that takes its time.
QString HeavyOrder() {
    QString text = QStringLiteral("2330,5870,2200,0,0,ISIN\n");
    for (int i = 0; i < 20; ++i) {
        text += QStringLiteral("%1,%2,%3,SQR,1,2,40\n")
                    .arg(300 + 17 * i)
                    .arg(420 + 23 * i)
                    .arg(250 + 29 * i);
    }
    return text;
}

}  // namespace

class PlanMethodTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;

    QAction* Dense() const { return window_->findChild<QAction*>("DenseItem"); }
    QString Status() const { return window_->findChild<QLabel*>("PlanMethodStatus")->text(); }
    QString Report() const { return window_->findChild<QPlainTextEdit*>("Memo2")->toPlainText(); }
    QImage Picture2D() const {
        return window_->findChild<QFrame*>("Graph2DPanel")->findChild<ImageView*>()->Picture();
    }
    void ShowDialogAtOnce() {
        window_->findChild<BackgroundCalculation*>("BackgroundCalculation")
            ->SetQuietMilliseconds(0);
    }
    void Calculate(const QString& order) {
        window_->findChild<QPlainTextEdit*>("Memo1")->setPlainText(order);
        window_->calculate();
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = std::make_unique<FakeDialogs>();
        window_ = ShowTestWindow(dir_->path(), *dialogs_, QSize(1280, 900));
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    // Off at start, beside the alternation in the Parameters menu; the status field names the
    // method the next calculation uses until a plan is shown, then the method of that plan.
    void theOptionAndTheStatusField() {
        QVERIFY(Dense() != nullptr);
        QVERIFY(Dense()->isCheckable());
        QVERIFY(!Dense()->isChecked());
        QCOMPARE(Dense()->text(), QString("Плотная укладка"));
        const QList<QAction*> options = window_->findChild<QMenu*>("N3D1")->actions();
        QVERIFY(options.indexOf(Dense()) ==
                options.indexOf(window_->findChild<QAction*>("N3")) + 1);
        QCOMPARE(Status(), QString("Рядами"));
        Dense()->trigger();
        QCOMPARE(Status(), QString("Плотная укладка"));

        window_->loadExample("ISIN");
        QCOMPARE(Status(), QString("Плотная укладка"));
        // The dense plan of the example stands olive boxes on each other: 38 units, not 34.
        QVERIFY(Report().contains("Всего влезает 38 поддонов"));
        QVERIFY(Report().contains("на грузе"));

        Dense()->trigger();
        QCOMPARE(Status(), QString("Плотная укладка"));  // still the plan shown
        window_->calculate();
        QCOMPARE(Status(), QString("Рядами"));
        QVERIFY(Report().contains("Всего влезает 34 поддонов"));
    }

    // A calculation that outlasts the quiet time gets the dialog and, left alone, shows its
    // result as any other.
    void aLongCalculationShowsProgressAndItsResult() {
        ShowDialogAtOnce();
        Dense()->setChecked(true);
        bool dialogSeen = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            auto* dialog = window_->findChild<QProgressDialog*>("CalculationProgress");
            dialogSeen = dialogSeen || (dialog != nullptr && dialog->isVisible());
        });
        watch.start(10);
        window_->loadExample("ISIN");
        watch.stop();
        QVERIFY(dialogSeen);
        QVERIFY(Report().contains("Всего влезает 38 поддонов"));
        QCOMPARE(Status(), QString("Плотная укладка"));
    }

    // "Отмена" keeps the report, the pictures and the method of the plan shown before.
    void cancelKeepsThePreviousResult() {
        window_->loadExample("ISIN");
        const QString report = Report();
        const QImage picture = Picture2D();
        QCOMPARE(Status(), QString("Рядами"));

        ShowDialogAtOnce();
        Dense()->setChecked(true);
        QString buttonText;
        QTimer press;
        connect(&press, &QTimer::timeout, this, [&] {
            auto* dialog = window_->findChild<QProgressDialog*>("CalculationProgress");
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            auto* button = dialog->findChild<QPushButton*>();
            buttonText = button->text();
            QTest::mouseClick(button, Qt::LeftButton);
            press.stop();
        });
        press.start(10);
        Calculate(HeavyOrder());
        QCOMPARE(buttonText, QString("Отмена"));
        QCOMPARE(Report(), report);
        QCOMPARE(Picture2D(), picture);
        QCOMPARE(Status(), QString("Рядами"));
        QVERIFY(window_->findChild<QProgressDialog*>("CalculationProgress") == nullptr);
    }
};

QTEST_MAIN(PlanMethodTest)
#include "plan_method_test.moc"
