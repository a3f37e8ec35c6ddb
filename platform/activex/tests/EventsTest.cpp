#include "activex/PreviewError.h"
#include "activex/VSPrinter.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace kesto::activex;

namespace {

using Fired = std::vector<std::pair<int, double>>;

struct ScriptedPrintPort : PrintPort {
    std::optional<PrintSetup> answer;
    std::vector<PrintSetup> dialogs;
    struct Job { std::vector<int> paperSizes; std::size_t pages; std::string printer; };
    std::vector<Job> jobs;

    std::optional<PrintSetup> printDialog(const PrintSetup& current) override
    {
        dialogs.push_back(current);
        return answer;
    }
    void print(std::span<const Page> pages, const std::string& printerName) override
    {
        Job job{{}, pages.size(), printerName};
        for (const auto& p : pages)
            job.paperSizes.push_back(p.paperSize);
        jobs.push_back(job);
    }
};

} // namespace

class Events : public ::testing::Test {
protected:
    void SetUp() override
    {
        vp.setEventHandler([this](PreviewEvent e, double arg) { fired.emplace_back(static_cast<int>(e), arg); });
    }
    void makePages(int n)
    {
        vp.StartDoc();
        for (int i = 1; i < n; ++i)
            vp.NewPage();
        vp.EndDoc();
        fired.clear();
    }
    VSPrinter vp;
    Fired fired;
};

TEST_F(Events, PaperEventOnlyOnARealChange)
{
    vp.setPaperSize(9);
    vp.setOrientation(0);
    EXPECT_TRUE(fired.empty());
    vp.setPaperSize(8);
    vp.setOrientation(1);
    vp.setOrientation(5);  // still landscape
    vp.setPaperSize(8);
    EXPECT_EQ(fired, (Fired{{9, 0}, {9, 0}}));
    EXPECT_THROW(vp.setPaperSize(3), PreviewError);
    EXPECT_EQ(fired.size(), 2u);
}

TEST_F(Events, PaperEventIsNotReentrant)
{
    int depth = 0, calls = 0;
    vp.setEventHandler([&](PreviewEvent e, double) {
        ASSERT_EQ(e, PreviewEvent::PaperChanged);
        ++calls;
        ++depth;
        EXPECT_EQ(depth, 1);
        vp.setPaperSize(11);  // the handler changes it again: no nested event
        --depth;
    });
    vp.setPaperSize(8);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(vp.PaperSize(), 11);
    vp.setPaperSize(9);  // after the handler, events fire again
    EXPECT_EQ(calls, 2);
}

TEST_F(Events, PaperEventGuardSurvivesAThrowingHandler)
{
    vp.setEventHandler([](PreviewEvent, double) { throw std::runtime_error("handler"); });
    EXPECT_THROW(vp.setPaperSize(8), std::runtime_error);
    EXPECT_THROW(vp.setPaperSize(9), std::runtime_error);  // still raised
}

TEST_F(Events, DocumentEndedAfterEndDocOnly)
{
    vp.StartDoc();
    vp.NewPage();
    EXPECT_TRUE(fired.empty());
    vp.EndDoc();
    EXPECT_EQ(fired, (Fired{{21, 0}}));
    vp.EndDoc();  // nothing open: nothing to end
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(Events, PageAndZoomEventsOnlyForTheUser)
{
    makePages(5);
    vp.setPreviewPage(3);
    vp.setZoom(150);
    vp.setZoomMode(4);
    EXPECT_TRUE(fired.empty());
    vp.userShowPage(4);
    vp.userShowPage(4);  // no change, no event
    vp.userSetZoom(75);
    EXPECT_EQ(fired, (Fired{{32, 4}, {33, 75}}));
    EXPECT_EQ(vp.ZoomMode(), 0);
}

TEST_F(Events, PreviewPageIsClampedToThePages)
{
    EXPECT_EQ(vp.PreviewPage(), 0);
    EXPECT_EQ(vp.PageCount(), 0);
    vp.setPreviewPage(3);
    EXPECT_EQ(vp.PreviewPage(), 0);
    makePages(4);
    EXPECT_EQ(vp.PreviewPage(), 1);
    vp.setPreviewPage(9);
    EXPECT_EQ(vp.PreviewPage(), 4);
    vp.setPreviewPage(-2);
    EXPECT_EQ(vp.PreviewPage(), 1);
    makePages(2);  // a new document shows its first page
    EXPECT_EQ(vp.PreviewPage(), 1);
    vp.userShowPage(7);
    vp.userShowPage(3);  // already on the last page
    EXPECT_EQ(fired, (Fired{{32, 2}}));
}

TEST_F(Events, PagesShownFollowsTheZoomMode)
{
    struct Case { int mode, pages, shown; };
    for (const Case c : {Case{0, 5, 1}, Case{3, 5, 1}, Case{4, 5, 1}, Case{2, 5, 2}, Case{2, 1, 1},
                         Case{1, 5, 5}, Case{1, 0, 1}}) {
        VSPrinter p;
        if (c.pages > 0) {
            p.StartDoc();
            for (int i = 1; i < c.pages; ++i)
                p.NewPage();
        }
        p.setZoomMode(c.mode);
        EXPECT_EQ(p.PagesShown(), c.shown) << c.mode << " " << c.pages;
    }
}

TEST_F(Events, ZoomOfTheFittingModesFollowsTheView)
{
    makePages(1);  // A4 portrait: 793.7 x 1122.5 px at 96 dpi and 100 %
    vp.setViewport({1000, 1146, 96});
    EXPECT_EQ(vp.ZoomMode(), 3);
    EXPECT_NEAR(vp.Zoom(), 100 * (1146 - 24) / 1122.52, 0.01);
    vp.setViewport({600, 1146, 96});
    EXPECT_NEAR(vp.Zoom(), 100 * (600 - 24) / 793.70, 0.01);  // now the width limits
    vp.setZoomMode(4);
    EXPECT_NEAR(vp.Zoom(), 100 * (600 - 24) / 793.70, 0.01);
    vp.setViewport({1200, 1146, 96});
    EXPECT_NEAR(vp.Zoom(), 100 * (1200 - 24) / 793.70, 0.01);
    // Choosing a percentage keeps the size the view had.
    const double zoom = vp.Zoom();
    vp.setZoomMode(0);
    EXPECT_DOUBLE_EQ(vp.Zoom(), zoom);
    vp.setZoom(50);
    EXPECT_DOUBLE_EQ(vp.Zoom(), 50);
    EXPECT_EQ(vp.ZoomMode(), 0);
}

TEST_F(Events, PrintDialogAppliesPaperAndRaisesEvent9)
{
    ScriptedPrintPort port;
    vp.setPrintPort(&port);
    vp.setPrinterName("Etiketten");
    port.answer = PrintSetup{"Büro", 8, PageOrientation::Landscape};
    EXPECT_TRUE(vp.ShowPrintDialog());
    ASSERT_EQ(port.dialogs.size(), 1u);
    EXPECT_EQ(port.dialogs[0].printerName, "Etiketten");
    EXPECT_EQ(vp.PrinterName(), "Büro");
    EXPECT_EQ(vp.PaperSize(), 8);
    EXPECT_EQ(vp.Orientation(), 1);
    EXPECT_EQ(fired, (Fired{{9, 0}}));

    port.answer = PrintSetup{"Büro", 8, PageOrientation::Landscape};  // nothing changed
    EXPECT_TRUE(vp.ShowPrintDialog());
    port.answer.reset();
    EXPECT_FALSE(vp.ShowPrintDialog());  // cancelled
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(Events, PrintPagesClipsToExistingPages)
{
    ScriptedPrintPort port;
    vp.setPrintPort(&port);
    vp.setPaperSize(8);
    vp.StartDoc();
    vp.setPaperSize(9);
    vp.NewPage();
    vp.NewPage();
    vp.EndDoc();
    vp.setPrinterName("PDF:/tmp/x.pdf");

    vp.PrintPages();
    vp.PrintPages(2, 2);
    vp.PrintPages(3, 9);  // beyond the end: only page 3
    vp.PrintPages(4, 4);  // no such page: no job
    vp.PrintPages(3, 2);
    ASSERT_EQ(port.jobs.size(), 3u);
    EXPECT_EQ(port.jobs[0].paperSizes, (std::vector<int>{8, 9, 9}));
    EXPECT_EQ(port.jobs[0].printer, "PDF:/tmp/x.pdf");
    EXPECT_EQ(port.jobs[1].pages, 1u);
    EXPECT_EQ(port.jobs[2].pages, 1u);
}

// Chosen pages and their copies leave as one job, in the order given.
TEST_F(Events, PrintPageListIsOneJob)
{
    ScriptedPrintPort port;
    vp.setPrintPort(&port);
    for (const int paper : {8, 9, 11}) {
        vp.setPaperSize(paper);
        if (paper == 8)
            vp.StartDoc();
        else
            vp.NewPage();
    }
    vp.EndDoc();

    vp.PrintPages(std::vector<int>{3, 1, 7, 0, 3, 1});  // 7 and 0 do not exist
    vp.PrintPages(std::vector<int>{5});
    ASSERT_EQ(port.jobs.size(), 1u);
    EXPECT_EQ(port.jobs[0].paperSizes, (std::vector<int>{11, 8, 11, 8}));
}

TEST_F(Events, PrintingWithoutAPortIsRefused)
{
    EXPECT_THROW(vp.ShowPrintDialog(), PreviewError);
    EXPECT_THROW(vp.PrintPages(), PreviewError);
}
