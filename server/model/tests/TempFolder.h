#pragma once
// A fresh folder per test, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

class TempFolder {
 public:
  TempFolder() {
    const char* root = std::getenv("KESTO_ROOT");
    std::string pattern = (std::filesystem::path(root ? root : "/tmp") / "data-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};
