#include "Umgebung.h"

#include "Schildfenster.h"
#include "Startglobale.h"
#include "VPNavBar.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <activex/VSPrinter.h>

#include <memory>
#include <stdexcept>

namespace vovida::test {
namespace {

class VPNavBarTest : public Umgebung {
 protected:
  void SetUp() override {
    Umgebung::SetUp();
    SchildfensterLeeren();
    leiste = std::make_unique<VPNavBar>(&vorschau);
  }
  void TearDown() override {
    leiste.reset();
    SchildfensterLeeren();
    Umgebung::TearDown();
  }
  void seiten(int anzahl) {
    vorschau.StartDoc();
    for (int i = 1; i < anzahl; ++i) vorschau.NewPage();
    vorschau.EndDoc();
  }
  // A sign window of the kind with the articles, recording the ones it is moved to.
  void fenster(const char* code, const QStringList& artikel) {
    Schildfenster f;
    f.ArtNr = [artikel] { return artikel; };
    f.artikelZeigen = [this](const QString& nr) { gezeigt.push_back(nr); };
    SchildfensterEintragen(QString::fromUtf8(code), f);
    startglobale().Plakatart = QString::fromUtf8(code);
  }

  kesto::activex::VSPrinter vorschau;
  std::unique_ptr<VPNavBar> leiste;  // made once the application exists
  VPNavBar& bar() { return *leiste; }
  std::vector<QString> gezeigt;
};

TEST(GetVal, ReadsTheNumberBeforeThePercentSign) {
  const std::vector<std::pair<QString, double>> faelle{
      {QStringLiteral("150%"), 150}, {QStringLiteral("Seitenbreite"), 0}, {QStringLiteral("7 5 %"), 75},
      {QStringLiteral("12.5%"), 12.5}, {QStringLiteral("62.5 %"), 62.5}, {QStringLiteral("62,5%"), 62},
      {QString(), 0}};
  for (const auto& [text, wert] : faelle) EXPECT_DOUBLE_EQ(GetVal(text), wert) << text.toStdString();
}

TEST_F(VPNavBarTest, OnePageShownMirrorsPageAndCount) {
  seiten(5);
  vorschau.setPreviewPage(2);
  bar().Synchronize();
  EXPECT_EQ(bar().scrlPage->minimum(), 1);
  EXPECT_EQ(bar().scrlPage->maximum(), 5);
  EXPECT_EQ(bar().scrlPage->value(), 2);
  EXPECT_EQ(bar().scrlPage->pageStep(), 1);
  EXPECT_EQ(bar().lblPage->text(), QStringLiteral("Seite 2 von 5"));
  // Zoom mode 3 at start.
  EXPECT_EQ(bar().cmbZoom->currentText(), QStringLiteral("Ganze Seite"));
  EXPECT_EQ(vorschau.PreviewPage(), 2);
}

TEST_F(VPNavBarTest, TwoPagesShownGiveARangeInTheLabel) {
  seiten(6);
  vorschau.setZoomMode(2);
  vorschau.setPreviewPage(3);
  bar().Synchronize();
  EXPECT_EQ(bar().scrlPage->maximum(), 5);
  EXPECT_EQ(bar().scrlPage->pageStep(), 2);
  EXPECT_EQ(bar().lblPage->text(), QStringLiteral("Seiten 3 - 4 von 6"));
  EXPECT_EQ(bar().cmbZoom->currentIndex(), 2);
}

TEST_F(VPNavBarTest, LongerDocumentIsNotClampedToTheOldRange) {
  seiten(3);
  bar().Synchronize();
  seiten(150);
  vorschau.setPreviewPage(120);
  bar().Synchronize();
  EXPECT_EQ(bar().scrlPage->value(), 120);
  EXPECT_EQ(vorschau.PreviewPage(), 120);
}

TEST_F(VPNavBarTest, TypedZoomAndZoomWordsSetThePreview) {
  seiten(4);
  bar().cmbZoom->setEditText(QStringLiteral("75 %"));
  bar().cmbZoom_KeyDown(13);
  EXPECT_EQ(vorschau.ZoomMode(), 0);
  EXPECT_DOUBLE_EQ(vorschau.Zoom(), 75);
  EXPECT_EQ(bar().cmbZoom->currentText(), QStringLiteral("75%"));

  bar().cmbZoom->setEditText(QStringLiteral("Alle Seiten"));
  emit bar().cmbZoom->lineEdit()->returnPressed();
  EXPECT_EQ(vorschau.ZoomMode(), 1);
  EXPECT_EQ(bar().cmbZoom->currentIndex(), 3);
  EXPECT_EQ(bar().lblPage->text(), QStringLiteral("Seiten 1 - 4 von 4"));

  // Other keys do nothing; leaving the box applies the text.
  bar().cmbZoom->setEditText(QStringLiteral("SEITENBREITE bitte"));
  bar().cmbZoom_KeyDown(27);
  EXPECT_EQ(vorschau.ZoomMode(), 1);
  QFocusEvent weg(QEvent::FocusOut);
  QCoreApplication::sendEvent(bar().cmbZoom, &weg);
  EXPECT_EQ(vorschau.ZoomMode(), 4);
  EXPECT_EQ(bar().cmbZoom->currentText(), QStringLiteral("Seitenbreite"));

  // An unknown word leaves the zoom alone but still synchronises.
  bar().cmbZoom->setEditText(QStringLiteral("groß"));
  bar().cmbZoom_Click();
  EXPECT_EQ(vorschau.ZoomMode(), 4);
  EXPECT_EQ(bar().cmbZoom->currentText(), QStringLiteral("Seitenbreite"));
}

TEST_F(VPNavBarTest, ScrollBarMovesThePreviewAndTheEditorToThePagesArticle) {
  fenster("SCHILD", {QStringLiteral("100021"), QStringLiteral("100022"), QStringLiteral("100023")});
  seiten(4);
  bar().Synchronize();
  bar().scrlPage->setValue(2);
  EXPECT_EQ(vorschau.PreviewPage(), 2);
  EXPECT_EQ(bar().lblPage->text(), QStringLiteral("Seite 2 von 4"));
  EXPECT_EQ(gezeigt, std::vector<QString>{QStringLiteral("100022")});
  // Page 4 has no article in the list of three: the editor is not touched.
  bar().scrlPage->setValue(4);
  EXPECT_EQ(vorschau.PreviewPage(), 4);
  EXPECT_EQ(gezeigt.size(), 1u);
}

TEST_F(VPNavBarTest, KindsWithoutAPageListDoNotMoveAnyWindow) {
  fenster("PERS", {QStringLiteral("1"), QStringLiteral("2")});
  seiten(2);
  bar().Synchronize();
  bar().scrlPage->setValue(2);
  EXPECT_EQ(vorschau.PreviewPage(), 2);
  EXPECT_TRUE(gezeigt.empty());
  // A plain synchronisation never moves the editor.
  fenster("A4F", {QStringLiteral("1"), QStringLiteral("2")});
  bar().Synchronize();
  EXPECT_TRUE(gezeigt.empty());
}

TEST_F(VPNavBarTest, WithoutPreviewNothingHappens) {
  VPNavBar ohne(nullptr);
  ohne.cmbZoom->setEditText(QStringLiteral("50%"));
  ohne.cmbZoom_Click();
  ohne.scrlPage_Change();
  ohne.Synchronize(true);
  EXPECT_EQ(ohne.lblPage->text(), QStringLiteral("Seite n von n"));
}

TEST_F(VPNavBarTest, ErrorsGoToTheCallerAndTheBarStaysUsable) {
  seiten(2);
  bar().cmbZoom->setEditText(QStringLiteral("99999%"));
  EXPECT_ANY_THROW(bar().cmbZoom_Click());

  Schildfenster kaputt;
  kaputt.ArtNr = [] { return QStringList{QStringLiteral("1")}; };
  kaputt.artikelZeigen = [](const QString&) { throw std::runtime_error("Artikel fehlt"); };
  SchildfensterEintragen(QStringLiteral("SCHILD"), kaputt);
  startglobale().Plakatart = QStringLiteral("SCHILD");
  vorschau.setPreviewPage(1);
  EXPECT_THROW(bar().Synchronize(true), std::runtime_error);
  vorschau.setPreviewPage(2);
  bar().Synchronize();
  EXPECT_EQ(bar().lblPage->text(), QStringLiteral("Seite 2 von 2"));
}

}  // namespace
}  // namespace vovida::test
