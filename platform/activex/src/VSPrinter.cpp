// State, document, view and printing of the preview control; drawing is in VSPrinterDraw.cpp.
#include "activex/VSPrinter.h"
#include "Validate.h"

#include <algorithm>
#include <cmath>

namespace kesto::activex {

namespace {

constexpr double maximumFontSize = 10000;  // points
constexpr double maximumZoom = 10000;      // percent

template <class Style>
Style styleFromCode(int code, Style last, const char* what)
{
    if (code < 0 || code > static_cast<int>(last))
        invalidValue(what);
    return static_cast<Style>(code);
}

} // namespace

VSPrinter::VSPrinter() = default;

void VSPrinter::setFontName(std::string_view name)
{
    text_.font.name = std::string(name);
}

void VSPrinter::setFontSize(double points)
{
    if (!std::isfinite(points) || points <= 0 || points > maximumFontSize)
        invalidValue("FontSize");
    text_.font.size = points;
}

void VSPrinter::setTextAlign(int code)
{
    if (code < 0)
        invalidValue("TextAlign");
    text_.align = code;
}

void VSPrinter::setPenStyle(int code)
{
    pen_.style = styleFromCode(code, PenStyle::InsideSolid, "PenStyle");
}

void VSPrinter::setPenWidth(Length width)
{
    requireFinite({width}, "PenWidth");
    if (width.units() < 0)
        invalidValue("PenWidth");
    pen_.width = width;
}

void VSPrinter::setBrushStyle(int code)
{
    brush_.style = styleFromCode(code, BrushStyle::DiagonalCross, "BrushStyle");
}

void VSPrinter::setCurrentX(Length x)
{
    requireFinite({x}, "CurrentX");
    currentX_ = x;
}

void VSPrinter::setCurrentY(Length y)
{
    requireFinite({y}, "CurrentY");
    currentY_ = y;
}

// Document and pages.

void VSPrinter::StartDoc()
{
    pages_.clear();
    open_ = true;
    currentX_ = currentY_ = Length();
    startPage();
    clampPreviewPage();
    viewChanged();
}

void VSPrinter::NewPage()
{
    currentPage();  // refuses without a document
    startPage();
    viewChanged();
}

void VSPrinter::EndDoc()
{
    if (!open_)
        return;
    open_ = false;
    clampPreviewPage();
    viewChanged();
    raise(PreviewEvent::DocumentEnded);
}

void VSPrinter::startPage()
{
    const auto paper = paperDimensions(paperSize_);
    Page page;
    page.paperSize = paperSize_;
    page.orientation = orientation_;
    const bool landscape = orientation_ == PageOrientation::Landscape;
    page.width = mm(landscape ? paper.heightMm : paper.widthMm);
    page.height = mm(landscape ? paper.widthMm : paper.heightMm);
    pages_.push_back(std::move(page));
}

Page& VSPrinter::currentPage()
{
    if (!open_)
        throw PreviewError(PreviewError::invalidCall, "Kein Dokument geöffnet");
    return pages_.back();
}

void VSPrinter::record(DrawOp op)
{
    currentPage().ops.push_back(std::move(op));
}

// Paper.

void VSPrinter::setPaperSize(int code)
{
    paperDimensions(code);  // refuses unknown codes
    applyPaper(code, orientation_);
}

void VSPrinter::setOrientation(int code)
{
    applyPaper(paperSize_, code == 0 ? PageOrientation::Portrait : PageOrientation::Landscape);
}

void VSPrinter::applyPaper(int paperSize, PageOrientation orientation)
{
    if (paperSize == paperSize_ && orientation == orientation_)
        return;
    paperSize_ = paperSize;
    orientation_ = orientation;
    // A handler that changes the paper again gets no second notification.
    if (inPaperEvent_)
        return;
    inPaperEvent_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inPaperEvent_};
    raise(PreviewEvent::PaperChanged);
}

// View.

void VSPrinter::clampPreviewPage()
{
    previewPage_ = pages_.empty() ? 0 : std::clamp(previewPage_, 1, PageCount());
}

void VSPrinter::setPreviewPage(int page)
{
    const int before = previewPage_;
    previewPage_ = page;
    clampPreviewPage();
    if (previewPage_ != before)
        viewChanged();
}

void VSPrinter::userShowPage(int page)
{
    const int before = previewPage_;
    setPreviewPage(page);
    if (previewPage_ != before)
        raise(PreviewEvent::PageChanged, previewPage_);
}

int VSPrinter::PagesShown() const
{
    return pagesShown(zoomMode_, PageCount());
}

double VSPrinter::Zoom() const
{
    return zoomMode_ == ViewMode::Percentage ? zoomPercentage_ : viewLayout().zoom;
}

void VSPrinter::setZoom(double percentage)
{
    if (!std::isfinite(percentage) || percentage <= 0 || percentage > maximumZoom)
        invalidValue("Zoom");
    zoomMode_ = ViewMode::Percentage;
    zoomPercentage_ = percentage;
    viewChanged();
}

void VSPrinter::userSetZoom(double percentage)
{
    setZoom(percentage);
    raise(PreviewEvent::ZoomChanged, zoomPercentage_);
}

void VSPrinter::setZoomMode(int mode)
{
    if (mode < 0 || mode > static_cast<int>(ViewMode::PageWidth))
        invalidValue("ZoomMode");
    if (mode == static_cast<int>(ViewMode::Percentage))
        zoomPercentage_ = Zoom();  // the view keeps its size
    zoomMode_ = static_cast<ViewMode>(mode);
    viewChanged();
}

void VSPrinter::setViewport(const Viewport& viewport)
{
    if (viewport.width > 0 && viewport.height > 0 && viewport.dpi > 0)
        viewport_ = viewport;
}

ViewLayout VSPrinter::viewLayout() const
{
    std::vector<PageExtent> extents;
    extents.reserve(pages_.size());
    for (const auto& page : pages_)
        extents.push_back({page.width, page.height});
    return layoutView(extents, previewPage_, zoomMode_, zoomPercentage_, viewport_);
}

void VSPrinter::viewChanged()
{
    if (viewObserver_)
        viewObserver_();
}

void VSPrinter::raise(PreviewEvent event, double argument)
{
    if (eventHandler_)
        eventHandler_(event, argument);
}

// Printing.

bool VSPrinter::ShowPrintDialog()
{
    if (!printPort_)
        throw PreviewError(PreviewError::invalidCall, "Kein Drucker eingerichtet");
    const auto choice = printPort_->printDialog({printerName_, paperSize_, orientation_});
    if (!choice)
        return false;
    printerName_ = choice->printerName;
    applyPaper(isKnownPaperSize(choice->paperSize) ? choice->paperSize : paperSize_, choice->orientation);
    return true;
}

void VSPrinter::PrintPages()
{
    PrintPages(1, PageCount());
}

void VSPrinter::PrintPages(int first, int last)
{
    std::vector<int> numbers;
    for (int page = std::max(first, 1); page <= std::min(last, PageCount()); ++page)
        numbers.push_back(page);
    PrintPages(numbers);
}

void VSPrinter::PrintPages(std::span<const int> pageNumbers)
{
    if (!printPort_)
        throw PreviewError(PreviewError::invalidCall, "Kein Drucker eingerichtet");
    std::vector<Page> job;
    job.reserve(pageNumbers.size());
    for (const int page : pageNumbers)
        if (page >= 1 && page <= PageCount())
            job.push_back(pages_[page - 1]);
    if (job.empty())
        return;
    printPort_->print(job, printerName_);
}

} // namespace kesto::activex
