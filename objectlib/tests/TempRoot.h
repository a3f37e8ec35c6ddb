// Gives each test its own KESTO_ROOT (registry, Windows directory) and fresh module state.
#pragma once

#include <kestoobject/ModuleState.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

class TempRootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() /
            ("kesto-objectlib-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    ::setenv("KESTO_ROOT", root_.c_str(), 1);
    kesto::object::ResetModuleState();
  }
  void TearDown() override {
    kesto::object::ResetModuleState();
    std::filesystem::remove_all(root_);
  }

  std::filesystem::path root_;
};
