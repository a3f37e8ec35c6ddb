#include "TestApp.h"
#include "clsRegistry.h"

#include <registry/Registry.h>
#include <registry/Settings.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace vovida;
namespace reg = kesto::registry;

namespace {

const QString kWarteschlange =
    QStringLiteral("HKCU\\Software\\VB and VBA Program Settings\\Vovida\\Vovida\\");

// Each test gets an empty registry of its own below the binary's KESTO_ROOT.
class ClsRegistry : public testing::Test {
 protected:
  void SetUp() override {
    const char* basis = std::getenv("KESTO_ROOT");
    ASSERT_NE(basis, nullptr) << "tests run with KESTO_ROOT set";
    vorher_ = basis;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    const auto wurzel = std::filesystem::path(basis) / "clsRegistry" / info->name();
    std::filesystem::remove_all(wurzel);
    setenv("KESTO_ROOT", wurzel.c_str(), 1);
  }
  void TearDown() override { setenv("KESTO_ROOT", vorher_.c_str(), 1); }

  static clsRegistry mit(const QString& key) {
    clsRegistry r;
    r.setKey(key);
    return r;
  }

 private:
  std::string vorher_;
};

struct Fehlerfall {
  const char* name;
  std::function<void()> aufruf;
  std::int32_t nummer;
  const char* quelle;
  const char* beschreibung;
};

TEST_F(ClsRegistry, RaisesItsErrors) {
  reg::createKey(reg::Hive::CurrentUser, "Software\\Da");
  const Fehlerfall faelle[] = {
      {"empty key", [] { clsRegistry().setKey(QString()); }, clsRegistry::kUngueltigerSchluessel,
       "Let Key", "Ungültiger Schlüssel"},
      {"lone backslash", [] { clsRegistry().setKey(QStringLiteral("\\")); },
       clsRegistry::kUngueltigerSchluessel, "Let Key", "Ungültiger Schlüssel"},
      {"nothing set", [] { clsRegistry().getValue(); }, clsRegistry::kUngueltigerSchluessel,
       "Let Key", "Ungültiger Schlüssel"},
      {"delKey two backslashes", [] { mit(QStringLiteral("HKCU\\Software\\Da\\\\")).delKey(); },
       clsRegistry::kUngueltigerSchluessel, "delKey", "Ungültiger Schlüssel!"},
      {"delKey of a root", [] { mit(QStringLiteral("HKCU\\")).delKey(); },
       clsRegistry::kUngueltigerSchluessel, "delKey", "Ungültiger Schlüssel!"},
      {"getValue without backslash", [] { mit(QStringLiteral("HKCU")).getValue(); },
       clsRegistry::kUngueltigerSchluessel, "getValue", "Ungültiger Schlüssel: \"HKCU\""},
      {"setValue without backslash", [] { mit(QStringLiteral("HKCU")).setValue("1", 1); },
       clsRegistry::kUngueltigerSchluessel, "setValue", "Ungültiger Schlüssel: \"HKCU\""},
      {"unknown root", [] { mit(QStringLiteral("hkxx\\Software\\x")).getValue(); },
       clsRegistry::kUnbekannteWurzel, "getRoot", "Unbekannter Hauptschlüssel: \"hkxx\""},
      {"missing key", [] { mit(QStringLiteral("HKCU\\Fehlt\\Ganz\\")).regEnum(); },
       clsRegistry::kNichtGeoeffnet, "OpenKey",
       "Kann Schlüssel nicht öffnen \"HKCU\\Fehlt\\Ganz\\\", Error # 2"},
      {"missing value", [] { mit(QStringLiteral("HKCU\\Software\\Da\\Wert")).getValue(); },
       clsRegistry::kNichtGelesen, "getValue",
       "Kann Schlüssel nicht lesen \"HKCU\\Software\\Da\\Wert\""},
      {"no auto-create",
       [] {
         clsRegistry r = mit(QStringLiteral("HKCU\\Software\\Da\\Neu"));
         r.setAutoCreate(false);
         r.setValue(QStringLiteral("x"), 1);
       },
       clsRegistry::kNichtAngelegt, "setValue", "Schlüssel wird nicht angelegt"},
      {"byte above 255", [] { mit(QStringLiteral("HKCU\\Software\\Da\\Bin")).setValue("100", 3); },
       clsRegistry::kBinaerzahl, "setValue", "Ungültige Binärzahl (größer als 255): \"100 \""},
      {"key that cannot be made",
       [] { mit(QStringLiteral("HKU\\Software\\x")).setValue(QStringLiteral("1"), 1); },
       clsRegistry::kNichtErstellt, "setValue",
       "Fehler beim Erstellen/Zugriff auf Schlüssel \"HKU\\Software\\x\" Error #: 5"},
      {"writing KeyExists", [] { clsRegistry().setKeyExists(true); }, clsRegistry::kNurLesen,
       "keyExists", ""},
  };
  for (const Fehlerfall& f : faelle) {
    try {
      f.aufruf();
      ADD_FAILURE() << f.name << ": no error";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), f.nummer) << f.name;
      EXPECT_EQ(e.source(), QString::fromUtf8(f.quelle)) << f.name;
      EXPECT_EQ(e.description(), QString::fromUtf8(f.beschreibung)) << f.name;
    }
  }
  EXPECT_EQ(clsRegistry::kUngueltigerSchluessel, static_cast<std::int32_t>(0x80040202u));
  EXPECT_EQ(clsRegistry::kNichtErstellt, static_cast<std::int32_t>(0x8004020Fu));
}

TEST_F(ClsRegistry, ConversionErrorsOfValuesReachTheCaller) {
  clsRegistry r = mit(QStringLiteral("HKCU\\Software\\Da\\Wert"));
  for (const char* kaputt : {"01  ff", "0g", ""}) {
    try {
      r.setValue(QString::fromUtf8(kaputt), 3);
      ADD_FAILURE() << kaputt << ": no error";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), kFehlerTypen) << kaputt;
    }
  }
  EXPECT_THROW(r.setValue(QStringLiteral("zwölf"), 4), RuntimeError);
}

TEST_F(ClsRegistry, WritesAndReadsStringsAndNumbers) {
  clsRegistry r = mit(QStringLiteral("HKCU\\Software\\Neu\\Tiefer\\Text"));
  EXPECT_TRUE(r.setValue(QStringLiteral("Größe 30×30"), 1));
  EXPECT_EQ(r.getValue(), u"Größe 30×30");
  EXPECT_EQ(reg::getString(reg::Hive::CurrentUser, "Software\\Neu\\Tiefer", "Text"),
            "Größe 30×30");

  r.setKey(QStringLiteral("HKEY_CURRENT_USER\\Software\\Neu\\Zahl"));
  EXPECT_TRUE(r.setValue(QStringLiteral("12"), 4));
  EXPECT_EQ(reg::getValue(reg::Hive::CurrentUser, "Software\\Neu", "Zahl"),
            reg::Value(std::uint32_t{12}));
  EXPECT_EQ(r.getValue(), u"12");

  reg::setValue(reg::Hive::CurrentUser, "Software\\Neu", "Voll", std::uint32_t{4294967295u});
  EXPECT_EQ(mit(QStringLiteral("hkcu\\software\\neu\\voll")).getValue(), u"-1");
  EXPECT_TRUE(mit(QStringLiteral("HKCU\\Software\\Neu\\Minus")).setValue(QStringLiteral("-1"), 4));
  EXPECT_EQ(reg::getValue(reg::Hive::CurrentUser, "Software\\Neu", "Minus"),
            reg::Value(std::uint32_t{4294967295u}));

  reg::setValue(reg::Hive::CurrentUser, "Software\\Neu", "Leer", std::string());
  EXPECT_EQ(mit(QStringLiteral("HKCU\\Software\\Neu\\Leer")).getValue(), u"");
}

TEST_F(ClsRegistry, UnknownTypesWriteNothing) {
  clsRegistry r = mit(QStringLiteral("HKCU\\Software\\Typ\\Wert"));
  EXPECT_FALSE(r.setValue(QStringLiteral("x"), 2));
  EXPECT_FALSE(reg::keyExists(reg::Hive::CurrentUser, "Software\\Typ"));
}

TEST_F(ClsRegistry, BinaryTexts) {
  EXPECT_EQ(binaerText(QByteArray("\x01\xa0\xff", 3)), u"01 A0 FF");
  EXPECT_EQ(binaerText(QByteArray()), u"");
  EXPECT_EQ(binaerWerte(QStringLiteral("01 a0 ff")), QByteArray("\x01\xa0\xff", 3));
  EXPECT_EQ(binaerWerte(QStringLiteral("  1 A0 FF ")), QByteArray("\x01\xa0\xff", 3));
}

TEST_F(ClsRegistry, BinaryValuesRoundTrip) {
  clsRegistry r = mit(QStringLiteral("HKCU\\Software\\Bin\\Daten"));
  ASSERT_TRUE(r.setValue(QStringLiteral("01 a0 ff"), 3));
  EXPECT_EQ(r.getValue(), u"01 A0 FF");
}

TEST_F(ClsRegistry, ListsSubkeysOrValues) {
  reg::createKey(reg::Hive::CurrentUser, "Software\\Liste\\Leer");
  reg::createKey(reg::Hive::CurrentUser, "Software\\Liste\\B");
  reg::setValue(reg::Hive::CurrentUser, "Software\\Liste", "w1", std::string("1"));
  reg::setValue(reg::Hive::CurrentUser, "Software\\Liste", "w2", std::uint32_t{2});

  EXPECT_EQ(mit(QStringLiteral("HKCU\\Software\\Liste\\")).regEnum(),
            (QStringList{QStringLiteral("Leer"), QStringLiteral("B")}));
  EXPECT_EQ(mit(QStringLiteral("HKCU\\Software\\Liste")).regEnum(),
            (QStringList{QStringLiteral("w1"), QStringLiteral("w2")}));
  EXPECT_TRUE(mit(QStringLiteral("HKCU\\Software\\Liste\\Leer\\")).regEnum().isEmpty());
  EXPECT_TRUE(mit(QStringLiteral("HKU\\")).regEnum().isEmpty());
}

TEST_F(ClsRegistry, DeletesKeysAndValues) {
  reg::createKey(reg::Hive::CurrentUser, "Eltern\\Kind");
  reg::setValue(reg::Hive::CurrentUser, "Eltern", "Wert", std::string("x"));

  clsRegistry r = mit(QStringLiteral("HKCU\\Eltern\\Kind\\"));
  EXPECT_EQ(r.delKey(), ERROR_SUCCESS);
  EXPECT_EQ(r.Key(), u"HKCU\\Eltern\\Kind");
  EXPECT_FALSE(reg::keyExists(reg::Hive::CurrentUser, "Eltern\\Kind"));
  EXPECT_TRUE(reg::keyExists(reg::Hive::CurrentUser, "Eltern"));

  EXPECT_EQ(mit(QStringLiteral("HKCU\\Eltern\\Wert")).delKey(), ERROR_SUCCESS);
  EXPECT_FALSE(reg::getValue(reg::Hive::CurrentUser, "Eltern", "Wert"));
  EXPECT_EQ(mit(QStringLiteral("HKCU\\Eltern\\Wert")).delKey(), ERROR_FILE_NOT_FOUND);

  // A key with subkeys goes as a whole tree; its neighbours stay.
  reg::createKey(reg::Hive::CurrentUser, "Voll\\Unten\\Tiefer");
  reg::setValue(reg::Hive::CurrentUser, "Voll\\Unten", "Wert", std::string("x"));
  reg::createKey(reg::Hive::CurrentUser, "Voll\\Zweiter");
  reg::createKey(reg::Hive::CurrentUser, "Vollständig");
  EXPECT_EQ(mit(QStringLiteral("HKCU\\Voll\\")).delKey(), ERROR_SUCCESS);
  EXPECT_FALSE(reg::keyExists(reg::Hive::CurrentUser, "Voll"));
  EXPECT_TRUE(reg::keyExists(reg::Hive::CurrentUser, "Vollständig"));
  EXPECT_EQ(mit(QStringLiteral("HKCU\\Voll\\")).delKey(), ERROR_FILE_NOT_FOUND);
}

TEST_F(ClsRegistry, KeyExistsNeverRaises) {
  reg::setValue(reg::Hive::CurrentUser, "Software\\Da", "Wert", std::string("x"));
  const struct {
    const char* key;
    bool da;
  } faelle[] = {
      {"", false},
      {"HKCU\\Software\\Da\\", true},
      {"hkcu\\software\\da\\", true},
      {"HKEY_CURRENT_USER\\Software\\Da\\", true},
      {"HKCU\\Software\\Da\\Wert", true},
      {"HKCU\\Software\\Da\\Fehlt", false},
      {"HKCU\\Software\\Fehlt\\", false},
      {"HKXX\\Software\\", false},
      {"HKCU", false},
      {"HKCU\\", true},
  };
  for (const auto& f : faelle) {
    clsRegistry r;
    if (*f.key) r.setKey(QString::fromUtf8(f.key));
    EXPECT_EQ(r.KeyExists(), f.da) << f.key;
  }
}

TEST_F(ClsRegistry, ClearingTheSignQueueKeepsItsParent) {
  for (const char* nr : {"123", "124", "4711"}) {
    reg::SaveSetting("Vovida\\Vovida", nr, "Preis", "12,50");
  }
  reg::SaveSetting("Vovida", "Einstellungen", "Plakatart", "A4N");

  // As the sign editors clear their queue.
  clsRegistry liste = mit(kWarteschlange);
  ASSERT_TRUE(liste.KeyExists());
  const QStringList namen = liste.regEnum();
  for (qsizetype i = namen.size(); i >= 1; --i) {
    clsRegistry eintrag = mit(kWarteschlange + namen[i - 1] + u'\\');
    if (eintrag.KeyExists()) {
      EXPECT_EQ(eintrag.delKey(), ERROR_SUCCESS);
    }
  }

  EXPECT_TRUE(mit(kWarteschlange).KeyExists());
  EXPECT_TRUE(mit(kWarteschlange).regEnum().isEmpty());
  EXPECT_EQ(reg::GetSetting("Vovida", "Einstellungen", "Plakatart"), "A4N");
}

}  // namespace
