// A KestoList over the scripted backend, driven by dispatch identifier as hosts drive it.
#pragma once

#include <controls/list/KestoList.h>

#include <FakeBackend.h>

#include <automation/Dispatch.h>
#include <automation/EventSink.h>
#include <services/MessageBox.h>

#include <gtest/gtest.h>

#include <functional>

namespace kesto::controls::testing {

using automation::Arg;
using automation::ComPtr;
using automation::Dispatch;
using automation::DispatchException;
using automation::Variant;
namespace id = list_dispid;

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the control's window (user mode unless the site says otherwise).
  void createWindow() { list->CreateControlWindow(1); }

  Variant call(DISPID member, std::vector<Arg> args = {}) {
    return d.invoke(member, DISPATCH_METHOD, args);
  }
  Variant get(DISPID member) { return d.invoke(member, DISPATCH_PROPERTYGET, {}); }
  void put(DISPID member, Arg value) { d.invoke(member, DISPATCH_PROPERTYPUT, std::vector<Arg>{std::move(value)}); }
  std::string data(std::int32_t row, std::int16_t column) {
    return call(id::GetData, {Arg(row), Arg(column)}).toUtf8();
  }
  activex::ListViewControl& view() { return *list->listView(); }

  std::shared_ptr<FakeBackend> fake = std::make_shared<FakeBackend>();
  std::shared_ptr<services::ScriptedMessageBox> boxes = std::make_shared<services::ScriptedMessageBox>();
  activex::SimpleSite site{true, u"KestoList1"};
  ComPtr<CKestoListCtrl> list;
  Dispatch d;
};

// The failure a call raises: code, description (UTF-8), help context, scode.
struct Raised {
  std::uint16_t code = 0;
  std::string description;
  std::uint32_t helpContext = 0;
  HRESULT scode = 0;
};
Raised raised(const std::function<void()>& call);

}  // namespace kesto::controls::testing
