// The thin wrapper through which the parser talks to the outside scanner object: every
// failed call becomes a CQNComException, so parser code never tests return codes.
#pragma once

#include <Parser/Exceptions.h>
#include <Parser/TokenText.h>

#include <kestocom/Interfaces.h>

#include <cstdint>
#include <string>

namespace kesto::zentrel {

class Scanner {
 public:
  // Starts the object and takes its block interface; the object itself is borrowed.
  explicit Scanner(ISourceScanner* object);
  ~Scanner();
  Scanner(const Scanner&) = delete;
  Scanner& operator=(const Scanner&) = delete;

  ISourceScanner* object() const { return object_; }

  HRESULT seekLine(std::int32_t line);
  HRESULT tokenBegin();
  HRESULT tokenEnd();
  std::int32_t colourRest(std::uint32_t attribute);
  // Position questions read the object's view when it offers one, without a call.
  std::uint32_t tokenKind() { return view_ ? view_->kind : askTokenKind(); }
  std::int32_t line() { return view_ ? view_->line : askLine(); }
  std::int32_t offset() { return view_ ? view_->offset : askOffset(); }
  const char16_t* lineText();
  HRESULT colourToken(std::uint32_t attribute);
  std::uint32_t advance();
  TokenText tokenText();
  char16_t currentChar() { return view_ ? static_cast<char16_t>(view_->ch) : askCurrentChar(); }
  std::uint32_t nextKind();
  std::uint32_t positionState() { return view_ ? view_->state : askPositionState(); }
  bool atLineEnd() { return view_ ? view_->kind == 2 : askAtLineEnd(); }
  const std::uint8_t* lineState(std::int32_t line);
  const std::uint8_t* stateHere();
  HRESULT storeLineStates(std::int32_t first, std::int32_t count, const std::uint8_t* const* states);
  HRESULT recover();
  std::int32_t blockOpen(std::uint8_t flag);
  HRESULT blockClose(std::uint8_t flag);
  std::u16string sourceName() const;
  std::int32_t lineCount();

 private:
  std::uint32_t askTokenKind();
  std::int32_t askLine();
  std::int32_t askOffset();
  char16_t askCurrentChar();
  std::uint32_t askPositionState();
  bool askAtLineEnd();

  ISourceScanner* object_;
  IScannerBlocks* blocks_ = nullptr;
  const ScannerView* view_ = nullptr;
  std::int32_t blockOpenLine_ = -1;
  std::uint8_t blockOpenFlag_ = 0;
};

}  // namespace kesto::zentrel
