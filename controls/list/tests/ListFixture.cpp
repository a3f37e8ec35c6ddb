#include "ListFixture.h"

#include <QtTestApp.h>

namespace kesto::controls::testing {

void ListTest::SetUp() {
  ensureQtApplication();
  setBackend(fake);
  services::setMessageBoxPort(boxes);
  list = CKestoListCtrl::create();
  list->SetSite(&site);
  d = Dispatch(static_cast<IDispatch*>(list.get()));
}

void ListTest::TearDown() {
  d = Dispatch();
  list.reset();
  EXPECT_EQ(fake->liveQueries, 0);
  EXPECT_EQ(fake->liveDatabases, 0);
  setBackend(nullptr);
  services::setMessageBoxPort(nullptr);
}

Raised raised(const std::function<void()>& call) {
  try {
    call();
  } catch (const DispatchException& e) {
    return {e.code, e.description, e.helpContext, e.scode};
  }
  ADD_FAILURE() << "no dispatch exception";
  return {};
}

}  // namespace kesto::controls::testing
