#include <Parser/Exceptions.h>

#include "Scanner.h"

#include <text/CodePage.h>

#include <sstream>

namespace kesto::zentrel {
namespace {

constexpr const char* kParseErrorNames[] = {
    "NoError", "errCOLON", "errCommand", "errDelim", "errDoProperty", "errDQUOTE", "errEQUAL",
    "errKeyword", "errLPARN", "errRBRACK", "errRPARN", "errTerm", "errRepCounts", "errSetMethod",
    "errVBAR", "errName", "errWrongNumberOfparms", "errInternal_1", "errGeneral",
};

}  // namespace

std::string parseErrorName(std::int32_t kind) {
  if (kind >= 0 && kind < static_cast<std::int32_t>(std::size(kParseErrorNames))) return kParseErrorNames[kind];
  return "errKind" + std::to_string(kind);
}

std::string CQNException::reportText() const {
  std::ostringstream out;
  report(out);
  return out.str();
}

void CQNComException::report(std::ostream& out) const {
  // Later numbers on the same stream must not come out in hexadecimal.
  const auto flags = out.flags();
  out << "COM Exception: " << std::hex << static_cast<std::uint32_t>(hr_);
  out.flags(flags);
}

void CQNReportableException::report(std::ostream& out) const {
  out << "Error: ";
  message(out);
  out << "\nSource: ";
  source(out);
  out << "\nLocation: ";
  location(out);
}

void CZTLParseException::location(std::ostream& out) const {
  out << "line " << scannerLine_ << " at offset " << scannerOffset_;
}

void CZTLParseException::source(std::ostream& out) const {
  if (scanner_) out << kesto::text::utf16ToUtf8(scanner_->sourceName());
}

}  // namespace kesto::zentrel
