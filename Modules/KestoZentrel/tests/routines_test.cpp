#include "Harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kesto::zentrel {
namespace {

// The routines in tests/routines use every construct of plain routines; none of their
// characters may be coloured as an error.
TEST(PlainRoutines, ColourWithoutErrors) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZENTREL_ROUTINES)) {
    if (entry.path().extension() != ".m") continue;
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::u16string text(bytes.begin(), bytes.end());  // the routines are ASCII
    const auto result = testing::colour(text);
    ASSERT_EQ(result.hr, S_OK) << entry.path();
    for (std::size_t line = 0; line < result.masks.size(); ++line)
      EXPECT_EQ(result.masks[line].find('!'), std::string::npos)
          << entry.path().filename().string() << ":" << line + 1 << "  " << result.masks[line];
  }
  EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace kesto::zentrel
