// d_Database: a handle on a Factory for programs linked against the library.
#include <kestoobject/KestoObject.h>

#include <kestoobject/Factory.h>
#include <kestoobject/ModuleState.h>

#include "ExportedSupport.h"

#include <text/CodePage.h>

#include <utility>

namespace kesto::object {

// Passes server output to a d_Database's OutputCallback.
class OutputRelay final : public OutputSink {
 public:
  explicit OutputRelay(d_Database* target) : target_(target) {}
  void OutputCallback(std::u16string_view text) override {
    const std::u16string line(text);
    target_->OutputCallback(line.c_str());
  }

 private:
  d_Database* target_;
};

}  // namespace kesto::object

using namespace kesto::object;
using kesto::automation::Arg;
using kesto::automation::Dispatch;
using kesto::automation::Variant;

d_Database::d_Database() : m_factory(Factory::create().detach()), m_owned(1) {}

d_Database::d_Database(void* factory) {
  auto* found = static_cast<NativeObject*>(factory);
  if (found && found->nativeKind() == NativeObject::Kind::Factory) {
    m_factory = static_cast<Factory*>(found);
    m_factory->AddRef();
  }
}

d_Database::d_Database(const d_Database& other)
    : m_connected(other.m_connected), m_factory(other.m_factory), m_owned(other.m_owned) {
  if (m_factory) m_factory->AddRef();
}

d_Database& d_Database::operator=(const d_Database& other) {
  d_Database copy(other);
  swap(copy);
  return *this;
}

void d_Database::swap(d_Database& other) noexcept {
  std::swap(m_connected, other.m_connected);
  std::swap(m_factory, other.m_factory);
  std::swap(m_owned, other.m_owned);
  std::swap(m_output, other.m_output);
}

d_Database::~d_Database() {
  if (m_output) {
    if (m_factory) m_factory->Channel().SetOutputSink(nullptr);
    delete m_output;
  }
  exported::releaseQuietly(m_factory);
}

int d_Database::Open(const char* connectString) {
  if (!m_factory) return 0;
  std::u16string text;
  if (connectString) {
    text = kesto::text::toWide(connectString, kesto::text::CodePage::Ansi);
  } else {
    const auto chosen = m_factory->ConnectDlg(nullptr);
    if (!chosen) return 0;
    text = kesto::text::utf8ToUtf16(*chosen);
  }
  m_connected = m_factory->Connect(text) ? 1 : 0;
  return m_connected;
}

int d_Database::Close() {
  if (m_factory) m_factory->Disconnect();
  return 1;
}

IDispatch* d_Database::GetFactoryIDispatch() {
  if (!m_factory) return nullptr;
  m_factory->AddRef();
  return m_factory;
}

namespace {

// The Factory member that reads a part of an object identifier (12 class name, 13 id).
BSTR identifierPart(Factory* factory, DISPID member, BSTR* oid) {
  if (!factory || !oid) return nullptr;
  const Bytes bytes = bstrBytes(*oid);
  Variant given = Variant::bytes({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  const Arg args[] = {Arg::byRef(given)};
  Variant part = Dispatch(static_cast<IDispatch*>(factory)).invoke(member, DISPATCH_METHOD, args);
  return exported::detachBstr(part);
}

}  // namespace

BSTR d_Database::GetClassNameA(BSTR* oid) { return identifierPart(m_factory, 12, oid); }

BSTR d_Database::GetID(BSTR* oid) { return identifierPart(m_factory, 13, oid); }

void d_Database::SetOutputC(void* sink) {
  if (!m_factory) return;
  m_factory->Channel().SetOutputSink(nullptr);
  delete std::exchange(m_output, nullptr);
  if (!sink) return;
  m_output = new OutputRelay(static_cast<d_Database*>(sink));
  m_factory->Channel().SetOutputSink(m_output);
}

std::string d_Database::GetLastError() { return exported::lastErrorAnsi(); }

void d_Database::OutputCallback(const OLECHAR*) {}
