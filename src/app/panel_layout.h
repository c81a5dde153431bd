#pragma once

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

}  // namespace stowbel
