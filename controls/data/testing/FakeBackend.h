// A scripted stand-in for the object library, for the controls' unit tests: classes with
// queries (parameters, columns, rows, ID column), dynamic SQL statements, a Factory object
// of its own, and a log of what the controls did. A query used after its database was
// deleted throws std::logic_error, so such a use fails the test where it happens.
#pragma once

#include <controls/data/QuerySource.h>

#include <automation/ComObject.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kesto::controls::testing {

struct FakeColumn {
  std::u16string name;
  std::u16string header;  // empty: the name
};

struct FakeQueryDef {
  std::vector<std::u16string> params;
  std::vector<FakeColumn> columns;
  std::vector<std::vector<automation::Variant>> rows;
  int idColumn = 0;  // 1-based, 0 none
  bool valid = true;
};

// The Factory a fake database stands for.
class FakeFactory final : public automation::ComObject<FakeFactory, IDispatch> {
 public:
  static constexpr IID kIid{0x1F0E0001, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
  HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 protected:
  void* queryExtra(REFIID riid) override { return riid == kIid ? this : nullptr; }
};

class FakeBackend final : public Backend {
 public:
  FakeBackend();

  void addQuery(const std::u16string& cls, const std::u16string& name, FakeQueryDef def);
  void addSql(const std::u16string& sql, FakeQueryDef def);
  // What Open answers: the connect texts that connect, and the dialog's answer.
  void acceptConnection(std::u16string text) { accepted_.push_back(std::move(text)); }
  void setDialogAnswer(bool connects) { dialogConnects_ = connects; }

  std::unique_ptr<Database> newDatabase() override;
  std::unique_ptr<Database> wrapFactory(IDispatch* factory) override;

  // "open:<text>", "open:dialog", "prepare:<class>.<query>", "sql:<text>", "param:<slot>=<text>",
  // "execute", "close", "delete-query", "delete-db".
  std::vector<std::string> log;
  int liveDatabases = 0;
  int liveQueries = 0;
  long rowsFetched = 0;

  struct State;

 private:
  std::shared_ptr<State> state_;
  std::vector<std::u16string> accepted_;
  bool dialogConnects_ = false;
};

// A result of n rows of (ID "1||<i>", "Zeile <i>", i), ID column 1.
FakeQueryDef numberedRows(long n);

}  // namespace kesto::controls::testing
