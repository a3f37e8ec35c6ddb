// The test's own KESTO_ROOT (every test gets an empty one from the test main), and where
// the hive files lie in it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

class FreshRoot : public testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("KESTO_ROOT");
    ASSERT_NE(base, nullptr) << "tests run with KESTO_ROOT set";
    root = base;
  }

  std::filesystem::path hiveFile(const char* name = "HKEY_CURRENT_USER.json") const {
    return root / "registry" / name;
  }

  std::filesystem::path root;
};
