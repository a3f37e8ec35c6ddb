#pragma once

#include "activex/PrintPort.h"

class QPrinter;

namespace kesto::activex {

// Prints through Qt. A printer name resolves when printing: a known printer is used;
// "PDF:<path>" writes a PDF file; "" is the default printer; any other name opens the
// print dialog with the default printer selected.
class QtPrintPort : public PrintPort {
public:
    std::optional<PrintSetup> printDialog(const PrintSetup& current) override;
    void print(std::span<const Page> pages, const std::string& printerName) override;

protected:
    // Shows the print dialog for the printer; false when cancelled.
    virtual bool runDialog(QPrinter& printer);
};

} // namespace kesto::activex
