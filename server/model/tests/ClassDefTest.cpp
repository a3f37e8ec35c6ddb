#include <gtest/gtest.h>

#include <set>

#include "model/Classes.h"

using namespace kesto::server::model;

TEST(Classes, LookupIgnoresCase) {
  const Catalog catalog = applicationClasses();
  const ClassDef* cls = catalog.find("frx.artHAUPT1");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->name, "FRX.ArtHaupt1");
  EXPECT_NE(cls->findProperty("bez1"), nullptr);
  EXPECT_EQ(catalog.find("FRX.Unbekannt"), nullptr);
  EXPECT_NE(catalog.find("FRX.Windows")->findQuery("kkrsuche"), nullptr);
}

TEST(Classes, EveryDescriptionIsComplete) {
  const Catalog catalog = applicationClasses();
  for (const auto& cls : catalog.classes()) {
    SCOPED_TRACE(cls.name);
    const auto items = describe(cls);
    const auto methods = allMethods(cls);
    std::set<int> ids;
    for (const auto& it : items) {
      EXPECT_NE(it.dispid, 0);
      EXPECT_TRUE(ids.insert(it.dispid).second) << it.name;
      EXPECT_EQ(it.kind == 1, it.dispid < 1001) << it.name;
    }
    EXPECT_NE(findMethod(methods, "%close"), nullptr);
    if (cls.persistent()) {
      for (const char* name : {"%Save", "%ValidateObject", "%Oid", "%ClassName", "%DeleteId"})
        EXPECT_NE(findMethod(methods, name), nullptr) << name;
      for (const auto& p : cls.properties) {
        const MethodDef* m = findMethod(methods, p.name + "logicaltoodbc");
        ASSERT_NE(m, nullptr) << p.name;
        EXPECT_EQ(m->generic, Generic::LogicalToOdbc);
        EXPECT_EQ(m->property, p.name);
      }
    }
  }
}

TEST(Classes, MembersTheApplicationCalls) {
  const Catalog catalog = applicationClasses();
  const auto items = describe(*catalog.find("FRX.ParAnwPar"));
  ASSERT_GE(items.size(), 2u);
  EXPECT_EQ(items[0].name, "Parameter");
  EXPECT_EQ(items[0].dispid, 1);
  EXPECT_EQ(items[0].flagA, 1);
  EXPECT_EQ(items[0].flagB, 1);

  const auto windows = allMethods(*catalog.find("FRX.Windows"));
  const MethodDef* price = findMethod(windows, "inkvkpreis");
  ASSERT_NE(price, nullptr);
  EXPECT_EQ(price->returns, TypeCode::Double);
  EXPECT_EQ(argCodes(*price), "10,10");
  EXPECT_EQ(findMethod(windows, "%Save"), nullptr);  // no storage, no %Save

  const auto deleteId = findMethod(*catalog.find("FRX.ArtHaupt1"), "%deleteid");
  ASSERT_TRUE(deleteId.has_value());
  EXPECT_EQ(deleteId->kind, MethodKind::Class);
}
