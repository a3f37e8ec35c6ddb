// Failures inside the parser travel as these exceptions; the entry points turn them into
// HRESULTs. Each carries the line and source unit of the place that throws it.
#pragma once

#include <automation/Types.h>

#include <cstdint>
#include <exception>
#include <ostream>
#include <string>

namespace kesto::zentrel {

class Scanner;

constexpr HRESULT ZTL_E_PARSE = static_cast<HRESULT>(0x80680001u);

// Name of a parse-error kind; kinds without a row of their own read "errKind<N>".
std::string parseErrorName(std::int32_t kind);

class CQNException : public std::exception {
 public:
  CQNException(std::int32_t line, const char* file) : line_(line), file_(file) {}
  std::int32_t throwLine() const { return line_; }
  const char* throwFile() const { return file_; }
  virtual void report(std::ostream& out) const = 0;
  std::string reportText() const;
  const char* what() const noexcept override { return "parser exception"; }

 private:
  std::int32_t line_;
  const char* file_;
};

class CQNMemoryException : public CQNException {
 public:
  using CQNException::CQNException;
  void report(std::ostream& out) const override { out << "Memory Exception: "; }
};

class CQNRangeException : public CQNException {
 public:
  using CQNException::CQNException;
  void report(std::ostream& out) const override { out << "Range Exception: "; }
};

class CQNComException : public CQNException {
 public:
  CQNComException(HRESULT hr, std::int32_t line, const char* file) : CQNException(line, file), hr_(hr) {}
  HRESULT hresult() const { return hr_; }
  void report(std::ostream& out) const override;

 private:
  HRESULT hr_;
};

class CQNReportableException : public CQNException {
 public:
  using CQNException::CQNException;
  void report(std::ostream& out) const override;
  virtual void message(std::ostream& out) const = 0;
  virtual void location(std::ostream& out) const = 0;
  virtual void source(std::ostream& out) const = 0;
};

class CZTLParseException : public CQNReportableException {
 public:
  CZTLParseException(std::int32_t line, const char* file, std::int32_t scannerLine, std::int32_t scannerOffset,
                     const Scanner* scanner, std::int32_t kind)
      : CQNReportableException(line, file), scannerLine_(scannerLine), scannerOffset_(scannerOffset),
        scanner_(scanner), kind_(kind) {}

  void message(std::ostream& out) const override { out << parseErrorName(kind_); }
  void location(std::ostream& out) const override;
  void source(std::ostream& out) const override;
  HRESULT hresult() const { return ZTL_E_PARSE; }
  std::int32_t scannerLine() const { return scannerLine_; }
  std::int32_t scannerOffset() const { return scannerOffset_; }
  std::int32_t kind() const { return kind_; }

 private:
  std::int32_t scannerLine_;
  std::int32_t scannerOffset_;
  const Scanner* scanner_;
  std::int32_t kind_;
};

}  // namespace kesto::zentrel
