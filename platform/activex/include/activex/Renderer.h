#pragma once

#include "activex/Page.h"

#include <QImage>

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

class QPainter;
class QPagedPaintDevice;

namespace kesto::activex {

// Paints one page for every output alike: preview, PNG, PDF and printer. The painter's
// transform must map page units to the device.
void renderPage(QPainter& painter, const Page& page);

// The page on a white image at the resolution.
QImage renderPageImage(const Page& page, double dpi);

// Each page on its own page of the device, with that page's paper and orientation.
// QPrinter callers set full-page mode first, so that the paper corner is the origin.
void paintPages(QPagedPaintDevice& device, std::span<const Page> pages);

// page-1.png, page-2.png, ... in the folder.
void exportPng(std::span<const Page> pages, const std::filesystem::path& folder, double dpi);
void exportPdf(std::span<const Page> pages, const std::filesystem::path& file);

} // namespace kesto::activex
