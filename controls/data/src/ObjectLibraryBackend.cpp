// The seam over the object library's exported classes d_Database and d_ResultSet.
#include <controls/data/QuerySource.h>

#include <kestoobject/Guids.h>
#include <kestoobject/KestoObject.h>

#include <automation/DispatchException.h>
#include <text/CodePage.h>

#include <mutex>

namespace kesto::controls {

using automation::Bstr;
using automation::ComPtr;
using automation::DispatchException;
using automation::Variant;

namespace {

std::string ansi(const std::u16string& text) { return text::toNarrow(text, text::CodePage::Ansi); }

std::u16string taken(BSTR owned) {
  const Bstr b = Bstr::attach(owned);
  return std::u16string(b.view());
}

class LibraryQuery final : public Query {
 public:
  explicit LibraryQuery(std::unique_ptr<d_ResultSet> rs) : rs_(std::move(rs)) {}
  bool valid() const override { return rs_->valid != 0; }
  int setParam(short slot, const VARIANT& value) override { return rs_->SetParam(slot, value); }
  int execute() override { return rs_->Execute(); }
  int next() override { return rs_->Next(); }
  Variant getData(short column) override {
    VARIANT v = rs_->GetData(column);
    return Variant::attach(v);
  }
  short columnCount() override { return rs_->GetColumnCount(); }
  short paramCount() override { return rs_->GetParamCount(); }
  std::u16string columnName(short n) override { return taken(rs_->GetColumnName(n)); }
  std::u16string columnHeader(short n) override { return taken(rs_->GetColumnHeader(n)); }
  std::u16string paramName(short n) override { return taken(rs_->GetParamName(n)); }
  int containsId() override { return rs_->ContainsID(); }
  int close() override { return rs_->Close(); }

 private:
  std::unique_ptr<d_ResultSet> rs_;
};

class LibraryDatabase final : public Database {
 public:
  explicit LibraryDatabase(std::unique_ptr<d_Database> db) : db_(std::move(db)) {}
  int open(const std::u16string* connection) override {
    if (!connection) return db_->Open(nullptr);
    const std::string text = ansi(*connection);
    return db_->Open(text.c_str());
  }
  ComPtr<IDispatch> factory() override { return ComPtr<IDispatch>::attach(db_->GetFactoryIDispatch()); }
  std::unique_ptr<Query> classQuery(const std::u16string& className, const std::u16string& queryName) override {
    const std::string c = ansi(className), q = ansi(queryName);
    return std::make_unique<LibraryQuery>(std::make_unique<d_ResultSet>(db_.get(), c.c_str(), q.c_str()));
  }
  std::unique_ptr<Query> dynamicSql(const std::u16string& statement) override {
    const std::string s = ansi(statement);
    return std::make_unique<LibraryQuery>(std::make_unique<d_ResultSet>(db_.get(), s.c_str()));
  }

 private:
  std::unique_ptr<d_Database> db_;
};

class LibraryBackend final : public Backend {
 public:
  std::unique_ptr<Database> newDatabase() override {
    return std::make_unique<LibraryDatabase>(std::make_unique<d_Database>());
  }
  std::unique_ptr<Database> wrapFactory(IDispatch* factory) override {
    void* native = nullptr;
    if (!factory || FAILED(factory->QueryInterface(object::kIidNativeObject, &native)) || !native)
      throw DispatchException(0, "The object is not a Factory of KestoObject", E_INVALIDARG);
    auto db = std::make_unique<d_Database>(native);
    factory->Release();  // the reference QueryInterface added; the database holds its own
    if (!db->factory())
      throw DispatchException(0, "The object is not a Factory of KestoObject", E_INVALIDARG);
    return std::make_unique<LibraryDatabase>(std::move(db));
  }
};

std::mutex& slotMutex() {
  static std::mutex m;
  return m;
}
std::shared_ptr<Backend>& slot() {
  static std::shared_ptr<Backend> installed;
  return installed;
}

}  // namespace

Backend& backend() {
  std::lock_guard lock(slotMutex());
  if (!slot()) slot() = std::make_shared<LibraryBackend>();
  return *slot();
}

void setBackend(std::shared_ptr<Backend> replacement) {
  std::lock_guard lock(slotMutex());
  slot() = std::move(replacement);
}

}  // namespace kesto::controls
