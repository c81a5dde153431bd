#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "app/order_title.h"
#include "app/shown_plan.h"
#include "app/tracked_dialogs.h"
#include "job/calculation_job.h"
#include "job/watch_engine.h"
#include "order/number_format.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"

class QAction;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QTimer;
class QToolBar;

namespace stowbel {

class BackgroundCalculation;
class ElidingLabel;
class ImageView;
class PaneLayout;
class PictureRedraw;
class PlanView;
class ResultMarks;
class PlanMethodOption;
class UserDialogs;
class WatchSchedule;

// Where the program keeps its files: order files come from IN, results go to OUT, both beside
// the program unless a caller (a test) says otherwise.
struct AppPaths {
    QString programDirectory;
    QString inDirectory;
    QString outDirectory;

    static AppPaths BesideProgram();
};

// The main window: the order editor on the left, the report above the 3D and 2D schemes on the
// right, menu and tool bar on top.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTitleHeight = 32;
    static constexpr int kWatchInterval = 5000;

    MainWindow(const AppPaths& paths, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Commands of the menu and the tool bar.
    void newOrder();
    void openOrder();
    void saveReport();
    void saveReportAs();
    void clearOrder();
    // The loading plan of the calculation shown: through the print dialog, or into a PDF file.
    void printPlan();
    void savePlan();
    void exitProgram();
    void calculate();
    void toggleWatchMode();
    void showAbout();
    void openUserGuide();
    void orderTextChanged();
    void showExamples();
    int chooseExample();
    void loadExample(const QString& name);
    // One watch-mode tick: calculates the orders that are ready in IN. While a dialog of the
    // program is open it waits and runs once the dialog has closed (WatchSchedule). Never
    // throws.
    void watchTick();
    bool WatchModeOn() const;

    void LayoutPanels();

    // The order file whose results a calculation stores; empty when there is none.
    const QString& CurrentOrderFile() const { return currentOrderFile_; }
    void SetCurrentOrderFile(const QString& path) { currentOrderFile_ = path; }
    const QString& SaveFileName() const { return saveFileName_; }
    const AppPaths& Paths() const { return paths_; }
    QStringList OrderLines() const;
    QStringList ReportLines() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SetupInterface();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QFrame* CreatePane(const char* name, QWidget* parent, int minWidth, int minHeight);
    QFrame* CreateSplitter(const char* name, QWidget* parent, Qt::CursorShape cursor);
    void AddSchemeView(QFrame* pane, const char* titleName, const QString& title, ImageView*& view);
    // The job for an order with the window's settings: number format, the alternation option,
    // the pictures at the size of their panes.
    CalculationJob NewJob(std::vector<std::string> lines) const;
    // The report and the pictures of a run of job, whose record draws them again when the panes
    // change size; nothing changes when the container line was never read.
    void ShowResult(const CalculationJob& job, const JobResult& result);
    void ShowReport(const std::vector<std::string>& lines);
    // The 2D pane says how many of the containers shown it leaves out.
    void ShowSchemeCoverage();
    // The plan view ("План") over the scheme panes, and the command that shows it.
    void CreatePlanView();
    void ShowPlanView(bool shown);
    // Takes the report and the pictures away ("Создать").
    void ClearResult();
    // The order's name (see OrderTitle) after a load; the text is as loaded.
    void OrderLoaded(const QString& name);
    // The plan commands follow the calculation shown: a plan once it has a result without an
    // order error.
    void RememberPlan(const CalculationJob& job, const JobResult& result);
    // With the option on, a job that stores results stores the plan beside them.
    void StorePlanWhenAsked(CalculationJob& job) const;
    // line is 1-based.
    void SelectOrderLine(int line);
    void WriteReport(const QString& path);
    void SetTooltipHint(QAction* action, const QString& hint);
    // The orders of one watch tick, stopping between them once interrupted is set.
    void RunWatchTick(const std::atomic<bool>* interrupted);
    OrderOutcome ProcessWatchedOrder(const std::string& path,
                                     const std::vector<std::string>& lines);
    void SetManualCommandsEnabled(bool enabled);
    void CreateContainerMenu();
    void ShowHelpWindow(const QString& htmlPath);
    // The permanent status-bar field: watch state, the last order, orders stuck in IN.
    void ShowWatchStatus();
    void DialogOpened();
    void DialogsClosed();

    AppPaths paths_;
    TrackedDialogs dialogs_;
    NumberFormat format_;
    RasterPictureMaker pictureMaker_;
    PdfPlanWriter planWriter_;
    ShownPlan shownPlan_;

    QString currentOrderFile_;
    QString saveFileName_;
    // The example shown since it was loaded and not changed ("HMAN", "ISIN"); empty for any
    // other order.
    QString exampleName_;

    QPlainTextEdit* orderEditor_ = nullptr;
    QPlainTextEdit* reportView_ = nullptr;
    QWidget* client_ = nullptr;
    QFrame* leftPanel_ = nullptr;
    QFrame* leftSplitter_ = nullptr;
    QFrame* workPanel_ = nullptr;
    QFrame* resultPanel_ = nullptr;
    QFrame* topSplitter_ = nullptr;
    QFrame* graphPanel_ = nullptr;
    QFrame* graph3DPanel_ = nullptr;
    QFrame* graphSplitter_ = nullptr;
    QFrame* graph2DPanel_ = nullptr;
    ImageView* view3DImage_ = nullptr;
    ImageView* view2DImage_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    WatchSchedule* watchSchedule_ = nullptr;
    std::unique_ptr<WatchEngine> watchEngine_;
    // Draws the last calculation's pictures again when their panes change size.
    PictureRedraw* pictureRedraw_ = nullptr;
    // Marks a report and pictures that no longer describe the order.
    ResultMarks* resultMarks_ = nullptr;
    PlanView* planView_ = nullptr;
    QAction* planAction_ = nullptr;
    OrderTitle title_;
    // The container and the number of containers of the calculation shown.
    Container shownContainer_;
    int shownContainers_ = 0;
    QString lastWatchEvent_;   // the last order and what became of it
    QString lastWatchNotice_;  // the last event of the whole input directory
    ElidingLabel* watchStatus_ = nullptr;
    std::vector<QWidget*> manualButtons_;

    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* examplesAction_ = nullptr;
    QAction* clearAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* calculateAction_ = nullptr;
    QAction* watchAction_ = nullptr;
    QAction* watchToolAction_ = nullptr;
    QAction* alternateAction_ = nullptr;
    // "Плотная укладка" and the status field naming the method of the plan shown.
    PlanMethodOption* planMethod_ = nullptr;
    BackgroundCalculation* background_ = nullptr;
    QAction* printPlanAction_ = nullptr;
    QAction* savePlanAction_ = nullptr;
    QAction* storePlanOption_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* userGuideAction_ = nullptr;

    // Places the panes and lets the splitters resize them.
    PaneLayout* paneLayout_ = nullptr;
    bool firstShowDone_ = false;
};

}  // namespace stowbel
