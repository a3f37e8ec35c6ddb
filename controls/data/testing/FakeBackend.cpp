#include "FakeBackend.h"

#include <automation/DispatchException.h>
#include <text/CodePage.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace kesto::controls::testing {

using automation::ComPtr;
using automation::DispatchException;
using automation::Variant;

struct FakeBackend::State {
  std::map<std::u16string, FakeQueryDef> queries;  // "class.query" or "sql:text"
  FakeBackend* owner = nullptr;
};

namespace {

std::string utf8(const std::u16string& s) { return text::utf16ToUtf8(s); }

class FakeQuery final : public Query {
 public:
  FakeQuery(FakeBackend& owner, FakeQueryDef def, std::shared_ptr<bool> dbAlive)
      : owner_(owner), def_(std::move(def)), dbAlive_(std::move(dbAlive)) {
    ++owner_.liveQueries;
    for (auto& p : params_) p = Variant::missing();
  }
  ~FakeQuery() override {
    --owner_.liveQueries;
    owner_.log.push_back("delete-query");
  }

  bool valid() const override { return def_.valid; }
  int setParam(short slot, const VARIANT& value) override {
    use();
    const VARTYPE vt = value.vt;
    if (vt != VT_I2 && vt != VT_I4 && vt != VT_BSTR && vt != VT_R8 && vt != VT_BOOL) return 0;
    params_.at(static_cast<std::size_t>(slot)) = Variant(value);
    owner_.log.push_back("param:" + std::to_string(slot) + "=" + params_[static_cast<std::size_t>(slot)].toUtf8());
    return 1;
  }
  int execute() override {
    use();
    for (std::size_t i = 0; i < def_.params.size(); ++i)
      if (params_.at(i).isMissing())
        throw DispatchException(9991, "Parameter " + std::to_string(i + 1) + " missing");
    owner_.log.push_back("execute");
    open_ = true;
    row_ = 0;
    return 1;
  }
  int next() override {
    use();
    if (!open_) throw DispatchException(9991, "Query not open.  Run Execute.");
    if (row_ >= def_.rows.size()) return 0;
    ++row_;
    ++owner_.rowsFetched;
    return 1;
  }
  Variant getData(short column) override {
    use();
    if (!open_) throw DispatchException(9991, "Query not open.  Run Execute.");
    if (row_ == 0 || column < 1 || static_cast<std::size_t>(column) > def_.columns.size()) return {};
    const auto& row = def_.rows[row_ - 1];
    return static_cast<std::size_t>(column) <= row.size() ? row[static_cast<std::size_t>(column) - 1] : Variant();
  }
  short columnCount() override { use(); return static_cast<short>(def_.columns.size()); }
  short paramCount() override { use(); return static_cast<short>(def_.params.size()); }
  std::u16string columnName(short n) override {
    use();
    return n >= 1 && static_cast<std::size_t>(n) <= def_.columns.size() ? def_.columns[static_cast<std::size_t>(n) - 1].name
                                                                          : std::u16string();
  }
  std::u16string columnHeader(short n) override {
    use();
    if (n < 1 || static_cast<std::size_t>(n) > def_.columns.size()) return {};
    const FakeColumn& c = def_.columns[static_cast<std::size_t>(n) - 1];
    return c.header.empty() ? c.name : c.header;
  }
  std::u16string paramName(short n) override {
    use();
    return n >= 1 && static_cast<std::size_t>(n) <= def_.params.size() ? def_.params[static_cast<std::size_t>(n) - 1]
                                                                         : std::u16string();
  }
  int containsId() override { use(); return def_.idColumn; }
  int close() override {
    use();
    if (open_) owner_.log.push_back("close");
    open_ = false;
    return 1;
  }

 private:
  void use() const {
    if (!*dbAlive_) throw std::logic_error("query used after its database was deleted");
  }

  FakeBackend& owner_;
  FakeQueryDef def_;
  std::shared_ptr<bool> dbAlive_;
  std::array<Variant, 16> params_;
  bool open_ = false;
  std::size_t row_ = 0;
};

class FakeDatabase final : public Database {
 public:
  FakeDatabase(FakeBackend& owner, std::shared_ptr<FakeBackend::State> state, ComPtr<FakeFactory> factory,
               const std::vector<std::u16string>& accepted, bool dialogConnects)
      : owner_(owner), state_(std::move(state)), factory_(std::move(factory)), accepted_(accepted),
        dialogConnects_(dialogConnects) {
    ++owner_.liveDatabases;
  }
  ~FakeDatabase() override {
    *alive_ = false;
    --owner_.liveDatabases;
    owner_.log.push_back("delete-db");
  }
  int open(const std::u16string* connection) override {
    if (!connection) {
      owner_.log.push_back("open:dialog");
      return dialogConnects_ ? 1 : 0;
    }
    owner_.log.push_back("open:" + utf8(*connection));
    return std::find(accepted_.begin(), accepted_.end(), *connection) != accepted_.end() ? 1 : 0;
  }
  ComPtr<IDispatch> factory() override { return ComPtr<IDispatch>(factory_.get()); }
  std::unique_ptr<Query> classQuery(const std::u16string& cls, const std::u16string& name) override {
    owner_.log.push_back("prepare:" + utf8(cls) + "." + utf8(name));
    return make(cls + u"." + name);
  }
  std::unique_ptr<Query> dynamicSql(const std::u16string& sql) override {
    owner_.log.push_back("sql:" + utf8(sql));
    return make(u"sql:" + sql);
  }

 private:
  std::unique_ptr<Query> make(const std::u16string& key) {
    const auto it = state_->queries.find(key);
    FakeQueryDef def;
    if (it == state_->queries.end())
      def.valid = false;
    else
      def = it->second;
    return std::make_unique<FakeQuery>(owner_, std::move(def), alive_);
  }

  FakeBackend& owner_;
  std::shared_ptr<FakeBackend::State> state_;
  ComPtr<FakeFactory> factory_;
  std::vector<std::u16string> accepted_;
  bool dialogConnects_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

FakeBackend::FakeBackend() : state_(std::make_shared<State>()) { state_->owner = this; }

void FakeBackend::addQuery(const std::u16string& cls, const std::u16string& name, FakeQueryDef def) {
  state_->queries[cls + u"." + name] = std::move(def);
}

void FakeBackend::addSql(const std::u16string& sql, FakeQueryDef def) {
  state_->queries[u"sql:" + sql] = std::move(def);
}

std::unique_ptr<Database> FakeBackend::newDatabase() {
  return std::make_unique<FakeDatabase>(*this, state_, FakeFactory::create(), accepted_, dialogConnects_);
}

std::unique_ptr<Database> FakeBackend::wrapFactory(IDispatch* factory) {
  void* mine = nullptr;
  if (!factory || FAILED(factory->QueryInterface(FakeFactory::kIid, &mine)))
    throw DispatchException(0, "The object is not a Factory of KestoObject", E_INVALIDARG);
  auto* f = static_cast<FakeFactory*>(mine);
  ComPtr<FakeFactory> held = ComPtr<FakeFactory>::attach(f);
  log.push_back("wrap");
  return std::make_unique<FakeDatabase>(*this, state_, held, accepted_, dialogConnects_);
}

FakeQueryDef numberedRows(long n) {
  FakeQueryDef def;
  def.columns = {{u"ID", u""}, {u"Text", u"Bezeichnung"}, {u"Nr", u"Nummer"}};
  def.idColumn = 1;
  def.rows.reserve(static_cast<std::size_t>(n));
  for (long i = 1; i <= n; ++i)
    def.rows.push_back({Variant("1||" + std::to_string(i)), Variant("Zeile " + std::to_string(i)),
                        Variant(static_cast<std::int32_t>(i))});
  return def;
}

}  // namespace kesto::controls::testing
