#include "activex/QtPrintPort.h"
#include "activex/PreviewError.h"
#include "activex/Renderer.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace kesto::activex {

namespace {

constexpr std::string_view pdfPrefix = "PDF:";

bool isPdfTarget(const std::string& name)
{
    return name.starts_with(pdfPrefix);
}

void aimAtPdf(QPrinter& printer, const std::string& name)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(name.substr(pdfPrefix.size())));
}

QPrinterInfo knownPrinter(const std::string& name)
{
    return name.empty() ? QPrinterInfo() : QPrinterInfo::printerInfo(QString::fromStdString(name));
}

int paperCodeOf(const QPageSize& size, int fallback)
{
    switch (size.id()) {
    case QPageSize::A3: return 8;
    case QPageSize::A4: return 9;
    case QPageSize::A5: return 11;
    default: return fallback;
    }
}

QPageSize::PageSizeId pageSizeOf(int paperCode)
{
    switch (paperCode) {
    case 8: return QPageSize::A3;
    case 11: return QPageSize::A5;
    default: return QPageSize::A4;
    }
}

} // namespace

bool QtPrintPort::runDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PrintSetup> QtPrintPort::printDialog(const PrintSetup& current)
{
    QPrinter printer(QPrinter::HighResolution);
    if (isPdfTarget(current.printerName))
        aimAtPdf(printer, current.printerName);
    else if (const QPrinterInfo info = knownPrinter(current.printerName); !info.isNull())
        printer.setPrinterName(info.printerName());
    printer.setPageSize(QPageSize(pageSizeOf(current.paperSize)));
    printer.setPageOrientation(current.orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait);
    printer.setCopyCount(1);
    if (!runDialog(printer))
        return std::nullopt;

    PrintSetup chosen = current;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        chosen.printerName = std::string(pdfPrefix) + printer.outputFileName().toStdString();
    else
        chosen.printerName = printer.printerName().toStdString();
    chosen.paperSize = paperCodeOf(printer.pageLayout().pageSize(), current.paperSize);
    chosen.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                             ? PageOrientation::Landscape
                             : PageOrientation::Portrait;
    return chosen;
}

void QtPrintPort::print(std::span<const Page> pages, const std::string& printerName)
{
    if (pages.empty())
        return;
    std::unique_ptr<QPrinter> printer;
    if (isPdfTarget(printerName)) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        aimAtPdf(*printer, printerName);
    } else if (const QPrinterInfo info = knownPrinter(printerName); !info.isNull()) {
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        if (printerName.empty() && fallback.isNull())
            throw PreviewError(PreviewError::invalidCall, "Kein Drucker verfügbar");
        printer = std::make_unique<QPrinter>(fallback, QPrinter::HighResolution);
        // An unknown name: the user picks the printer, the default one preselected.
        if (!printerName.empty() && !runDialog(*printer))
            return;
    }
    // The program prints its copies itself.
    printer->setCopyCount(1);
    printer->setFullPage(true);
    paintPages(*printer, pages);
}

} // namespace kesto::activex
