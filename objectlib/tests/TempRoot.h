// Each test's KESTO_ROOT (registry, Windows directory) and fresh module state.
#pragma once

#include <kestoobject/ModuleState.h>

#include <services/MessageBox.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

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

// The same, with message boxes recorded instead of shown.
class TempRootBoxesTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    boxes_ = std::make_shared<kesto::services::ScriptedMessageBox>();
    kesto::services::setMessageBoxPort(boxes_);
  }
  void TearDown() override {
    kesto::services::setMessageBoxPort(nullptr);
    TempRootTest::TearDown();
  }
  std::shared_ptr<kesto::services::ScriptedMessageBox> boxes_;
};
