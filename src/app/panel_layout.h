#pragma once

#include <QObject>
#include <QPoint>

class QFrame;
class QWidget;

namespace stowbel {

struct PaneRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PaneRect&) const = default;
};

// Pane sizes at start and the thickness of every splitter.
inline constexpr int kInitialLeftWidth = 260;
inline constexpr int kInitialResultHeight = 150;
inline constexpr int kInitialGraph3DWidth = 500;
inline constexpr int kSplitterThickness = 12;

// What the layout of the main window's panes starts from: the client area between the tool bar
// and the status bar, and the current pane sizes (a drag sets them).
struct LayoutInput {
    int clientWidth = 0;
    int clientHeight = 0;
    int leftWidth = kInitialLeftWidth;
    int resultHeight = kInitialResultHeight;
    int graph3DWidth = kInitialGraph3DWidth;
    bool graph3DWidthSet = false;  // the user has dragged the graph splitter
};

// Bounds of every pane relative to its parent: the first three within the client area, the next
// three within WorkPanel, the last three within GraphPanel.
struct PanelBounds {
    PaneRect leftPanel, leftSplitter, workPanel;
    PaneRect resultPanel, topSplitter, graphPanel;
    PaneRect graph3DPanel, graphSplitter, graph2DPanel;
};

// Minimum sizes that hold whatever the window's size.
inline constexpr int kMinLeftWidth = 120;
inline constexpr int kMinResultHeight = 80;
inline constexpr int kMinGraphPaneWidth = 160;
inline constexpr int kMinWorkSize = 300;
inline constexpr int kMinGraphHeight = 180;
inline constexpr int kMinGraph3DWidth = 180;
inline constexpr int kRightReserve = 420;    // client width kept beside the left pane
inline constexpr int kGraphReserve = 260;    // work height kept below the report
inline constexpr int kGraph2DReserve = 180;  // graph width kept beside the 3D pane

PanelBounds LayoutPanels(const LayoutInput& input);

// New size of the pane a splitter resizes, from its size at the start of the drag and the
// cursor's movement since. limit is the client width (left splitter), the work panel's height
// (top splitter) or the graph panel's width (graph splitter).
int DragLeftWidth(int startSize, int delta, int clientWidth);
int DragResultHeight(int startSize, int delta, int workHeight);
int DragGraph3DWidth(int startSize, int delta, int graphWidth);

// The main window's panes, parents first: the client area between the tool bar and the status
// bar holds the left pane, its splitter and the work panel; the work panel the report, its
// splitter and the graph panel; the graph panel the two scheme panes and the splitter between.
struct Panes {
    QWidget* client = nullptr;
    QFrame* leftPanel = nullptr;
    QFrame* leftSplitter = nullptr;
    QFrame* workPanel = nullptr;
    QFrame* resultPanel = nullptr;
    QFrame* topSplitter = nullptr;
    QFrame* graphPanel = nullptr;
    QFrame* graph3DPanel = nullptr;
    QFrame* graphSplitter = nullptr;
    QFrame* graph2DPanel = nullptr;
};

// Places the panes (LayoutPanels) and lets the three splitters resize them with the left mouse
// button, within the limits above. Qt's own QSplitter would not keep them: it never lets a pane
// overflow its parent at its minimum size, and it has no room kept beside a pane (the 420 pixels
// beside the left pane, the 260 below the report, the 180 beside the 3D pane). The pane sizes
// are the layout's state: a size set by a drag stays until the next drag, limited anew on every
// resize.
class PaneLayout : public QObject {
    Q_OBJECT
public:
    // Watches the three splitters of panes; window is repainted after every drag step.
    PaneLayout(const Panes& panes, QWidget& window);

    // Computes and applies the bounds of every pane from the current sizes.
    void Apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Splitter { None, Left, Top, Graph };
    Splitter SplitterOf(const QObject* object) const;
    void Drag(QPoint cursor);

    Panes panes_;
    QWidget& window_;
    Splitter dragged_ = Splitter::None;
    QPoint dragStart_;              // the cursor on the screen when the drag began
    int dragStartSize_ = 0;         // the size of the pane the splitter resizes, then
    bool graph3DWidthSet_ = false;  // the user has dragged the graph splitter
};

}  // namespace stowbel
