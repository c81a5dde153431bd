#include "app/panel_layout.h"

#include <algorithm>

namespace stowbel {

PanelBounds LayoutPanels(const LayoutInput& in) {
    const int s = kSplitterThickness;
    const int workHeight = std::max(in.clientHeight, kMinWorkSize);

    int leftWidth = std::max(in.leftWidth, kMinLeftWidth);
    leftWidth = std::min(leftWidth, in.clientWidth - kRightReserve);
    leftWidth = std::max(leftWidth, kMinLeftWidth);

    const int workWidth = std::max(in.clientWidth - leftWidth - s, kMinWorkSize);

    int resultHeight = std::max(in.resultHeight, kMinResultHeight);
    resultHeight = std::min(resultHeight, workHeight - kGraphReserve);
    resultHeight = std::max(resultHeight, kMinResultHeight);

    const int graphHeight = std::max(workHeight - resultHeight - s, kMinGraphHeight);

    // Half the graph area until the user sets the 3D pane's width with a drag.
    int width3D = in.graph3DWidthSet ? in.graph3DWidth : (workWidth - s) / 2;
    width3D = std::min(width3D, workWidth - s - kGraph2DReserve);
    width3D = std::max(width3D, kMinGraph3DWidth);

    PanelBounds b;
    b.leftPanel = {0, 0, leftWidth, workHeight};
    b.leftSplitter = {leftWidth, 0, s, workHeight};
    b.workPanel = {leftWidth + s, 0, workWidth, workHeight};
    b.resultPanel = {0, 0, workWidth, resultHeight};
    b.topSplitter = {0, resultHeight, workWidth, s};
    b.graphPanel = {0, resultHeight + s, workWidth, graphHeight};
    b.graph3DPanel = {0, 0, width3D, graphHeight};
    b.graphSplitter = {width3D, 0, s, graphHeight};
    b.graph2DPanel = {width3D + s, 0, workWidth - width3D - s, graphHeight};
    return b;
}

int DragLeftWidth(int startSize, int delta, int clientWidth) {
    return std::min(std::max(startSize + delta, kMinLeftWidth), clientWidth - kRightReserve);
}

int DragResultHeight(int startSize, int delta, int workHeight) {
    return std::min(std::max(startSize + delta, kMinResultHeight), workHeight - kGraphReserve);
}

int DragGraph3DWidth(int startSize, int delta, int graphWidth) {
    return std::min(std::max(startSize + delta, kMinGraphPaneWidth), graphWidth - kGraph2DReserve);
}

}  // namespace stowbel
