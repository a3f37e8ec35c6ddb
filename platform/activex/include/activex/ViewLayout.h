#pragma once

#include "activex/Length.h"

#include <vector>

namespace kesto::activex {

// Zoom modes of the preview, numbered as the layout code sets them.
enum class ViewMode { Percentage = 0, AllPages = 1, TwoPages = 2, WholePage = 3, PageWidth = 4 };

// The visible area of a preview view, in device pixels at its logical DPI.
struct Viewport {
    int width = 800;
    int height = 600;
    double dpi = 96;
};

struct PageSlot {
    int page = 0;          // 1-based
    double x = 0, y = 0;   // device pixels in the content area
    double width = 0, height = 0;
};

struct ViewLayout {
    double zoom = 100;          // effective percentage; 100 = real size
    double pixelsPerUnit = 0;
    double contentWidth = 0, contentHeight = 0;
    std::vector<PageSlot> placed;  // the shown pages
};

struct PageExtent {
    Length width, height;
};

inline constexpr double viewMargin = 12;  // device pixels around and between pages

// How many pages a view shows at once in the mode.
int pagesShown(ViewMode mode, int pageCount);

// Places the shown pages from `firstPage` (1-based) at the zoom of the mode.
ViewLayout layoutView(const std::vector<PageExtent>& pages, int firstPage, ViewMode mode,
                      double percentage, const Viewport& viewport);

} // namespace kesto::activex
