// The controls of the free-design editor and where they sit: five page frames under the
// tab strip, the design name, save, close and delete outside them.
#include "frmEigenbau.h"

#include "Benannt.h"
#include "Fenstergroesse.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <activex/PushToggle.h>
#include <activex/RTFText2.h>

namespace vovida {

namespace {


QLineEdit* textbox(const QString& name) {
  auto* feld = benannt(new QLineEdit, name);
  feld->setMaximumWidth(150);
  return feld;
}

QComboBox* kombi(const QString& name) {
  auto* box = benannt(new QComboBox, name);
  box->setEditable(true);
  // Entries join the list only when the design is saved.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMinimumWidth(120);
  return box;
}

QString indexName(const char* name, int n) { return QString::fromUtf8(name) + u'(' + QString::number(n) + u')'; }

// The three alignment buttons in a row, with their caption.
QWidget* ausrichtung(kesto::activex::PushToggle*& links, kesto::activex::PushToggle*& mitte,
                     kesto::activex::PushToggle*& rechts, const QString& l, const QString& m, const QString& r) {
  auto* zeile = new QWidget;
  auto* box = new QHBoxLayout(zeile);
  box->setContentsMargins(0, 0, 0, 0);
  box->addWidget(new QLabel(QStringLiteral("Textausrichtung")));
  links = benannt(new kesto::activex::PushToggle(QStringLiteral("Links")), l);
  mitte = benannt(new kesto::activex::PushToggle(QStringLiteral("Mitte")), m);
  rechts = benannt(new kesto::activex::PushToggle(QStringLiteral("Rechts")), r);
  for (auto* t : {links, mitte, rechts}) box->addWidget(t);
  box->addStretch(1);
  return zeile;
}

}  // namespace

void frmEigenbau::aufbauen() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Eigenschaften des Eigenbauplakates"));
  auto* haupt = new QVBoxLayout(this);

  auto* kopf = new QHBoxLayout;
  kopf->addWidget(new QLabel(QStringLiteral("Speichern unter..")));
  SpeicherName = kombi(QStringLiteral("SpeicherName"));
  kopf->addWidget(SpeicherName, 1);
  c_Werbetext = benannt(new QCheckBox(QStringLiteral("Werbetext Anzeigen?")), QStringLiteral("c_Werbetext"));
  kopf->addWidget(c_Werbetext);
  haupt->addLayout(kopf);

  TabFeld = benannt(new QTabBar, QStringLiteral("TabFeld"));
  for (const char* reiter : {"Artikel / Preis", "Werbetext", "Inhalte", "Zusatzpreise 1-3", "Zusatzpreise 4-6"})
    TabFeld->addTab(QString::fromUtf8(reiter));
  haupt->addWidget(TabFeld);
  for (int k = 1; k <= 5; ++k) {
    Frame[k] = benannt(new QGroupBox, indexName("Frame", k));
    haupt->addWidget(Frame[k], 1);
  }

  // 1: article and prices.
  {
    auto* g = new QGridLayout(Frame[1]);
    ArtNr = kombi(QStringLiteral("ArtNr"));
    FuerArtikelnummer(*ArtNr);
    Read = benannt(new QPushButton(QStringLiteral("&Lesen")), QStringLiteral("Read"));
    Read->setToolTip(QStringLiteral("Artikeldaten aus Datenbank holen"));
    Suchen = benannt(new QPushButton(QStringLiteral("...")), QStringLiteral("Suchen"));
    Suchen->setToolTip(QStringLiteral("Artikelnummer suchen"));
    ArtNrLöschen = benannt(new QPushButton(QStringLiteral("&Artikel Löschen")), QStringLiteral("ArtNrLöschen"));
    g->addWidget(new QLabel(QStringLiteral("Artikelnummer:")), 0, 0);
    g->addWidget(ArtNr, 0, 1);
    auto* artikelKnoepfe = new QHBoxLayout;
    for (QPushButton* k : {Suchen, Read}) artikelKnoepfe->addWidget(k);
    g->addLayout(artikelKnoepfe, 0, 2);
    g->addWidget(ArtNrLöschen, 0, 3);
    QLineEdit** bez[] = {&Bez1, &Bez2, &Bez3};
    for (int i = 0; i < 3; ++i) {
      *bez[i] = textbox(QStringLiteral("Bez%1").arg(i + 1));
      (*bez[i])->setMaximumWidth(QWIDGETSIZE_MAX);
      g->addWidget(new QLabel(QStringLiteral("Bezeichnung %1").arg(i + 1)), i + 1, 0);
      g->addWidget(*bez[i], i + 1, 1, 1, 2);
    }
    b_TextÜbernehmen = benannt(new QPushButton(QStringLiteral("Text übernehmen")), QStringLiteral("b_TextÜbernehmen"));
    b_TextÜbernehmen->setToolTip(QStringLiteral("Stellen Sie sicher das der bestehende Text keine Leerzeilen enthält!"));
    g->addWidget(b_TextÜbernehmen, 3, 3);
    PreisDB = textbox(QStringLiteral("PreisDB"));
    PreisATS = textbox(QStringLiteral("PreisATS"));
    PreisEUR = textbox(QStringLiteral("PreisEUR"));
    Per = textbox(QStringLiteral("Per"));
    Grundpreis = textbox(QStringLiteral("Grundpreis"));
    Preis_Info = textbox(QStringLiteral("Preis_Info"));
    Preis_Info->setToolTip(QStringLiteral("Preisinformation z.B.: Statt XX"));
    g->addWidget(new QLabel(QStringLiteral("Preis lt. Datenbank")), 4, 0);
    g->addWidget(PreisDB, 4, 1);
    g->addWidget(new QLabel(QStringLiteral("Preiseingabe")), 5, 0);
    auto* preise = new QHBoxLayout;
    preise->addWidget(PreisATS);
    preise->addWidget(PreisEUR);
    g->addLayout(preise, 5, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Per:")), 6, 0);
    g->addWidget(Per, 6, 1);
    g->addWidget(new QLabel(QStringLiteral("Grundpreis:")), 7, 0);
    g->addWidget(Grundpreis, 7, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Preisinfo:")), 8, 0);
    g->addWidget(Preis_Info, 8, 1, 1, 2);
    g->addWidget(ausrichtung(B_LB, B_Z, B_RB, QStringLiteral("B_LB"), QStringLiteral("B_Z"), QStringLiteral("B_RB")), 9,
                 0, 1, 3);
    auto* stern = new QGroupBox(QStringLiteral("Abmessungen Preismarke"));
    auto* sg = new QGridLayout(stern);
    t_BreiteStern = textbox(QStringLiteral("t_BreiteStern"));
    t_HöheStern = textbox(QStringLiteral("t_HöheStern"));
    sg->addWidget(new QLabel(QStringLiteral("Breite:")), 0, 0);
    sg->addWidget(t_BreiteStern, 0, 1);
    sg->addWidget(new QLabel(QStringLiteral("Höhe:")), 1, 0);
    sg->addWidget(t_HöheStern, 1, 1);
    g->addWidget(stern, 4, 3, 3, 1);
    t_GrundpreisDatum = benannt(new QCheckBox(QStringLiteral("Grundpreis anzeigen?")), QStringLiteral("t_GrundpreisDatum"));
    t_Artikelinfo = benannt(new QCheckBox(QStringLiteral("Artikelinfo anzeigen?")), QStringLiteral("t_Artikelinfo"));
    c_Preis = benannt(new QCheckBox(QStringLiteral("Preis Anzeigen?")), QStringLiteral("c_Preis"));
    g->addWidget(t_GrundpreisDatum, 7, 3);
    g->addWidget(t_Artikelinfo, 8, 3);
    g->addWidget(c_Preis, 9, 3);
  }

  // 2: headline, text mark, brand logo.
  {
    auto* g = new QGridLayout(Frame[2]);
    Ueberschrift = textbox(QStringLiteral("Ueberschrift"));
    Ueberschrift->setMaximumWidth(QWIDGETSIZE_MAX);
    g->addWidget(new QLabel(QStringLiteral("Überschrift:")), 0, 0);
    g->addWidget(Ueberschrift, 0, 1, 1, 3);
    auto* standard = new QGroupBox(QStringLiteral("Standardtexte"));
    auto* sv = new QVBoxLayout(standard);
    const std::pair<QRadioButton**, const char*> optionen[] = {
        {&RadioKein, "RadioKein"},   {&RadioPreise1, "RadioPreise1"}, {&RadionBestellung, "RadionBestellung"},
        {&RadioRest, "RadioRest"},   {&RadioPreise, "RadioPreise"},   {&RadioAktion, "RadioAktion"},
        {&RadioWerbung, "RadioWerbung"}};
    const char* texte[] = {"Kein Werbetext",    "FÜR SEHENSWERTE PREISE!", "AUF BESTELLUNG!",     "RESTPOSTEN!",
                           "SEHENSWERTE PREISE", "AKTION!",                 "AUS UNSERER WERBUNG!"};
    for (std::size_t i = 0; i < std::size(optionen); ++i) {
      *optionen[i].first = benannt(new QRadioButton(QString::fromUtf8(texte[i])), QString::fromUtf8(optionen[i].second));
      sv->addWidget(*optionen[i].first);
    }
    g->addWidget(standard, 1, 0, 5, 2);
    c_Textmarke = benannt(new QCheckBox(QStringLiteral("Textmarke")), QStringLiteral("c_Textmarke"));
    t_BreiteTextmarke = textbox(QStringLiteral("t_BreiteTextmarke"));
    t_HöheTextmarke = textbox(QStringLiteral("t_HöheTextmarke"));
    Farbe = benannt(new QPushButton(QStringLiteral("Farbe")), QStringLiteral("Farbe"));
    chk_Brisal = benannt(new QCheckBox(QStringLiteral("Brisal Logo Anzeigen?")), QStringLiteral("chk_Brisal"));
    g->addWidget(c_Textmarke, 1, 2);
    g->addWidget(Farbe, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Breite Textmarke:")), 2, 2);
    g->addWidget(t_BreiteTextmarke, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("Höhe Textmarke:")), 3, 2);
    g->addWidget(t_HöheTextmarke, 3, 3);
    g->addWidget(chk_Brisal, 4, 2, 1, 2);
  }

  // 3: element fonts, outline, indents, page, copy from another design.
  {
    auto* g = new QGridLayout(Frame[3]);
    auto* schriften = new QGroupBox(QStringLiteral("Schriftdefinitionen"));
    auto* sv = new QVBoxLayout(schriften);
    const std::pair<QPushButton**, std::pair<const char*, const char*>> knoepfe[] = {
        {&b_SchriftDefÜberschrift, {"b_SchriftDefÜberschrift", "Werbetext"}},
        {&b_SchriftDefPreis, {"b_SchriftDefPreis", "Preis"}},
        {&b_SchriftDefGrundpreis, {"b_SchriftDefGrundpreis", "GrundPreis"}},
        {&b_SchriftDefInfo, {"b_SchriftDefInfo", "Information"}},
        {&b_SchriftdefZusatzPreise, {"b_SchriftdefZusatzPreise", "Zusatzpreise"}}};
    for (const auto& [ziel, namen] : knoepfe) {
      *ziel = benannt(new QPushButton(QString::fromUtf8(namen.second)), QString::fromUtf8(namen.first));
      sv->addWidget(*ziel);
    }
    g->addWidget(schriften, 0, 0, 3, 1);
    auto paar = [&](const QString& titel, QLineEdit*& a, const QString& na, const char* la, QLineEdit*& b,
                    const QString& nb, const char* lb) {
      auto* rahmen = new QGroupBox(titel);
      auto* rg = new QGridLayout(rahmen);
      a = textbox(na);
      b = textbox(nb);
      rg->addWidget(new QLabel(QString::fromUtf8(la)), 0, 0);
      rg->addWidget(a, 0, 1);
      rg->addWidget(new QLabel(QString::fromUtf8(lb)), 1, 0);
      rg->addWidget(b, 1, 1);
      return rahmen;
    };
    g->addWidget(paar(QStringLiteral("Umrandung Strichliert"), B, QStringLiteral("B"), "Breite", H, QStringLiteral("H"),
                      "Höhe"),
                 0, 1);
    g->addWidget(paar(QStringLiteral("Rahmen Einrückung"), t_EinrückungLR, QStringLiteral("t_EinrückungLR"),
                      "links/rechts", t_EinrückungOU, QStringLiteral("t_EinrückungOU"), "oben/unten"),
                 1, 1);
    auto* seite = paar(QStringLiteral("Seitenränder"), t_SrLinks, QStringLiteral("t_SrLinks"), "links", t_SrOben,
                       QStringLiteral("t_SrOben"), "oben");
    auto* sg = static_cast<QGridLayout*>(seite->layout());
    O_Hoch = benannt(new QRadioButton(QStringLiteral("Hoch")), QStringLiteral("O_Hoch"));
    O_Quer = benannt(new QRadioButton(QStringLiteral("Quer")), QStringLiteral("O_Quer"));
    sg->addWidget(O_Hoch, 0, 2);
    sg->addWidget(O_Quer, 1, 2);
    g->addWidget(seite, 2, 1);
    auto* kopie = new QGroupBox(QStringLiteral("Schriftdefinition übernehmen von ?"));
    auto* kh = new QHBoxLayout(kopie);
    ÜbernehmenName = kombi(QStringLiteral("ÜbernehmenName"));
    b_SchriftDefÜbernehmen = benannt(new QPushButton(QStringLiteral("Übernehmen")), QStringLiteral("b_SchriftDefÜbernehmen"));
    kh->addWidget(ÜbernehmenName, 1);
    kh->addWidget(b_SchriftDefÜbernehmen);
    g->addWidget(kopie, 3, 0, 1, 2);
  }

  // 4 and 5: three extra prices each.
  for (int n = 0; n < 6; ++n) {
    auto* g = Frame[4 + n / 3]->layout() ? static_cast<QGridLayout*>(Frame[4 + n / 3]->layout())
                                         : new QGridLayout(Frame[4 + n / 3]);
    const int z = (n % 3) * 3;
    const auto i = static_cast<std::size_t>(n);
    chk_PZ[i] = benannt(new QCheckBox(QStringLiteral("Zusatzpreis anzeigen")), indexName("chk_PZ", n));
    txt_PZ_Preisinfo[i] = textbox(indexName("txt_PZ_Preisinfo", n));
    txt_PZ_Per[i] = textbox(indexName("txt_PZ_Per", n));
    txt_PZ_ATS[i] = textbox(indexName("txt_PZ_ATS", n));
    txt_PZ_EUR[i] = textbox(indexName("txt_PZ_EUR", n));
    txt_PZ_X[i] = textbox(indexName("txt_PZ_X", n));
    txt_PZ_Y[i] = textbox(indexName("txt_PZ_Y", n));
    for (QLineEdit* f : {txt_PZ_ATS[i], txt_PZ_EUR[i], txt_PZ_X[i], txt_PZ_Y[i]}) f->setMaximumWidth(70);
    g->addWidget(chk_PZ[i], z, 0);
    g->addWidget(new QLabel(QStringLiteral("Preisinfo:")), z, 1);
    g->addWidget(txt_PZ_Preisinfo[i], z, 2);
    g->addWidget(new QLabel(QStringLiteral("Per:")), z, 3);
    g->addWidget(txt_PZ_Per[i], z, 4);
    g->addWidget(new QLabel(QStringLiteral("Preiseingabe")), z + 1, 0);
    g->addWidget(txt_PZ_ATS[i], z + 1, 1);
    g->addWidget(txt_PZ_EUR[i], z + 1, 2);
    g->addWidget(new QLabel(QStringLiteral("X / Y (mm)")), z + 1, 3);
    auto* xy = new QHBoxLayout;
    xy->addWidget(txt_PZ_X[i]);
    xy->addWidget(txt_PZ_Y[i]);
    g->addLayout(xy, z + 1, 4);
    g->addWidget(ausrichtung(b_LBZP[i], b_ZZP[i], b_RBZP[i], indexName("b_LBZP", n), indexName("b_ZZP", n),
                             indexName("b_RBZP", n)),
                 z + 2, 0, 1, 5);
  }

  auto* fuss = new QHBoxLayout;
  t_Fileablage = benannt(new QLineEdit, QStringLiteral("t_Fileablage"));
  t_Fileablage->setToolTip(QStringLiteral("Speicherort für RTF Files Achtung Gültigen Pfad eingeben!!"));
  fuss->addWidget(t_Fileablage, 1);
  Uebernehmen = benannt(new QPushButton(QStringLiteral("Speichern")), QStringLiteral("Uebernehmen"));
  Löschen = benannt(new QPushButton(QStringLiteral("&Löschen")), QStringLiteral("Löschen"));
  pb_Abbrechen = benannt(new QPushButton(QStringLiteral("Schließen")), QStringLiteral("pb_Abbrechen"));
  for (QPushButton* k : {Uebernehmen, Löschen, pb_Abbrechen}) fuss->addWidget(k);
  haupt->addLayout(fuss);

  RTFText = benannt(new kesto::activex::RTFText2(this), QStringLiteral("RTFText"));
  RTFText->hide();
  move(kLinks / kTwipsProPixel, y());
  BreiteFestlegen(*this, kBreite);
}

}  // namespace vovida
