#include "activex/ViewLayout.h"

#include <algorithm>
#include <cmath>

namespace kesto::activex {

namespace {

constexpr double minimumZoom = 1;  // percent; keeps a tiny viewport from collapsing pages

struct Grid {
    int columns = 1, rows = 1;
    double cellWidth = 0, cellHeight = 0;  // page units

    double contentWidth(double scale) const { return columns * cellWidth * scale + (columns + 1) * viewMargin; }
    double contentHeight(double scale) const { return rows * cellHeight * scale + (rows + 1) * viewMargin; }

    double fitScale(const Viewport& v) const
    {
        const double sx = (v.width - (columns + 1) * viewMargin) / (columns * cellWidth);
        const double sy = (v.height - (rows + 1) * viewMargin) / (rows * cellHeight);
        return std::min(sx, sy);
    }
};

Grid gridOf(const std::vector<PageExtent>& shown, int columns)
{
    Grid g;
    g.columns = columns;
    g.rows = (static_cast<int>(shown.size()) + columns - 1) / columns;
    for (const auto& p : shown) {
        g.cellWidth = std::max(g.cellWidth, p.width.units());
        g.cellHeight = std::max(g.cellHeight, p.height.units());
    }
    return g;
}

} // namespace

int pagesShown(ViewMode mode, int pageCount)
{
    switch (mode) {
    case ViewMode::AllPages: return std::max(1, pageCount);
    case ViewMode::TwoPages: return pageCount >= 2 ? 2 : 1;
    default: return 1;
    }
}

ViewLayout layoutView(const std::vector<PageExtent>& pages, int firstPage, ViewMode mode,
                      double percentage, const Viewport& viewport)
{
    const int count = static_cast<int>(pages.size());
    const int shownCount = pagesShown(mode, count);
    const int first = count == 0 ? 1 : std::clamp(firstPage, 1, count - shownCount + 1);

    std::vector<PageExtent> shown;
    if (count == 0)
        shown.push_back({mm(210), mm(297)});  // an empty view still has a zoom
    else
        shown.assign(pages.begin() + (first - 1), pages.begin() + (first - 1 + shownCount));

    const double realSize = viewport.dpi / 25.4 / unitsPerMm;  // pixels per unit at 100 %
    Grid grid = gridOf(shown, mode == ViewMode::AllPages ? 1 : static_cast<int>(shown.size()));
    double scale = 0;
    switch (mode) {
    case ViewMode::Percentage:
        scale = percentage / 100 * realSize;
        break;
    case ViewMode::PageWidth:
        scale = (viewport.width - 2 * viewMargin) / grid.cellWidth;
        break;
    case ViewMode::AllPages:
        scale = grid.fitScale(viewport);
        for (int columns = 2; columns <= static_cast<int>(shown.size()); ++columns) {
            const Grid g = gridOf(shown, columns);
            if (g.fitScale(viewport) > scale) {
                grid = g;
                scale = g.fitScale(viewport);
            }
        }
        break;
    case ViewMode::TwoPages:
    case ViewMode::WholePage:
        scale = grid.fitScale(viewport);
        break;
    }
    scale = std::max(scale, minimumZoom / 100 * realSize);

    ViewLayout layout;
    layout.pixelsPerUnit = scale;
    layout.zoom = scale / realSize * 100;
    layout.contentWidth = grid.contentWidth(scale);
    layout.contentHeight = grid.contentHeight(scale);
    if (count == 0)
        return layout;
    for (int i = 0; i < shownCount; ++i) {
        const int column = i % grid.columns, row = i / grid.columns;
        PageSlot slot;
        slot.page = first + i;
        slot.x = viewMargin + column * (grid.cellWidth * scale + viewMargin);
        slot.y = viewMargin + row * (grid.cellHeight * scale + viewMargin);
        slot.width = shown[i].width.units() * scale;
        slot.height = shown[i].height.units() * scale;
        layout.placed.push_back(slot);
    }
    return layout;
}

} // namespace kesto::activex
