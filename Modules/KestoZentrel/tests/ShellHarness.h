// Test helpers for the macro-routine grammar, code blocks and the class server: the kind of
// the first parse error on a routine's last line, a fresh registry per test, and the
// stand-in embedded-language services.
#pragma once

#include "Harness.h"
#include "Parser.h"
#include "RoutineExtensions.h"

#include <kestocom/KestoCOM.h>
#include <kestocom/LanguageService.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kesto::zentrel::testing {

// Classes of the stand-in services in the test library (see LangStub.cpp).
constexpr CLSID CLSID_SqlStub{0x5E3A0001, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x01}};
constexpr CLSID CLSID_HtmlStub{0x5E3A0002, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x02}};

// Parses every line but the last one whole, then the last line's commands one by one, and
// answers the kind of the first parse error there (0: none). The last line must not begin
// with a label.
inline std::int32_t lastLineError(const std::u16string& text, bool mac, std::uint32_t options = 0xFFFFFFFFu) {
  ISourceScanner* source = nullptr;
  COM_CreateTextSource(u"test", text.data(), text.size(), &source);
  IAllocator* allocator = newAllocator();
  std::int32_t kind = 0;
  std::int32_t count = 0;
  source->LineCount(&count);
  {
    Scanner scanner(source);
    GlobalsScope scope(allocator, &scanner);
    Parser parser(scanner, allocator, mac, options, true, 4);
    while (scanner.line() < count && parser.parseLine(nullptr, nullptr)) {}
    try {
      TokenStream& tokens = parser.tokens();
      for (bool first = true; tokens.look(peek::kCommand) != tok::kEndOfLine; first = false) parser.parseCommand(first);
      parser.endOfLineContexts();
    } catch (const CZTLParseException& e) {
      kind = e.kind();
    }
  }
  allocator->Release();
  source->Release();
  return kind;
}

// The start state stored for each line after colouring the whole text: the context kinds
// as digits, "-" for the null state, "?" when none was stored.
inline std::vector<std::string> lineStates(const std::u16string& text, bool mac) {
  ISourceScanner* source = nullptr;
  COM_CreateTextSource(u"test", text.data(), text.size(), &source);
  IAllocator* allocator = newAllocator();
  std::int32_t count = 0, start = 0, done = 0;
  source->LineCount(&count);
  colourLines(mac, allocator, allocator, source, 0, 1, count, &start, &done);
  std::vector<std::string> states;
  for (std::int32_t line = 1; line <= count; ++line) {
    const std::uint8_t* state = nullptr;
    source->LineState(&state, line);
    std::string s = state ? "" : "?";
    if (state && state[0] == 0xFF && state[1] == 0xFF) s = "-";
    else if (state)
      for (int i = 0; i < state[0] + 256 * state[1]; ++i) s += static_cast<char>('0' + state[2 + i]);
    states.push_back(s);
  }
  allocator->Release();
  source->Release();
  return states;
}

// Points the registry at a fresh folder for the test's lifetime.
class FreshRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("ztlshell-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    ::setenv("KESTO_ROOT", root_.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // Registers a stand-in service of the test library under a "lang" name.
  static void registerStub(const CLSID& clsid, const char* progId, const char* language) {
    ASSERT_EQ(COM_RegisterClass(clsid, progId, ZENTREL_LANGSTUB, nullptr, nullptr, 1), S_OK);
    ASSERT_EQ(COM_RegisterLanguageName(language, clsid, 1), S_OK);
  }

 private:
  std::filesystem::path root_;
};

}  // namespace kesto::zentrel::testing
