#include "GuiApp.h"

#include "activex/PreviewWidget.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace kesto::activex;

namespace {

using Fired = std::vector<std::pair<int, double>>;

void wheel(QWidget* target, int notches, Qt::KeyboardModifiers modifiers)
{
    const QPointF pos(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace

class Widget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        vp.StartDoc();
        for (int i = 1; i < 4; ++i)
            vp.NewPage();
        vp.EndDoc();
        vp.setEventHandler([this](PreviewEvent e, double arg) { fired.emplace_back(static_cast<int>(e), arg); });
        widget = std::make_unique<PreviewWidget>(vp);
        widget->resize(400, 500);
        widget->show();
    }
    VSPrinter vp;
    Fired fired;
    std::unique_ptr<PreviewWidget> widget;
};

TEST_F(Widget, KeysTurnPagesAsTheUser)
{
    QTest::keyClick(widget.get(), Qt::Key_PageDown);
    QTest::keyClick(widget.get(), Qt::Key_End);
    QTest::keyClick(widget.get(), Qt::Key_PageDown);  // already on the last page
    QTest::keyClick(widget.get(), Qt::Key_Home);
    EXPECT_EQ(fired, (Fired{{32, 2}, {32, 4}, {32, 1}}));
    EXPECT_EQ(vp.PreviewPage(), 1);
}

TEST_F(Widget, TwoPageViewTurnsTwoPages)
{
    vp.setZoomMode(2);
    QTest::keyClick(widget.get(), Qt::Key_PageDown);
    EXPECT_EQ(fired, (Fired{{32, 3}}));
    EXPECT_EQ(vp.viewLayout().placed.size(), 2u);
}

TEST_F(Widget, CtrlWheelZoomsAsTheUser)
{
    const double before = vp.Zoom();
    wheel(widget->viewport(), 1, Qt::ControlModifier);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].first, 33);
    EXPECT_NEAR(fired[0].second, before * 1.1, 1e-9);
    EXPECT_EQ(vp.ZoomMode(), 0);
    EXPECT_DOUBLE_EQ(vp.Zoom(), fired[0].second);
}

TEST_F(Widget, WheelAtThePageEndTurnsThePage)
{
    wheel(widget->viewport(), -1, Qt::NoModifier);  // the whole page is shown: no scrolling
    wheel(widget->viewport(), 1, Qt::NoModifier);
    EXPECT_EQ(fired, (Fired{{32, 2}, {32, 1}}));
}

TEST_F(Widget, ProgramChangesRaiseNoEvents)
{
    vp.setPreviewPage(3);
    vp.setZoom(200);
    vp.setZoomMode(4);
    EXPECT_TRUE(fired.empty());
}

TEST_F(Widget, FittingZoomFollowsTheWidgetSize)
{
    const double small = vp.Zoom();
    widget->resize(800, 1000);
    EXPECT_GT(vp.Zoom(), small * 1.5);
    EXPECT_EQ(vp.viewport().width, widget->viewport()->width());
}

TEST_F(Widget, ZoomedInViewScrolls)
{
    vp.setZoom(200);
    EXPECT_GT(widget->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(widget->horizontalScrollBar()->maximum(), 0);
    vp.setZoomMode(3);
    EXPECT_EQ(widget->verticalScrollBar()->maximum(), 0);
}

TEST_F(Widget, PaintsWhitePagesOnGrey)
{
    const QImage shot = widget->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(255, 255, 255));
}

TEST_F(Widget, ShowsThePageTheProgramChose)
{
    vp.StartDoc();
    vp.NewPage();
    vp.setPenStyle(5);
    vp.setBrushStyle(0);
    vp.setBrushColor(0);
    vp.DrawRectangle(mm(0), mm(0), mm(210), mm(297));  // page 2 is black
    vp.EndDoc();
    const auto centre = [this] {
        const QImage shot = widget->viewport()->grab().toImage();
        return shot.pixelColor(shot.width() / 2, shot.height() / 2);
    };
    EXPECT_EQ(centre(), QColor(255, 255, 255));
    vp.setPreviewPage(2);
    EXPECT_EQ(centre(), QColor(0, 0, 0));
}
