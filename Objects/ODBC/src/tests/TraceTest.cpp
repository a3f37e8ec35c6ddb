// Layout of the trace log's lines, framed texts and hex dumps.
#include "Trace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kesto::odbc {
namespace {

std::string readLog() {
    std::ifstream in(trace::logPath(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class TraceLayout : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(trace::logPath(), std::ios::trunc).close();
        trace::resetIndent();
    }
};

TEST_F(TraceLayout, NestedCallsIndentAndEndWithABlankLine) {
    trace::line(trace::Enter, "A", "a");
    trace::line(trace::Enter, "B", "b");
    trace::line(trace::Leave, "B", "Returning 0");
    trace::line(trace::Error, "A", "oops");
    trace::line(trace::Leave, "A", "Returning 0");
    trace::line(trace::Leave, "A", "stray");
    EXPECT_EQ(readLog(),
              "--> A: a\n    --> B: b\n    <-- B: Returning 0\n    ERROR: A: oops\n<-- A: Returning 0\n\n<-- A: stray\n\n");
    EXPECT_EQ(trace::indent(), 0);
}

TEST_F(TraceLayout, FramedTextInPiecesOf75) {
    trace::text(nullptr, std::string(160, 'x'));
    trace::text("error message", "short");
    EXPECT_EQ(readLog(), "***\r\n" + std::string(75, 'x') + "\r\n" + std::string(75, 'x') + "\r\n" + std::string(10, 'x') +
                             "\r\n***\r\n*** error message =\r\nshort\r\n***\r\n");
}

TEST_F(TraceLayout, HexDumpRows) {
    std::uint8_t bytes[15];
    for (int i = 0; i < 15; ++i) bytes[i] = static_cast<std::uint8_t>('A' + i);
    const std::string one = trace::hexDumpText(">> Sent: ", bytes, 14);
    std::string row = "\r\n  0000: ";
    for (int i = 0; i < 14; ++i) row += trace::format(" %.2X", bytes[i]);
    row += std::string(6, ' ');
    row.resize(63, ' ');
    row += "ABCDEFGHIJKLMN";
    EXPECT_EQ(one, ">> Sent: " + row + "\r\n");
    const std::string two = trace::hexDumpText(nullptr, bytes, 15);
    const auto second = two.find("\r\n  000E: ");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(two.substr(second), "\r\n  000E:  4F" + std::string(63 - 13, ' ') + "O\r\n");
    EXPECT_EQ(trace::hexDumpText("t", bytes, 0), "t\r\n");
}

TEST(TraceLog, GoesToTheFolderKestoWindirNames) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "kesto-windir-test" / "win";
    std::filesystem::remove_all(folder.parent_path());
    const char* before = std::getenv("KESTO_WINDIR");
    const std::string kept = before ? before : "";
    ::setenv("KESTO_WINDIR", folder.c_str(), 1);
    trace::line(trace::Plain, {}, "hier");
    EXPECT_EQ(trace::logPath(), folder / "KestoODBC.log");
    std::ifstream in(folder / "KestoODBC.log");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "hier");
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all, std::filesystem::perms::owner_all);
    if (before) ::setenv("KESTO_WINDIR", kept.c_str(), 1);
    else ::unsetenv("KESTO_WINDIR");
    std::filesystem::remove_all(folder.parent_path());
}

}  // namespace
}  // namespace kesto::odbc
