#include "Personal.h"

#include "Eingabe.h"

#include "FMStart.h"
#include "Personalschild.h"
#include "ServerZugriff.h"
#include "frmNamenbestaetigung.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <activex/ColumnList.h>

namespace vovida::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PersonalschildEditor : public PersonalFixture {
 protected:
  // The next confirmation dialogs: each shows the dialog, checks the text it was given,
  // and, straight away as a person at the keyboard, types neu over it and presses Return,
  // or presses Escape when neu is null.
  void bestaetigung(const QString& erwartet, const QString& neu) {
    modalSkript.push_back([erwartet, neu](QWidget& fenster) {
      auto& d = dynamic_cast<frmNamenbestaetigung&>(fenster);
      aktivieren(d);
      EXPECT_EQ(d.Namen->text(), erwartet);
      EXPECT_TRUE(d.Namen->hasFocus());
      if (neu.isNull()) {
        taste(d, Qt::Key_Escape);
      } else {
        tippen(d, neu);
        taste(d, Qt::Key_Return);
      }
      EXPECT_FALSE(d.isVisible());
      d.hide();
    });
  }
  // Double-click on a row: the names list's edit event.
  void doppelklick(int zeile) {
    kesto::activex::ColumnList& liste = *editor().Namen;
    const QRect r = liste.visualItemRect(liste.topLevelItem(zeile));
    const QPoint stelle = r.center() + QPoint(r.width() / 4, 0);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, stelle);
    QTest::mouseDClick(liste.viewport(), Qt::LeftButton, {}, stelle);
  }
};

TEST_F(PersonalschildEditor, OpeningListsTheDepartmentsAndTheBadgeSize) {
  frmPersonalschild& f = editor();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Eingabe Personalschilder"));
  QStringList abteilungen;
  for (int i = 0; i < f.Abteilung->count(); ++i) abteilungen << f.Abteilung->itemText(i);
  EXPECT_EQ(abteilungen, (QStringList{QString(), "10 Baustoffe", "20 Fliesen", "30 Farben & Lacke", "40 Garten",
                                      "50 Werkzeug & Eisenwaren", "60 Holz & Bauelemente", "70 Lager & Logistik",
                                      "90 Verwaltung"}));
  const QString groesse = ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("PSCHILD-BH"));
  EXPECT_EQ(f.B->text() + u'@' + f.H->text(), groesse);
  EXPECT_FALSE(start().LogoBild.isNull());
  EXPECT_THAT(boxTexte(), IsEmpty());
}

TEST_F(PersonalschildEditor, NamesOfTheChosenDepartmentInNameCase) {
  struct Fall {
    const char* abteilung;
    QStringList namen;
  };
  const Fall faelle[] = {
      {"60", {"Hofer-lang Maria", "König Peter"}},
      {"20", {"Huber Josef", "Müller Anna"}},
      {"70", {}},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.abteilung);
    namenLaden(QString::fromLatin1(fall.abteilung));
    EXPECT_EQ(namen(), fall.namen);
  }
  // The empty item: the active staff of every department, the inactive one left out.
  namenLaden(QString());
  const QStringList alle = namen();
  EXPECT_EQ(alle.size(), 10);
  EXPECT_TRUE(alle.contains(QStringLiteral("Weiß Karl")));
  EXPECT_TRUE(alle.contains(QStringLiteral("Hofer-lang Maria")));
  EXPECT_FALSE(alle.contains(QStringLiteral("Altmann Rudolf")));
}

TEST(Namensschreibweise, FirstLetterOfEachBlankSeparatedWordUpper) {
  const std::pair<const char*, const char*> faelle[] = {
      {"ABC DEF", "Abc Def"}, {"abc-def ghi", "Abc-def Ghi"}, {"HOFER-LANG MARIA", "Hofer-lang Maria"},
      {"MÜLLER ANNA", "Müller Anna"}, {"WEISS  KARL", "Weiss  Karl"}, {"", ""}, {" x", " X"}, {"STRAßE", "Straße"}};
  for (const auto& [ein, aus] : faelle)
    EXPECT_EQ(Namensschreibweise(QString::fromUtf8(ein)), QString::fromUtf8(aus)) << ein;
}

TEST_F(PersonalschildEditor, ConfirmationAsksForEachMarkedRowInOrder) {
  namenLaden(QStringLiteral("60"));
  doppelklick(0);
  EXPECT_THAT(modalGezeigt, ::testing::Not(::testing::Contains("frmNamenbestaetigung")));  // nothing marked

  namenLaden(QString());
  markieren(1);
  markieren(3);
  ASSERT_EQ(editor().Namen->ItemMark(1), 1);
  const QString zweiter = editor().Namen->List(1);
  const QString vierter = editor().Namen->List(3);
  bestaetigung(zweiter, QString());  // Abbrechen keeps the text and still asks for the next
  bestaetigung(vierter, QStringLiteral("Dr. Hofer-Lang"));
  doppelklick(0);
  EXPECT_TRUE(modalSkript.empty());
  EXPECT_EQ(editor().Namen->List(1), zweiter);
  EXPECT_EQ(editor().Namen->List(3), QStringLiteral("Dr. Hofer-Lang"));
  EXPECT_EQ(fensterliste().holen<frmNamenbestaetigung>().windowTitle(),
            QStringLiteral("Personalschild Namensbestätigung"));
}

TEST_F(PersonalschildEditor, SaveWritesTheSizeWithoutAskingForAFreshWindow) {
  frmPersonalschild& f = editor();
  f.show();
  for (auto [feld, text] : {std::pair{f.B, "90,5"}, std::pair{f.H, "34"}}) ersetzen(*feld, QString::fromUtf8(text));
  QTest::mouseClick(f.Save, Qt::LeftButton);
  EXPECT_THAT(boxTexte(), IsEmpty());
  EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("PSCHILD-BH")), QStringLiteral("90,5@34"));
  fensterliste().entladen<frmPersonalschild>();
  EXPECT_EQ(editor().B->text(), QStringLiteral("90,5"));
  EXPECT_EQ(editor().H->text(), QStringLiteral("34"));
}

TEST_F(PersonalschildEditor, BoxesTakeOnlyTheirDigits) {
  frmPersonalschild& f = editor();
  f.show();
  struct Fall {
    QLineEdit* feld;
    const char* eingabe;
    const char* meldung;
  };
  const Fall faelle[] = {{f.B, "1234", "Zu viele Vorkommastellen Eingegeben!"},
                         {f.H, "12,34", "Zu viele Nachkommastellen Eingegeben!"},
                         {f.Etikettenanzahl, "123", "Zu viele Vorkommastellen Eingegeben!"},
                         {f.Etikettenanzahl, "1,5", "Zu viele Nachkommastellen Eingegeben!"}};
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.eingabe);
    const std::size_t vorher = boxen->shown().size();
    ersetzen(*fall.feld, QString::fromUtf8(fall.eingabe));
    ASSERT_GT(boxen->shown().size(), vorher);
    EXPECT_THAT(boxen->shown()[vorher].text, ::testing::HasSubstr(fall.meldung));
  }
}

TEST_F(PersonalschildEditor, MissingLogoDoesNotStopTheEditor) {
  editor();
  fensterliste().entladen<frmPersonalschild>();
  const QImage logo = start().LogoBild;
  ASSERT_FALSE(logo.isNull());
  const QString leer = QDir::temp().filePath(QStringLiteral("kein-personallogo"));
  QDir().mkpath(leer);
  ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO"), QString(leer).replace(u'/', u'@'));
  frmPersonalschild& f = editor();
  EXPECT_EQ(f.Abteilung->count(), 9) << ::testing::PrintToString(boxTexte());
  EXPECT_FALSE(f.B->text().isEmpty());
  EXPECT_EQ(start().LogoBild, logo);
  EXPECT_THAT(boxTexte(), IsEmpty());
}

TEST_F(PersonalschildEditor, ChoosingTheKindStartsTheSheetAtTheFirstCell) {
  start().show();
  QTest::mouseClick(start().Option(QStringLiteral("A4N")), Qt::LeftButton);
  personalschildGlobale().PersonalschildStartZeile = 3;
  personalschildGlobale().PersonalschildStartSpalte = 2;
  QRadioButton* pers = start().Option(QStringLiteral("PERS"));
  QTest::mouseClick(pers, Qt::LeftButton);
  ASSERT_TRUE(pers->isChecked());
  EXPECT_EQ(personalschildGlobale().PersonalschildStartZeile, 1);
  EXPECT_EQ(personalschildGlobale().PersonalschildStartSpalte, 1);
}

TEST_F(PersonalschildEditor, DataButtonShowsTheEditorInFrontOfTheMainWindow) {
  start().show();
  QTest::mouseClick(start().CBDaten, Qt::LeftButton);
  ASSERT_TRUE(editor().isVisible());
  EXPECT_EQ(editor().windowHandle()->transientParent(), start().windowHandle());
}

// The editor and its dialog as the user sees them; KESTO_SCREENSHOTS names a folder to keep
// them.
TEST_F(PersonalschildEditor, WindowsOnTheScreen) {
  namenLaden(QString());
  markieren(4);
  editor().resize(420, 480);
  const QImage fenster = editor().grab().toImage();
  QImage dialog;
  modalSkript.push_back([&](QWidget& w) {
    w.show();
    dialog = w.grab().toImage();
    w.hide();
  });
  doppelklick(4);
  ASSERT_FALSE(dialog.isNull());
  if (const QByteArray ordner = qgetenv("KESTO_SCREENSHOTS"); !ordner.isEmpty()) {
    fenster.save(QString::fromUtf8(ordner) + QStringLiteral("/frmPersonalschild.png"));
    dialog.save(QString::fromUtf8(ordner) + QStringLiteral("/frmNamenbestaetigung.png"));
  }
  EXPECT_GE(fenster.width(), 420);
  EXPECT_EQ(fensterliste().holen<frmNamenbestaetigung>().Namen->text(), editor().Namen->List(4));
}

}  // namespace
}  // namespace vovida::test
