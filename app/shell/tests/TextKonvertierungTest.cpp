#include "TestApp.h"
#include "TextKonvertierung.h"

#include <activex/RichText.h>

#include <QStringList>

using namespace vovida;

namespace {

struct Fall {
  const char* text;
  const char* modus;
  bool gross;
  const char* erwartet;
};

void PrintTo(const Fall& f, std::ostream* out) { *out << f.modus << ": " << f.text; }

class TextKonvertierenFall : public testing::TestWithParam<Fall> {};

TEST_P(TextKonvertierenFall, Converts) {
  const Fall& f = GetParam();
  EXPECT_EQ(TextKonvertieren(QString::fromUtf8(f.text), QString::fromUtf8(f.modus), f.gross),
            QString::fromUtf8(f.erwartet));
}

INSTANTIATE_TEST_SUITE_P(
    Modi, TextKonvertierenFall,
    testing::Values(
        Fall{"{berschrift", "Ferrix", false, "äberschrift"},
        Fall{"[|}~]\\{õ", "Ferrix", false, "ÄöüßÜÖä§"},
        Fall{"Größe §3", "GUIFerrix", false, "Gr|~e õ3"},
        Fall{"ÄÖÜäöüß§", "GUIFerrix", false, "[\\]{|}~õ"},
        Fall{"Straße", "FerrixSUCHE", true, "STRASSE"},
        Fall{"Öl und Übermaß", "FerrixSUCHE", true, "OEL UND UEBERMASS"},
        Fall{"Öl äu", "FerrixSUCHE", false, "OEl äu"},
        Fall{"Maß: ä ö ü Ä Ö Ü", "RTF", false,
             "Ma\\'df: \\'e4 \\'f6 \\'fc \\'C4 \\'d6 \\'dc"},
        Fall{"a{b}c\\d ä", "RTF", false, "a\\{b\\}c\\\\d \\'e4"},
        Fall{"Größe", "ferrix", false, "Größe"},
        Fall{"größe", "", true, "GRÖßE"}));

// The rich-text control writes the texts it keeps as this conversion writes them into
// rich-text code, so that either can be searched for in the other's output.
TEST(TextKonvertieren, RichTextWriterEscapesTheSame) {
  for (const char* text : {"Maß: ä ö ü Ä Ö Ü", "a{b}c\\d ä", "Größe 30 x 30", "ÄÖÜäöüß{}"}) {
    const QString t = QString::fromUtf8(text);
    EXPECT_EQ(kesto::activex::escapeRtfText(t), TextKonvertieren(t, QStringLiteral("RTF"), false).toStdString())
        << text;
  }
}

TEST(TextKonvertieren, ScreenAndServerFormsRoundTrip) {
  const QString bildschirm = QStringLiteral("Fußbodenfliesen Größe 30×30 §5 ÄÖÜ");
  const QString server = TextKonvertieren(bildschirm, QStringLiteral("GUIFerrix"), false);
  EXPECT_EQ(TextKonvertieren(server, QStringLiteral("Ferrix"), false), bildschirm);
}

TEST(TextErsetzen, UsesFirstCharactersUnlessWholeText) {
  const struct {
    const char* text;
    const char* suche;
    const char* ersatz;
    bool ganz;
    const char* erwartet;
  } faelle[] = {
      {"a-b-c", "-", "+", false, "a+b+c"},
      {"a-b-c", "-x", "+y", false, "a+b+c"},  // only "-" and "+" count
      {"a--b", "--", "=", true, "a=b"},
      {"aaa", "aa", "b", true, "ba"},         // scanning goes on after the match
      {"abc", "b", "", false, "ac"},
      {"abc", "", "x", true, "abc"},
      {"ABC", "b", "x", false, "ABC"},        // case counts
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(TextErsetzen(QString::fromUtf8(f.text), QString::fromUtf8(f.suche),
                           QString::fromUtf8(f.ersatz), f.ganz),
              QString::fromUtf8(f.erwartet))
        << f.text << " / " << f.suche;
  }
}

TEST(TextErsetzen, HasNoLengthLimit) {
  const QString lang(1000, u'x');
  EXPECT_EQ(TextErsetzen(lang, QStringLiteral("x"), QStringLiteral("y")), QString(1000, u'y'));
}

TEST(TeilString, PicksFieldsOrTheDefault) {
  const QString text = QStringLiteral("A;B;;D");
  const QString semi = QStringLiteral(";");
  EXPECT_EQ(TeilString(text, semi, 1), u"A");
  EXPECT_EQ(TeilString(text, semi, 3, QStringLiteral("x")), u"x");
  EXPECT_EQ(TeilString(text, semi, 4, QStringLiteral("x")), u"D");
  EXPECT_EQ(TeilString(text, semi, 5, QStringLiteral("x")), u"x");
  EXPECT_EQ(TeilString(text, semi, 5), u"");
  EXPECT_EQ(TeilString(text, semi, 0, QStringLiteral("x")), u"x");
  EXPECT_EQ(TeilString(QStringLiteral("a@b"), QStringLiteral("@x"), 2), u"b");
  EXPECT_EQ(TeilString(QStringLiteral("abc"), QString(), 1), u"abc");
}

TEST(TeilString, HasNoFieldLimit) {
  QStringList felder;
  for (int i = 1; i <= 300; ++i) felder << QString::number(i);
  EXPECT_EQ(TeilString(felder.join(u'|'), QStringLiteral("|"), 300), u"300");
}

}  // namespace
