// The main of every test binary. Each test gets a fresh KESTO_ROOT of its own below the one
// ctest gives the binary: ctest runs the tests of one binary side by side, and they must
// never share a registry, a log file or a data folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class FreshRootPerTest : public ::testing::EmptyTestEventListener {
 public:
  explicit FreshRootPerTest(std::filesystem::path base) : base_(std::move(base)) {}

  void OnTestStart(const ::testing::TestInfo& test) override {
    std::string name = std::string(test.test_suite_name()) + "." + test.name();
    for (char& c : name)
      if (c == '/') c = '_';  // parameterised tests have "/" in their names
    root_ = base_ / (name + "." + std::to_string(::getpid()));
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    std::filesystem::create_directories(root_);
    ::setenv("KESTO_ROOT", root_.c_str(), 1);
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    ::setenv("KESTO_ROOT", base_.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

 private:
  std::filesystem::path base_;
  std::filesystem::path root_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (const char* base = std::getenv("KESTO_ROOT"); base && *base)
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshRootPerTest(base));
  return RUN_ALL_TESTS();
}
