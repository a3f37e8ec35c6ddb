#include <gtest/gtest.h>

#include "model/ErrorText.h"
#include "model/ServerError.h"
#include "model/ServerText.h"
#include "model/ValueForms.h"

using namespace kesto::server::model;

TEST(ServerText, SevenBitFormOfTheGermanLetters) {
  struct Case {
    const char* display;
    const char* seven;
  } cases[] = {
      {"Größe §3", "Gr|~e \u00F53"},
      {"Überschrift", "]berschrift"},
      {"äöüßÄÖÜ§", "{|}~[\\]\u00F5"},
      {"Preis: 12,50 €", "Preis: 12,50 €"},  // other letters pass through
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toSevenBit(c.display), c.seven) << c.display;
    EXPECT_EQ(fromSevenBit(c.seven), c.display) << c.seven;
  }
  EXPECT_EQ(fromSevenBit("{berschrift"), "äberschrift");
}

TEST(ServerText, MalformedBytesPassUnchanged) {
  const std::string bad = std::string("a\xC3") + "\xFF" + "b";
  EXPECT_EQ(toSevenBit(bad), bad);
  EXPECT_EQ(fromSevenBit(bad), bad);
}

TEST(ServerText, SearchKey) {
  EXPECT_EQ(toSearchKey("Straße"), "STRASSE");
  EXPECT_EQ(toSearchKey("Außenputz grün"), "AUSSENPUTZ GRUEN");
  EXPECT_EQ(toSearchKey("Öl-Ärger"), "OEL-AERGER");
}

TEST(ServerText, DateNumbers) {
  EXPECT_EQ(isoToServerDate("2002-03-15"), "1020315");
  EXPECT_EQ(isoToServerDate("2030-12-31"), "1301231");
  EXPECT_EQ(isoToServerDate("1999-01-02"), "990102");
  EXPECT_EQ(isoToDayNumber("1841-01-01"), 1);
  EXPECT_EQ(isoToDayNumber("2024-03-15"), 66914);
  EXPECT_EQ(dayNumberToIso(66914), "2024-03-15");
  for (const char* bad : {"2024-02-30", "2024-13-01", "24-03-15", "2024-03-1x", ""}) {
    try {
      isoToDayNumber(bad);
      ADD_FAILURE() << bad;
    } catch (const ServerError& e) {
      EXPECT_EQ(e.code(), errc::BadValue);
    }
  }
}

TEST(ValueForms, StoredValuesAndTheirWireText) {
  struct Case {
    TypeCode type;
    Value stored;
    const char* wire;
  } cases[] = {
      {TypeCode::Text, Value::text("Müller"), "M}ller"},
      {TypeCode::Integer, Value::integer(-12), "-12"},
      {TypeCode::Double, Value::real(12.5), "12.5"},
      {TypeCode::Double, Value::real(0.1), "0.1"},
      {TypeCode::Date, Value::text("2024-03-15"), "66914"},
      {TypeCode::Date, Value::text("2024-03-15 00:01:40"), "66914,100"},
      {TypeCode::Time, Value::text("08:30:00"), "30600"},
      {TypeCode::Date, Value::null(), ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toWire(c.type, c.stored), c.wire) << c.wire;
    EXPECT_EQ(fromWire(c.type, c.wire, "P"), c.stored) << c.wire;
  }
  EXPECT_EQ(fromWire(TypeCode::Double, "12.500000", "P"), Value::real(12.5));
  EXPECT_EQ(Value::real(1e20).toText(), "100000000000000000000");
}

TEST(ValueForms, UnreadableNumbersAreRefused) {
  for (auto [type, wire] : {std::pair{TypeCode::Integer, "12a"}, {TypeCode::Double, "1,5"},
                            {TypeCode::Date, "x"}, {TypeCode::Date, "66914,90000"},
                            {TypeCode::Time, "-1"}}) {
    try {
      fromWire(type, wire, "Menge");
      ADD_FAILURE() << wire;
    } catch (const ServerError& e) {
      EXPECT_EQ(e.code(), errc::BadValue);
      EXPECT_EQ(e.params().at(0), "Menge");
    }
  }
}

TEST(ErrorText, ByLanguageWithParameters) {
  const std::vector<std::string> params{"FRX.ArtHaupt1", "1||999999"};
  EXPECT_EQ(errorText(5002, params, "DEU"), "Objekt '1||999999' der Klasse 'FRX.ArtHaupt1' existiert nicht");
  EXPECT_EQ(errorText(5002, params, "ENU"), "Object '1||999999' of class 'FRX.ArtHaupt1' does not exist");
  EXPECT_EQ(errorText(5999, params, "DEA"), "Fehler 5999 FRX.ArtHaupt1 1||999999");
  EXPECT_EQ(errorText(5001, {}, "DEU"), "Klasse '' ist nicht bekannt");
}
