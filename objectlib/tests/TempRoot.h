// Each test's KESTO_ROOT (registry, Windows directory) and fresh module state.
#pragma once

#include <kestoobject/ModuleState.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

class TempRootTest : public ::testing::Test {
 protected:
  // The test main gives every test an empty KESTO_ROOT; module state is reset here.
  void SetUp() override {
    const char* root = std::getenv("KESTO_ROOT");
    ASSERT_NE(root, nullptr) << "tests run with KESTO_ROOT set";
    root_ = root;
    kesto::object::ResetModuleState();
  }
  void TearDown() override { kesto::object::ResetModuleState(); }

  std::filesystem::path root_;
};
