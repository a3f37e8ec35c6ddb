#include <gtest/gtest.h>

#include "Textuebernahme.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace vovida::test {
namespace {

std::vector<QString> absaetze(const QTextDocument& d) {
  std::vector<QString> a;
  for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) a.push_back(b.text());
  return a;
}

class TextuebernahmeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "freedesign_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
  }
};

TEST_F(TextuebernahmeTest, TemplatePlaceholdersCarryTheDescriptionLines) {
  QTextDocument d;
  d.setHtml(QStringLiteral("<p><b>ZEILE 1</b></p><p><i>zeile 2</i></p><p>Zeile 3</p><p>Fester Text</p>"));
  TextUebernehmen(d, QStringLiteral("Wandfliese Capri"), QStringLiteral("30 x 60 cm"), QStringLiteral("weiß"));
  EXPECT_EQ(absaetze(d), (std::vector<QString>{QStringLiteral("Wandfliese Capri"), QStringLiteral("30 x 60 cm"),
                                                QStringLiteral("weiß"), QStringLiteral("Fester Text")}));
  // Each line keeps the format of the text it replaced.
  EXPECT_TRUE(d.begin().begin().fragment().charFormat().fontWeight() >= QFont::Bold);
  EXPECT_TRUE(d.begin().next().begin().fragment().charFormat().fontItalic());
}

TEST_F(TextuebernahmeTest, OneLineBodyWithThreeDescriptionsGivesThreeParagraphs) {
  QTextDocument d;
  d.setPlainText(QStringLiteral("Beschreibung"));
  TextUebernehmen(d, QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei"));
  EXPECT_EQ(absaetze(d), (std::vector<QString>{QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")}));
}

TEST_F(TextuebernahmeTest, LineThatNamesAFontReplacesTextNotTheFontTable) {
  // F23: on the raw code "Arial" would first match the font table.
  QTextDocument d;
  QTextCursor c(&d);
  QTextCharFormat f;
  f.setFontFamilies({QStringLiteral("Arial")});
  c.insertText(QStringLiteral("Arial"), f);
  c.insertBlock();
  c.insertText(QStringLiteral("b"), f);
  TextUebernehmen(d, QStringLiteral("Fliese"), QStringLiteral("Kleber"), QString());
  EXPECT_EQ(absaetze(d), (std::vector<QString>{QStringLiteral("Fliese"), QStringLiteral("Kleber")}));
  EXPECT_EQ(d.begin().begin().fragment().charFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
}

TEST_F(TextuebernahmeTest, EmptyBodyGetsNothing) {
  QTextDocument d;
  TextUebernehmen(d, QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei"));
  EXPECT_TRUE(d.isEmpty());
}

}  // namespace
}  // namespace vovida::test
