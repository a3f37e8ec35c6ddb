#include "QueryFixture.h"

#include <controls/list/ListModule.h>

#include <automation/Activation.h>

#include <QtTestApp.h>

namespace kesto::controls::testing {

void QueryTest::SetUp() {
  ensureQtApplication();
  setBackend(fake);
  services::setMessageBoxPort(boxes);
  listCookie = registerKestoListInProcess();
}

void QueryTest::TearDown() {
  automation::revokeClassObject(listCookie);
  CKestoQueryCtrl::setLookupRunner(nullptr);
  services::setMessageBoxPort(nullptr);
  setBackend(nullptr);
}

void QueryTest::addArticleQueries(const std::u16string& cls) {
  FakeQueryDef byName = numberedRows(5);
  byName.params = {u"Firma", u"Suchbegriff"};
  fake->addQuery(cls, u"NachKurzbezeichnung", byName);
  FakeQueryDef byDept = numberedRows(3);
  byDept.params = {u"Firma", u"AbtNr"};
  fake->addQuery(cls, u"NachAbteilung", byDept);
  FakeQueryDef promo = numberedRows(2);
  promo.params = {u"Firma"};
  fake->addQuery(cls, u"Aktionsartikel", promo);
  setQueryInfo({Variant("NachKurzbezeichnung"), Variant("NachAbteilung"), Variant("Aktionsartikel")});
}

void QueryTest::setQueryInfo(std::vector<Variant> names) {
  FakeQueryDef info;
  info.params = {u"ClassName"};
  info.columns = {{u"Name", u""}, {u"ParamCount", u""}, {u"HasIdColumn", u""}};
  for (auto& n : names) info.rows.push_back({n, Variant(std::int32_t{0}), Variant(std::int32_t{1})});
  fake->addQuery(u"%CompiledQuery", u"QueryInfo", info);
}

std::vector<std::string> QueryTest::boxTexts() const {
  std::vector<std::string> out;
  for (const auto& b : boxes->shown()) out.push_back(b.text);
  return out;
}

std::vector<std::string> QueryTest::logged(std::string_view prefix) const {
  std::vector<std::string> out;
  for (const auto& l : fake->log)
    if (l.starts_with(prefix)) out.push_back(l);
  return out;
}

LookupSettings QueryTest::settings() {
  LookupSettings s;
  s.factory = ComPtr<IDispatch>(static_cast<IDispatch*>(factory.get()));
  s.className = u"FRX.ArtHaupt1";
  s.title = u"Query Lookup";
  return s;
}

}  // namespace kesto::controls::testing
