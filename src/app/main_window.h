#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/panel_layout.h"
#include "calc/run.h"
#include "order/number_format.h"
#include "output/raster_pictures.h"
#include "output/watch_engine.h"
#include "scheme/scheme_pictures.h"

class QAction;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QTimer;
class QToolBar;

namespace stowbel {

class ImageView;
class PictureRedraw;
class RasterCanvas;
class UserDialogs;

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
    static constexpr int kSummaryWidth = 1112;
    static constexpr int kSummaryHeight = 760;
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
    void exitProgram();
    void calculate();
    void toggleAlternation();
    void toggleWatchMode();
    void showAbout();
    void openUserGuide();
    void orderTextChanged();
    void showExamples();
    int chooseExample();
    void loadExample(const QString& name);
    // One watch-mode tick: calculates the orders that are ready in IN.
    void watchTick();
    bool WatchModeOn() const;

    void LayoutPanels();

    // The order file whose results a calculation stores; empty when there is none.
    const QString& CurrentOrderFile() const { return currentOrderFile_; }
    void SetCurrentOrderFile(const QString& path) { currentOrderFile_ = path; }
    const QString& SaveFileName() const { return saveFileName_; }
    const AppPaths& Paths() const { return paths_; }
    const SchemePictures& Pictures() const { return pictures_.Pictures(); }
    QStringList OrderLines() const;
    QStringList ReportLines() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetupInterface();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QFrame* CreatePane(const char* name, QWidget* parent, int minWidth, int minHeight);
    QFrame* CreateSplitter(const char* name, QWidget* parent, int tag, Qt::CursorShape cursor);
    void AddSchemeView(QFrame* pane, const char* titleName, const QString& title,
                       const RasterCanvas& canvas, ImageView*& view);
    void ShowReport(const std::vector<std::string>& lines);
    void SelectOrderLine(int lineIndex);
    void WriteReport(const QString& path);
    void SetTooltipHint(QAction* action, const QString& hint);
    // Calculates the editor's order and stores results for an opened order file. Interactive
    // calculations show errors in dialogs; watch mode only reports them.
    OrderOutcome Calculate(bool interactive);
    OrderOutcome ProcessWatchedOrder(const std::string& path,
                                     const std::vector<std::string>& lines);
    void SetManualCommandsEnabled(bool enabled);
    void CreateContainerMenu();
    void ShowHelpWindow(const QString& htmlPath);

    AppPaths paths_;
    UserDialogs& dialogs_;
    NumberFormat format_;
    OrderModel model_;

    RasterPictures pictures_;

    QString currentOrderFile_;
    QString saveFileName_;

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
    QTimer* watchTimer_ = nullptr;
    std::unique_ptr<WatchEngine> watchEngine_;
    bool watchTickRunning_ = false;
    // Draws the last calculation's pictures again when their panes change size.
    PictureRedraw* pictureRedraw_ = nullptr;
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
    QAction* alternateAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* userGuideAction_ = nullptr;

    // Splitter dragging: 0 or the tag of the splitter being dragged.
    int splitterDragKind_ = 0;
    QPoint splitterDragStartPos_;
    int splitterDragStartSize_ = 0;
    bool graph3DWidthSet_ = false;
    bool firstShowDone_ = false;
};

}  // namespace stowbel
