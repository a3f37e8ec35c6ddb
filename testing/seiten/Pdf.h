// Reading a PDF file back as poppler reads it: the plain text of each page, so that tests
// see what came out of the printer, not what the program meant to send.
#pragma once

#include <string>
#include <vector>

namespace kesto::test {

// The text of each page, first page first; empty when the file cannot be read.
std::vector<std::string> pdfSeitentexte(const std::string& datei);

}  // namespace kesto::test
