// The query-lookup control and dialog over the scripted backend, with KestoList made in
// this process, message boxes recorded, and the Qt application the dialog needs.
#pragma once

#include <controls/query/KestoQuery.h>
#include <controls/query/QueryLookupDlg.h>

#include <FakeBackend.h>

#include <automation/Dispatch.h>
#include <services/MessageBox.h>

#include <gtest/gtest.h>

namespace kesto::controls::testing {

using automation::Arg;
using automation::ComPtr;
using automation::Dispatch;
using automation::Variant;

class QueryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A class with the three queries of the article class, each with its parameters.
  void addArticleQueries(const std::u16string& cls = u"FRX.ArtHaupt1");
  // The QueryInfo rows the fake answers: one per name (a null Variant for a name without text).
  void setQueryInfo(std::vector<Variant> names);
  std::vector<std::string> boxTexts() const;
  std::vector<std::string> logged(std::string_view prefix) const;
  LookupSettings settings();

  std::shared_ptr<FakeBackend> fake = std::make_shared<FakeBackend>();
  std::shared_ptr<services::ScriptedMessageBox> boxes = std::make_shared<services::ScriptedMessageBox>();
  ComPtr<FakeFactory> factory = FakeFactory::create();
  DWORD listCookie = 0;
};

}  // namespace kesto::controls::testing
