#pragma once

#include "activex/VSPrinter.h"

#include <QAbstractScrollArea>

namespace kesto::activex {

// Shows the preview's pages on grey at its zoom. Ctrl+wheel zooms; Page Up/Down,
// Home/End and the wheel at the end of a page turn pages. Changes by the user go to
// the model, which raises events 32 and 33.
class PreviewWidget : public QAbstractScrollArea {
public:
    explicit PreviewWidget(VSPrinter& printer, QWidget* parent = nullptr);
    ~PreviewWidget() override;

    VSPrinter& printer() { return printer_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void modelChanged();
    void syncViewport();
    void updateScrollBars(const ViewLayout& layout);
    void turnPage(int delta);

    VSPrinter& printer_;
};

} // namespace kesto::activex
