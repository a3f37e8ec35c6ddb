#include "activex/PreviewWidget.h"
#include "activex/Renderer.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kesto::activex {

namespace {

constexpr double zoomStep = 1.1;  // per wheel notch
constexpr double smallestZoom = 10;
constexpr double largestZoom = 1000;
const QColor background(128, 128, 128);

} // namespace

PreviewWidget::PreviewWidget(VSPrinter& printer, QWidget* parent)
    : QAbstractScrollArea(parent), printer_(printer)
{
    setFocusPolicy(Qt::StrongFocus);
    printer_.setViewObserver([this] { modelChanged(); });
    syncViewport();
}

PreviewWidget::~PreviewWidget()
{
    printer_.setViewObserver({});
}

void PreviewWidget::syncViewport()
{
    printer_.setViewport({viewport()->width(), viewport()->height(), static_cast<double>(logicalDpiX())});
}

void PreviewWidget::modelChanged()
{
    updateScrollBars(printer_.viewLayout());
    viewport()->update();
}

void PreviewWidget::updateScrollBars(const ViewLayout& layout)
{
    const int excessX = std::max(0, static_cast<int>(std::ceil(layout.contentWidth)) - viewport()->width());
    const int excessY = std::max(0, static_cast<int>(std::ceil(layout.contentHeight)) - viewport()->height());
    horizontalScrollBar()->setRange(0, excessX);
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, excessY);
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, viewport()->height() / 10));
}

void PreviewWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    syncViewport();
    updateScrollBars(printer_.viewLayout());
}

void PreviewWidget::scrollContentsBy(int, int)
{
    viewport()->update();
}

void PreviewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), background);
    const ViewLayout layout = printer_.viewLayout();
    // Content smaller than the view is centred; larger content scrolls.
    const double originX = layout.contentWidth < viewport()->width()
                               ? (viewport()->width() - layout.contentWidth) / 2
                               : -horizontalScrollBar()->value();
    const double originY = layout.contentHeight < viewport()->height()
                               ? (viewport()->height() - layout.contentHeight) / 2
                               : -verticalScrollBar()->value();
    const auto pages = printer_.pages();
    for (const PageSlot& slot : layout.placed) {
        const QRectF area(originX + slot.x, originY + slot.y, slot.width, slot.height);
        painter.fillRect(area.translated(3, 3), QColor(80, 80, 80));
        painter.fillRect(area, Qt::white);
        painter.save();
        painter.setClipRect(area);
        painter.translate(area.topLeft());
        painter.scale(layout.pixelsPerUnit, layout.pixelsPerUnit);
        try {
            renderPage(painter, pages[static_cast<std::size_t>(slot.page - 1)]);
        } catch (const std::exception&) {
            // A page that cannot be painted stays blank; the error showed when it was drawn.
        }
        painter.restore();
    }
}

void PreviewWidget::turnPage(int delta)
{
    const int step = std::max(1, printer_.PagesShown());
    printer_.userShowPage(printer_.PreviewPage() + delta * step);
}

void PreviewWidget::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        const double zoom = std::clamp(printer_.Zoom() * std::pow(zoomStep, notches), smallestZoom, largestZoom);
        printer_.userSetZoom(zoom);
        event->accept();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    const bool atStart = bar->value() <= bar->minimum();
    if (notches < 0 && atEnd && printer_.PreviewPage() < printer_.PageCount()) {
        turnPage(1);
        bar->setValue(bar->minimum());
        event->accept();
    } else if (notches > 0 && atStart && printer_.PreviewPage() > 1) {
        turnPage(-1);
        bar->setValue(bar->maximum());
        event->accept();
    } else {
        QAbstractScrollArea::wheelEvent(event);
    }
}

void PreviewWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown: turnPage(1); break;
    case Qt::Key_PageUp: turnPage(-1); break;
    case Qt::Key_Home: printer_.userShowPage(1); break;
    case Qt::Key_End: printer_.userShowPage(printer_.PageCount()); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

} // namespace kesto::activex
