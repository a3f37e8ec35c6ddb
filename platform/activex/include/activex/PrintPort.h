#pragma once

#include "activex/Page.h"

#include <optional>
#include <span>
#include <string>

namespace kesto::activex {

struct PrintSetup {
    std::string printerName;
    int paperSize = 9;
    PageOrientation orientation = PageOrientation::Portrait;
};

// Where the preview's print dialog and print jobs go: the program installs the Qt
// printer port, tests a scripted one.
class PrintPort {
public:
    virtual ~PrintPort() = default;
    // The user's choice, or nothing when cancelled.
    virtual std::optional<PrintSetup> printDialog(const PrintSetup& current) = 0;
    // One print job of the pages to the named printer.
    virtual void print(std::span<const Page> pages, const std::string& printerName) = 0;
};

} // namespace kesto::activex
