#include <kestoobject/ClassInfo.h>

#include <kestoobject/ListBuilder.h>
#include <kestoobject/ModuleState.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kesto::object {
namespace {

// One item list of a description.
ListBuilder property(std::u16string_view name, long id, long type, long flagA, long flagB) {
  ListBuilder item;
  item.number(1).wide(name).number(id).number(type).number(flagA).number(flagB);
  return item;
}

ListBuilder method(std::u16string_view name, long id, long returns, std::u16string_view args,
                   long flagC, long kind = 2) {
  ListBuilder item;
  item.number(kind).wide(name).number(id).number(returns).wide(args).number(flagC);
  return item;
}

std::vector<std::uint8_t> piece(std::initializer_list<ListBuilder> items, std::string_view key) {
  ListBuilder outer;
  for (const auto& item : items) outer.list(item);
  ListBuilder payload;
  payload.list(outer).narrow(key);
  return {payload.bytes().begin(), payload.bytes().end()};
}

// Answers request 1 from pieces by continuation key and counts the requests.
struct FakeDescribe {
  std::map<std::string, std::vector<std::uint8_t>> pieces;
  std::vector<std::string> keysAsked;
  ClassInfo::DescribeRequest request() {
    return [this](std::u16string_view, std::string_view key)
               -> std::optional<std::span<const std::uint8_t>> {
      keysAsked.emplace_back(key);
      const auto it = pieces.find(std::string(key));
      if (it == pieces.end()) return std::nullopt;
      return std::span<const std::uint8_t>(it->second);
    };
  }
};

class ClassInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetModuleState(); }
  void TearDown() override { ResetModuleState(); }
};

TEST_F(ClassInfoTest, TwoPiecesMakeOneDescription) {
  FakeDescribe server;
  server.pieces[""] = piece({property(u"Bez1", 1, 10, 1, 0)}, "K2");
  server.pieces["K2"] = piece({method(u"%Save", 1001, 11, u"", 0)}, "");
  const ClassInfo info(u"FRX.Art", server.request());
  ASSERT_TRUE(info.Valid());
  EXPECT_EQ(server.keysAsked, (std::vector<std::string>{"", "K2"}));
  EXPECT_EQ(info.Lookup(u"bez1"), 1);
  EXPECT_EQ(info.Lookup(u"sys_save"), 1001);
  EXPECT_EQ(info.Lookup(u"SYS_SAVE"), 1001);
  EXPECT_EQ(info.Method(1001)->ServerName, u"%Save");
  EXPECT_TRUE(info.Method(1001)->returnsStatus());
}

TEST_F(ClassInfoTest, PropertyWinsOverMethodOfTheSameName) {
  FakeDescribe server;
  server.pieces[""] = piece({method(u"VK", 1001, 10, u"", 0), property(u"VK", 3, 3, 0, 0)}, "");
  const ClassInfo info(u"FRX.Art", server.request());
  ASSERT_TRUE(info.Valid());
  EXPECT_EQ(info.Lookup(u"vk"), 3);
  EXPECT_EQ(info.Lookup(u"Missing"), kNoDispId);
}

TEST_F(ClassInfoTest, FlagsAndTypesOfItems) {
  FakeDescribe server;
  server.pieces[""] = piece({property(u"Bez1", 1, 10, 1, 1), property(u"Haupt", 2, 4, 1, 0),
                             property(u"Liste", 3, 6, 1, 0), property(u"Preis", 4, 15, 0, 0),
                             method(u"Tausch", 1001, 5, u"136,2", 0),
                             method(u"Merken", 1002, 0, u"10", 1, 3),
                             method(u"%Is%Valid", 1003, 16, u"", 1),
                             method(u"Skipped", 1004, 0, u"", 0, 7)},
                            "");
  const ClassInfo info(u"FRX.Art", server.request());
  ASSERT_TRUE(info.Valid());

  const PropertyInfo* text = info.Property(1);
  EXPECT_TRUE(text->Prefetch && text->Batched && text->DeferredWrite);
  const PropertyInfo* object = info.Property(2);
  EXPECT_EQ(object->Type, VT_DISPATCH);
  EXPECT_TRUE(object->Prefetch);  // read one by one
  EXPECT_FALSE(object->Batched);
  const PropertyInfo* list = info.Property(3);
  EXPECT_EQ(list->Conversion, kConvList);
  EXPECT_FALSE(list->Prefetch || list->Batched);
  EXPECT_EQ(info.Property(4)->Type, VT_CY);

  const MethodInfo* swap = info.Method(1001);
  ASSERT_EQ(swap->Arguments.size(), 2u);
  EXPECT_TRUE(swap->Arguments[0].ByRef);
  EXPECT_EQ(swap->Arguments[0].Type, VT_DATE);
  EXPECT_EQ(swap->Arguments[0].Position, 2);
  EXPECT_FALSE(swap->Arguments[1].ByRef);
  EXPECT_EQ(swap->Arguments[1].Position, 3);
  EXPECT_TRUE(info.Method(1002)->DeferredCall);
  EXPECT_FALSE(info.Method(1003)->DeferredCall);  // flag C only counts without a result
  EXPECT_EQ(info.Method(1003)->ExposedName, u"SYS_Is_Valid");
  EXPECT_EQ(info.Method(1004), nullptr);
}

TEST_F(ClassInfoTest, FailuresLeaveItInvalidWithTheReason) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> firstPiece;
    bool requestFails;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"request fails", {}, true, "Failure in GetClassInfo for FRX.Art\nserver said no"},
      {"undefined outer element", {0x01, 0x03, 0x01, 0x00}, false,
       "Failure in GetClassInfo for FRX.Art\nWrong list format\nserver said no"},
      {"outer list without data", piece({}, ""), false,
       "Failure in GetClassInfo for FRX.Art\nWrong list format\nserver said no"},
      {"key that comes round again", piece({property(u"A", 1, 10, 0, 0)}, "K"), false,
       "Failure in GetClassInfo for FRX.Art\nWrong list format\nserver said no"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeDescribe server;
    if (!c.requestFails) {
      server.pieces[""] = c.firstPiece;
      server.pieces["K"] = c.firstPiece;
    }
    moduleState().LastErrorText = "server said no";
    const ClassInfo info(u"FRX.Art", server.request());
    EXPECT_FALSE(info.Valid());
    EXPECT_EQ(moduleState().LastErrorText, c.expected);
    EXPECT_TRUE(info.Properties().empty());
  }
}

}  // namespace
}  // namespace kesto::object
