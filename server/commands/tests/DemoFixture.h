#pragma once
// One seeded demo folder per test binary; a fresh connection and session per test.

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "demo/Seed.h"
#include "model/Database.h"
#include "model/ServerError.h"

class DemoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    kesto::server::demo::prepareDataFolder(folder_->path(), false, {"2024-03-15", "/opt/vovida/demo"});
  }
  static void TearDownTestSuite() { delete folder_; }

  // The error code a call fails with, 0 when it does not fail.
  template <typename F>
  static int errorOf(F&& f) {
    try {
      f();
    } catch (const kesto::server::model::ServerError& e) {
      return e.code();
    }
    return 0;
  }

  static TempFolder* folder_;
  kesto::server::model::Database db{folder_->path()};
  kesto::server::model::SessionContext session;
  kesto::server::model::CallContext ctx{db, session};
};

inline TempFolder* DemoTest::folder_ = nullptr;
