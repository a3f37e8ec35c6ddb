// Points KESTO_ROOT at an empty folder of its own for each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class FreshRoot : public testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("KESTO_ROOT");
    ASSERT_NE(base, nullptr) << "tests run with KESTO_ROOT set";
    previous_ = base;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    root = std::filesystem::path(base) / info->test_suite_name() / info->name();
    std::filesystem::remove_all(root);
    setenv("KESTO_ROOT", root.c_str(), 1);
  }
  void TearDown() override { setenv("KESTO_ROOT", previous_.c_str(), 1); }

  std::filesystem::path hiveFile(const char* name = "HKEY_CURRENT_USER.json") const {
    return root / "registry" / name;
  }

  std::filesystem::path root;

 private:
  std::string previous_;
};
