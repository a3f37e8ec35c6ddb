#include "activex/PreviewError.h"
#include "activex/Renderer.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace kesto::activex {

namespace {

constexpr int pdfResolution = 1200;

QPageLayout layoutOf(const Page& page)
{
    const auto paper = paperDimensions(page.paperSize);
    const QPageSize size(QSizeF(paper.widthMm, paper.heightMm), QPageSize::Millimeter);
    const auto orientation = page.orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                             : QPageLayout::Portrait;
    return QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void scaleToDevice(QPainter& painter, double dpi)
{
    const double pixelsPerUnit = dpi / 25.4 / unitsPerMm;
    painter.scale(pixelsPerUnit, pixelsPerUnit);
}

} // namespace

QImage renderPageImage(const Page& page, double dpi)
{
    if (!(dpi > 0) || dpi > 2400)
        throw PreviewError(PreviewError::invalidValue, "Ungültige Auflösung");
    const int width = static_cast<int>(std::ceil(page.width.mm() / 25.4 * dpi));
    const int height = static_cast<int>(std::ceil(page.height.mm() / 25.4 * dpi));
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw PreviewError(PreviewError::invalidValue, "Bild zu groß");
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    scaleToDevice(painter, dpi);
    renderPage(painter, page);
    return image;
}

void paintPages(QPagedPaintDevice& device, std::span<const Page> pages)
{
    if (pages.empty())
        return;
    device.setPageLayout(layoutOf(pages.front()));
    QPainter painter;
    if (!painter.begin(&device))
        throw PreviewError(PreviewError::invalidCall, "Ausgabegerät nicht bereit");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            device.setPageLayout(layoutOf(pages[i]));
            device.newPage();
        }
        painter.save();
        scaleToDevice(painter, device.logicalDpiX());
        renderPage(painter, pages[i]);
        painter.restore();
    }
    painter.end();
}

void exportPng(std::span<const Page> pages, const std::filesystem::path& folder, double dpi)
{
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto file = folder / ("page-" + std::to_string(i + 1) + ".png");
        if (!renderPageImage(pages[i], dpi).save(QString::fromStdString(file.string()), "PNG"))
            throw PreviewError(PreviewError::invalidCall, "Kann " + file.string() + " nicht schreiben");
    }
}

void exportPdf(std::span<const Page> pages, const std::filesystem::path& file)
{
    if (pages.empty())
        throw PreviewError(PreviewError::invalidCall, "Keine Seiten zum Ausgeben");
    QPdfWriter writer(QString::fromStdString(file.string()));
    writer.setResolution(pdfResolution);
    writer.setCreator(QStringLiteral("Vovida"));
    paintPages(writer, pages);
}

} // namespace kesto::activex
