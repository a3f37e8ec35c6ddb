#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "services/Paths.h"

namespace fs = std::filesystem;
using kesto::services::rootFolder;
using kesto::services::windowsDirectory;

namespace {

// Sets or unsets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

fs::path scratch(const std::string& name) {
  const fs::path base = fs::path(std::getenv("KESTO_ROOT")) / "paths" / name;
  fs::remove_all(base);
  return base;
}

}  // namespace

TEST(Paths, RootComesFromKestoRootAndIsCreated) {
  const fs::path root = scratch("root") / "deep";
  ScopedEnv env("KESTO_ROOT", root.string());
  EXPECT_EQ(rootFolder(), root);
  EXPECT_TRUE(fs::is_directory(root));
  EXPECT_EQ(windowsDirectory(), root / "windows");
  EXPECT_TRUE(fs::is_directory(root / "windows"));
}

TEST(Paths, FallsBackToXdgDataHomeThenHome) {
  const fs::path base = scratch("fallback");
  ScopedEnv xdg("XDG_DATA_HOME", (base / "xdg").string());
  ScopedEnv home("HOME", (base / "home").string());
  ScopedEnv root("KESTO_ROOT", std::nullopt);
  EXPECT_EQ(rootFolder(), base / "xdg" / "kesto");
  {
    ScopedEnv noXdg("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(rootFolder(), base / "home" / ".local" / "share" / "kesto");
    ScopedEnv noHome("HOME", std::nullopt);
    EXPECT_THROW(rootFolder(), std::runtime_error);
  }
}
