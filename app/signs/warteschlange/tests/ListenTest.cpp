// The queue editors' lists outlive the end of the program, however it ends, and come back
// with the next start; only the user's own close forgets them.
#include "Queue.h"

#include "Fensterliste.h"
#include "Warteschlange.h"
#include "Warteschlangenlisten.h"

#include <gmock/gmock.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <registry/Settings.h>

namespace vovida::test {
namespace {

using ::testing::ElementsAre;

class Listen : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    schildart(QStringLiteral("A4N"), {});
    anmelden("A4N");
  }
  void speichern(Warteschlangenfenster& e, const QString& nr, const QString& bez1) {
    e.setArtNrText(nr);
    e.Bez1->setText(bez1);
    e.Uebernehmen_Click();
  }
  // The windows of the run are gone; the next start opens them fresh from the store.
  void naechsterStart() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    programmendeZuruecksetzen();
  }
};

TEST_F(Listen, TheEndOfTheProgramKeepsEveryListWithItsSectionsAndTheNextStartShowsThem) {
  PosterEditor& poster = FormHolen<PosterEditor>();
  LabelEditor& etiketten = FormHolen<LabelEditor>();
  for (const char* nr : {"100001", "100002", "100003"}) speichern(poster, QString::fromUtf8(nr), QStringLiteral("P"));
  poster.setArtNrText(QStringLiteral("100003"));
  poster.ArtikelLoeschen_Click();
  speichern(etiketten, QString(), QString());  // the empty entry a label list can hold
  speichern(etiketten, QStringLiteral("200001"), QStringLiteral("E"));

  EXPECT_THROW(AlleFormulareEntladen(), kesto::services::ProgramEnded);
  EXPECT_EQ(programm->endedWith(), 0);
  EXPECT_THAT(abschnitte(), ElementsAre("100001", "100002", "100003", "200001"));

  naechsterStart();
  PosterEditor& poster2 = FormHolen<PosterEditor>();
  EXPECT_EQ(poster2.Liste(), (QStringList{QStringLiteral("100001"), QStringLiteral("100002")}));
  EXPECT_EQ(poster2.ArtNrText(), QStringLiteral("100001"));
  EXPECT_EQ(poster2.Bez1->text(), QStringLiteral("P"));
  EXPECT_EQ(FormHolen<LabelEditor>().Liste(), (QStringList{QString(), QStringLiteral("200001")}));
}

TEST_F(Listen, ClosingForgetsTheOwnListAndKeepsTheSectionsOfAListStoredByAnother) {
  PosterEditor& poster = FormHolen<PosterEditor>();
  for (const char* nr : {"1", "2", "3"}) speichern(poster, QString::fromUtf8(nr), QStringLiteral("P"));
  // The label list of the run before; its editor is not open in this one.
  ListeSchreiben(QStringLiteral("LabelEditor"), {QStringLiteral("2")});

  QTest::mouseClick(poster.pb_Abbrechen, Qt::LeftButton);
  EXPECT_FALSE(fensterliste().geladen<PosterEditor>());
  EXPECT_THAT(abschnitte(), ElementsAre("2"));
  EXPECT_TRUE(ListeLesen(QStringLiteral("PosterEditor")).isEmpty());
  EXPECT_TRUE(FormHolen<PosterEditor>().Liste().isEmpty());
  EXPECT_EQ(FormHolen<LabelEditor>().Liste(), QStringList{QStringLiteral("2")});
}

TEST_F(Listen, AStoredListThatIsNoListIsReportedAndTheEditorOpensEmpty) {
  kesto::registry::SaveSetting("Vovida", "Warteschlangen", "PosterEditor", "100001,100002");
  EXPECT_TRUE(FormHolen<PosterEditor>().Liste().isEmpty());
  ASSERT_FALSE(boxen->shown().empty());
  EXPECT_EQ(boxen->shown().back().text,
            "Die gespeicherte Artikelliste von PosterEditor ist unlesbar und wird nicht geladen.");
}

}  // namespace
}  // namespace vovida::test
