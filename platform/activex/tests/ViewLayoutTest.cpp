#include "activex/ViewLayout.h"

#include <gtest/gtest.h>

using namespace kesto::activex;

namespace {

std::vector<PageExtent> a4Pages(int n)
{
    return std::vector<PageExtent>(static_cast<std::size_t>(n), PageExtent{mm(210), mm(297)});
}

bool overlaps(const PageSlot& a, const PageSlot& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

} // namespace

TEST(ViewLayout, AllPagesFitTheViewWithoutOverlap)
{
    for (const Viewport v : {Viewport{1600, 600, 96}, Viewport{600, 1600, 96}, Viewport{800, 800, 96}}) {
        const ViewLayout layout = layoutView(a4Pages(4), 1, ViewMode::AllPages, 100, v);
        ASSERT_EQ(layout.placed.size(), 4u);
        EXPECT_LE(layout.contentWidth, v.width + 1e-9);
        EXPECT_LE(layout.contentHeight, v.height + 1e-9);
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t j = i + 1; j < 4; ++j)
                EXPECT_FALSE(overlaps(layout.placed[i], layout.placed[j])) << i << " " << j;
    }
    // A wide view puts the pages side by side.
    const auto wide = layoutView(a4Pages(4), 1, ViewMode::AllPages, 100, {1600, 600, 96});
    EXPECT_EQ(wide.placed[3].y, wide.placed[0].y);
}

TEST(ViewLayout, TwoPagesNeverRunPastTheLastPage)
{
    const auto layout = layoutView(a4Pages(5), 5, ViewMode::TwoPages, 100, {});
    ASSERT_EQ(layout.placed.size(), 2u);
    EXPECT_EQ(layout.placed[0].page, 4);
    EXPECT_EQ(layout.placed[1].page, 5);
    EXPECT_GT(layout.placed[1].x, layout.placed[0].x);
}

TEST(ViewLayout, PercentageIsRealSizeAtTheViewResolution)
{
    const auto layout = layoutView(a4Pages(1), 1, ViewMode::Percentage, 50, {800, 600, 144});
    ASSERT_EQ(layout.placed.size(), 1u);
    EXPECT_NEAR(layout.placed[0].width, 210 / 25.4 * 144 / 2, 1e-9);
    EXPECT_DOUBLE_EQ(layout.zoom, 50);
}

TEST(ViewLayout, EmptyAndTinyViewsStillHaveAZoom)
{
    const auto empty = layoutView({}, 0, ViewMode::WholePage, 100, {});
    EXPECT_TRUE(empty.placed.empty());
    EXPECT_GT(empty.zoom, 0);
    const auto tiny = layoutView(a4Pages(1), 1, ViewMode::WholePage, 100, {5, 5, 96});
    EXPECT_GE(tiny.zoom, 1);
}
