#pragma once

#include "activex/DrawState.h"
#include "activex/Length.h"
#include "activex/Page.h"
#include "activex/PrintPort.h"
#include "activex/ViewLayout.h"

#include <QImage>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kesto::activex {

// Notifications of the preview, numbered as the main window handles them.
enum class PreviewEvent {
    PaperChanged = 9,    // paper size or orientation really changed
    DocumentEnded = 21,  // after EndDoc
    PageChanged = 32,    // the user showed another page; argument: the page
    ZoomChanged = 33,    // the user zoomed; argument: the zoom percentage
};
using PreviewEventHandler = std::function<void(PreviewEvent, double argument)>;

// A picture extent: a length, or a percentage of the picture's own size.
struct Percent {
    double value = 100;
};
using PictureExtent = std::variant<Length, Percent>;
// "n%" gives a percentage; a plain number gives page units.
PictureExtent pictureExtent(std::string_view text);

// Parses a point list "x y, x y, ..." in page units ("." decimals, blanks optional).
std::vector<Point> parsePointList(std::string_view pointList);

// The print-preview control: a document of pages of recorded drawing operations in
// page units, with the drawing state captured per operation. Views and printing read
// it; it knows no widget.
class VSPrinter {
public:
    VSPrinter();
    // Views and handlers hold on to one control; a copy would leave them behind.
    VSPrinter(const VSPrinter&) = delete;
    VSPrinter& operator=(const VSPrinter&) = delete;

    // Font and text state.
    const std::string& FontName() const { return text_.font.name; }
    void setFontName(std::string_view name);
    double FontSize() const { return text_.font.size; }
    void setFontSize(double points);
    bool FontBold() const { return text_.font.bold; }
    void setFontBold(bool bold) { text_.font.bold = bold; }
    Colour TextColor() const { return text_.colour; }
    void setTextColor(Colour c) { text_.colour = c; }
    int TextAngle() const { return text_.angle; }
    void setTextAngle(int tenthsOfDegree) { text_.angle = tenthsOfDegree; }
    int TextAlign() const { return text_.align; }
    void setTextAlign(int code);

    // Pen and brush.
    Colour PenColor() const { return pen_.colour; }
    void setPenColor(Colour c) { pen_.colour = c; }
    int PenStyle() const { return static_cast<int>(pen_.style); }
    void setPenStyle(int code);
    Length PenWidth() const { return pen_.width; }
    void setPenWidth(Length width);
    Colour BrushColor() const { return brush_.colour; }
    void setBrushColor(Colour c) { brush_.colour = c; }
    int BrushStyle() const { return static_cast<int>(brush_.style); }
    void setBrushStyle(int code);

    // Text position.
    Length CurrentX() const { return currentX_; }
    void setCurrentX(Length x);
    Length CurrentY() const { return currentY_; }
    void setCurrentY(Length y);

    // While set, text boxes take their text as rich-text code.
    bool RichText() const { return richText_; }
    void setRichText(bool on) { richText_ = on; }

    // Text output and measuring.
    void Text(std::string_view text);
    void Measure(std::string_view text);
    void CalcText(std::string_view text) { Measure(text); }
    Length TextWid() const { return textWid_; }
    Length TextHei() const { return textHei_; }
    Length TextWidth(std::string_view text) const;
    Length TextHeight(std::string_view text) const;
    void TextBox(std::string_view text, Length left, Length top, Length width, Length height,
                 bool flag1 = false, bool flag2 = false, bool frame = false);

    // Shapes, with the current pen and brush.
    void Polygon(std::string_view pointList);
    void Polygon(std::span<const Point> points);
    void DrawLine(Length x1, Length y1, Length x2, Length y2);
    void DrawCircle(Length cx, Length cy, Length radius);
    void DrawCircle(Length cx, Length cy, Length radius, double startRadians, double endRadians);
    void DrawEllipse(Length left, Length top, Length right, Length bottom);
    void DrawRectangle(Length left, Length top, Length right, Length bottom);
    void DrawPicture(const QImage& picture, Length left, Length top);
    void DrawPicture(const QImage& picture, Length left, Length top, PictureExtent width,
                     PictureExtent height);

    // Document and pages.
    void StartDoc();
    void NewPage();
    void EndDoc();
    bool documentOpen() const { return open_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    std::span<const Page> pages() const { return pages_; }

    // Paper of the pages started from now on.
    int PaperSize() const { return paperSize_; }
    void setPaperSize(int code);
    int Orientation() const { return static_cast<int>(orientation_); }
    void setOrientation(int code);

    // The view: shown page (1-based, 0 without pages), zoom.
    int PreviewPage() const { return previewPage_; }
    void setPreviewPage(int page);
    int PagesShown() const;
    double Zoom() const;
    void setZoom(double percentage);
    int ZoomMode() const { return static_cast<int>(zoomMode_); }
    void setZoomMode(int mode);
    void setViewport(const Viewport& viewport);
    const Viewport& viewport() const { return viewport_; }
    ViewLayout viewLayout() const;
    // Changes made by the user in a view: they raise events 32 and 33.
    void userShowPage(int page);
    void userSetZoom(double percentage);

    // Printing.
    const std::string& PrinterName() const { return printerName_; }
    void setPrinterName(std::string_view name) { printerName_ = name; }
    void setPrintPort(PrintPort* port) { printPort_ = port; }
    bool ShowPrintDialog();
    void PrintPages();
    void PrintPages(int first, int last);
    // One job of the listed pages (1-based) in the order given, repeats included; pages
    // that do not exist are left out.
    void PrintPages(std::span<const int> pageNumbers);

    void setEventHandler(PreviewEventHandler handler) { eventHandler_ = std::move(handler); }
    // Called when pages, the shown page or the zoom change, for views to repaint.
    void setViewObserver(std::function<void()> observer) { viewObserver_ = std::move(observer); }

private:
    Page& currentPage();
    void record(DrawOp op);
    void startPage();
    void applyPaper(int paperSize, PageOrientation orientation);
    void clampPreviewPage();
    void viewChanged();
    void raise(PreviewEvent event, double argument = 0);

    TextStyle text_;
    Pen pen_;
    Brush brush_;
    Length currentX_, currentY_;
    Length textWid_, textHei_;
    bool richText_ = false;

    std::vector<Page> pages_;
    bool open_ = false;
    int paperSize_ = 9;
    PageOrientation orientation_ = PageOrientation::Portrait;

    int previewPage_ = 0;
    ViewMode zoomMode_ = ViewMode::WholePage;
    double zoomPercentage_ = 100;
    Viewport viewport_;

    std::string printerName_;
    PrintPort* printPort_ = nullptr;

    PreviewEventHandler eventHandler_;
    std::function<void()> viewObserver_;
    bool inPaperEvent_ = false;
};

} // namespace kesto::activex
