#include "ListFixture.h"

#include <QApplication>

namespace kesto::controls::testing {

namespace {
// One application for the binary: the window tests need it; the others are headless
// (their site has no parent widget).
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "kestolist_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace

void ListTest::SetUp() {
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
