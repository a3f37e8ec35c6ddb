// What controls build on: event sinks, the property bag, the font object, system colours.
#include <automation/EventSink.h>
#include <automation/Font.h>
#include <automation/PropertyBag.h>
#include <automation/SystemColours.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kesto::automation;

TEST(EventSink, FiresToEverySinkAndWritesBackByReference) {
  EventSink events;
  std::vector<std::pair<DISPID, std::size_t>> seen;
  auto changer = FunctionSink::create([&](DISPID id, std::span<VARIANT* const> args) {
    seen.emplace_back(id, args.size());
    if (id == -602) {
      ASSERT_EQ(args[0]->vt, VT_BYREF | VT_VARIANT);
      *args[0]->pvarVal->piVal = 0;  // the host swallows the key
    }
  });
  const DWORD cookie = events.advise(changer.get());
  EXPECT_NE(cookie, 0u);
  EXPECT_EQ(events.advise(nullptr), 0u);

  std::int16_t code = 13;
  VARIANT ref;
  ref.vt = VT_BYREF | VT_I2;
  ref.piVal = &code;
  Variant keyCode(ref);
  events.fire(-602, std::vector<Arg>{byRef(keyCode), Arg(std::int16_t{1})});
  EXPECT_EQ(code, 0);
  events.fire(-600);
  EXPECT_EQ(seen, (std::vector<std::pair<DISPID, std::size_t>>{{-602, 2}, {-600, 0}}));

  EXPECT_TRUE(events.unadvise(cookie));
  EXPECT_FALSE(events.unadvise(cookie));
  events.fire(-600);
  EXPECT_EQ(seen.size(), 2u);
}

TEST(EventSink, AFailingSinkIsCountedAndTheOthersStillHear) {
  EventSink events;
  int heard = 0;
  auto failing = FunctionSink::create([](DISPID, std::span<VARIANT* const>) {
    throw DispatchException(1, "nope");
  });
  auto listening = FunctionSink::create([&](DISPID, std::span<VARIANT* const>) { ++heard; });
  events.advise(failing.get());
  events.advise(listening.get());
  events.fire(-601);
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(events.failures(), 1u);
}

TEST(PropertyBag, RoundTripAndMissingKeysGiveDefaults) {
  PropertyBag bag;
  std::int16_t min = 7;
  std::int32_t max = 3;
  BOOL hide = TRUE;
  OLE_COLOR back = 0x123456;
  std::u16string title = u"Suche \u00e4";
  FontDesc font;
  font.name = u"Arial";
  font.italic = true;
  {
    PropExchange px(bag, false);
    px.exchangeVersion(makeVersion(1, 0));
    px.exchange("Min", min);
    px.exchange("Max", max, -1);
    px.exchangeBool("Hide", hide, false);
    px.exchangeColour("Back", back);
    px.exchange("Title", title);
    px.exchange("Font", font);
  }
  const PropertyBag again = PropertyBag::fromJson(bag.toJson());
  EXPECT_EQ(again.version(), makeVersion(1, 0));

  std::int16_t min2 = 50;
  std::int32_t max2 = 0;
  BOOL hide2 = FALSE;
  OLE_COLOR back2 = 0;
  std::u16string title2;
  FontDesc font2;
  PropertyBag copy = again;
  PropExchange px(copy, true);
  px.exchangeVersion(makeVersion(1, 0));
  px.exchange("Min", min2);
  px.exchange("Max", max2, -1);
  px.exchangeBool("Hide", hide2, false);
  px.exchangeColour("Back", back2);
  px.exchange("Title", title2);
  px.exchange("Font", font2);
  EXPECT_EQ(min2, 7);
  EXPECT_EQ(max2, 3);
  EXPECT_EQ(hide2, TRUE);
  EXPECT_EQ(back2, 0x123456u);
  EXPECT_EQ(title2, title);
  EXPECT_EQ(font2, font);

  PropertyBag empty;
  PropExchange load(empty, true);
  std::int16_t keep = 50;
  std::int32_t limit = 9;
  load.exchange("Min", keep);          // no default: the field stays
  load.exchange("Max", limit, -1);     // default
  EXPECT_EQ(keep, 50);
  EXPECT_EQ(limit, -1);
}

TEST(PropertyBag, DamageIsReportedNotGuessed) {
  EXPECT_THROW(PropertyBag::fromJson("[1]"), std::runtime_error);
  EXPECT_THROW(PropertyBag::fromJson("{\"version\": \"x\"}"), std::runtime_error);
  PropertyBag bag = PropertyBag::fromJson(R"({"version": "1.0", "properties": {"Min": "viel"}})");
  std::int16_t v = 0;
  PropExchange px(bag, true);
  EXPECT_THROW(px.exchange("Min", v), std::runtime_error);

  PropertyBag newer = PropertyBag::fromJson(R"({"version": "2.0"})");
  PropExchange n(newer, true);
  EXPECT_THROW(n.exchangeVersion(makeVersion(1, 0)), std::runtime_error);
  PropertyBag older = PropertyBag::fromJson(R"({"version": "0.9"})");
  PropExchange o(older, true);
  EXPECT_NO_THROW(o.exchangeVersion(makeVersion(1, 0)));
}

TEST(PropertyBag, FileRoundTrip) {
  const auto file = std::filesystem::path(std::getenv("KESTO_ROOT")) / "bag.json";
  PropertyBag bag;
  bag.setVersion(makeVersion(1, 0));
  bag.set("Title", "Query Lookup");
  bag.save(file);
  EXPECT_EQ(PropertyBag::load(file).toJson(), bag.toJson());
  EXPECT_THROW(PropertyBag::load(file.string() + ".missing"), std::runtime_error);
}

TEST(FontObject, MembersByStandardIdentifiersAndChangeNotice) {
  auto font = FontObject::create();
  int changes = 0;
  font->onChange([&](const FontDesc&) { ++changes; });
  const Dispatch f(static_cast<IDispatch*>(font.get()));
  f.invoke(kFontName, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(u"Arial")});
  f.invoke(kFontSize, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(CY{120000})});
  f.invoke(kFontItalic, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(true)});
  f.invoke(kFontWeight, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int16_t{700})});
  f.invoke(kFontCharset, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int16_t{2})});
  EXPECT_EQ(changes, 5);
  const FontDesc d = readFont(font.get());
  EXPECT_EQ(d.name, u"Arial");
  EXPECT_EQ(d.size, 120000);
  EXPECT_TRUE(d.italic);
  EXPECT_FALSE(d.underline);
  EXPECT_EQ(d.weight, 700);
  EXPECT_EQ(d.charset, 2);
  EXPECT_THROW(f.invoke(3, DISPATCH_PROPERTYGET, {}), ComError);  // bold is not offered
}

TEST(SystemColours, TranslatesSystemAndPlainColours) {
  EXPECT_EQ(translateColour(systemColour(COLOR_WINDOW)), 0xFFFFFFu);
  EXPECT_EQ(translateColour(systemColour(COLOR_WINDOWTEXT)), 0u);
  EXPECT_EQ(translateColour(0x00123456), 0x123456u);
  EXPECT_EQ(translateColour(0x80000999u), 0u);
}
