#include "FrmSchriftdef.h"

#include "Benannt.h"
#include "AOBStandard.h"
#include "Fensterliste.h"
#include "NumberText.h"
#include "Platzierung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <activex/PreviewWidget.h>

namespace vovida {

namespace {

QLineEdit* feld(QFormLayout* form, const char* name, const QString& beschriftung, const QString& text = {}) {
  auto* f = benannt(new QLineEdit(text), name);
  form->addRow(beschriftung, f);
  return f;
}

const char* navText(Navschritt s) {
  switch (s) {
    case Navschritt::Erster: return "|<";
    case Navschritt::Zurueck: return "<";
    case Navschritt::Weiter: return ">";
    case Navschritt::Letzter: return ">|";
  }
  return "";
}

}  // namespace

Registerleiste::Registerleiste(const QString& beschriftungen, QWidget* parent) : QTabBar(parent) {
  for (const QString& b : beschriftungen.split(u';')) addTab(b);
  connect(this, &QTabBar::tabBarClicked, this, [this](int index) {
    if (index >= 0 && isTabEnabled(index) && gewechselt) Ereignis([this, index] { gewechselt(index + 1); });
  });
}

void Registerleiste::setSperren(const QString& liste) {
  const QStringList sperren = liste.split(u',');
  for (int i = 0; i < count(); ++i) setTabEnabled(i, i < sperren.size() && sperren[i].trimmed() == u"0");
}

void Registerleiste::setTab(int tab) {
  if (tab < 1 || tab > count()) return;
  setCurrentIndex(tab - 1);
  if (gewechselt) gewechselt(tab);
}

Navigation::Navigation(const char* name, Navschritt links, Navschritt rechts, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(name));
  auto* zeile = new QHBoxLayout(this);
  zeile->setContentsMargins(0, 0, 0, 0);
  for (Navschritt s : {links, rechts}) {
    auto* knopf = new QToolButton(this);
    knopf->setText(QString::fromLatin1(navText(s)));
    zeile->addWidget(knopf);
    connect(knopf, &QToolButton::clicked, this, [this, s] {
      if (Click) Ereignis([this, s] { Click(s); });
    });
  }
}

FrmSchriftdef::FrmSchriftdef() {
  aufbauen();
  verbinden();
  Form_Load();
}

void FrmSchriftdef::aufbauen() {
  setWindowTitle(QStringLiteral("Schriftartendefinition"));
  auto* haupt = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  haupt->addLayout(links);

  Beschreibung = benannt(new QComboBox, "Beschreibung");
  Beschreibung->setEditable(true);
  Beschreibung->setEditText(QStringLiteral("FONT001:"));
  P2 = benannt(new QComboBox, "P2");
  P2->setEditable(true);
  auto* kopf = new QHBoxLayout;
  kopf->addWidget(Beschreibung, 1);
  kopf->addWidget(P2);
  links->addLayout(kopf);

  RegisterSchrift = new Registerleiste(QStringLiteral("Einzelzeichen;Textbox;Preis;Preis - Zusatz"), this);
  RegisterSchrift->setObjectName(QStringLiteral("RegisterSchrift"));
  RegisterSchrift->setSperren(QStringLiteral("0,1,1,1"));
  links->addWidget(RegisterSchrift);

  // P2 must exist before the colour choosers: they read the slot from it.
  const auto slot = [this] { return P2->currentText(); };
  FrameA = benannt(new QGroupBox, "FrameA");
  auto* a = new QFormLayout(FrameA);
  SchriftGroesze = feld(a, "SchriftGroesze", QStringLiteral("Größe:"));
  SchriftFarbe = new Farbe(QStringLiteral("SchriftFarbe"), slot, FrameA);
  a->addRow(SchriftFarbe);
  Kontur = benannt(new QCheckBox(QStringLiteral("Kontur")), "Kontur");
  a->addRow(QStringLiteral("Kontur:"), Kontur);
  RandKorrektur = feld(a, "RandKorrektur", QStringLiteral("Randkorrektur:"));
  TopKorrektur = feld(a, "TopKorrektur", QStringLiteral("Höhenkorrektur:"));

  FrameE = benannt(new QGroupBox, "FrameE");
  auto* e = new QFormLayout(FrameE);
  ZeichenAbstand = feld(e, "ZeichenAbstand", QStringLiteral("Zeichenabstand:"));
  SchattenFarbe = new Farbe(QStringLiteral("SchattenFarbe"), slot, FrameE);
  e->addRow(QStringLiteral("Schattenfarbe:"), SchattenFarbe);
  SchattenabstandHor = feld(e, "SchattenabstandHor", QStringLiteral("Schattenabstand Hor.:"));
  SchattenabstandVer = feld(e, "SchattenabstandVer", QStringLiteral("Schattenabstand Ver.:"));

  FrameB = benannt(new QGroupBox, "FrameB");
  auto* b = new QFormLayout(FrameB);
  ZeilenAbstand = feld(b, "ZeilenAbstand", QStringLiteral("Zeilenabstand:"));
  StiftFarbe = new Farbe(QStringLiteral("StiftFarbe"), slot, FrameB);
  b->addRow(QStringLiteral("Stiffarbe:"), StiftFarbe);
  PinselFarbe = new Farbe(QStringLiteral("PinselFarbe"), slot, FrameB);
  b->addRow(QStringLiteral("Pinselfarbe:"), PinselFarbe);

  preisZusatzAufbauen();
  for (QGroupBox* frame : {FrameA, FrameE, FrameB, FramePreisZusatz}) links->addWidget(frame);

  auto* knoepfe = new QHBoxLayout;
  NavAB = new Navigation("NavAB", Navschritt::Erster, Navschritt::Zurueck, this);
  EinMal = benannt(new QPushButton(QStringLiteral("1 &Mal")), "EinMal");
  Speichern = benannt(new QPushButton(QStringLiteral("&Speichern")), "Speichern");
  NavAUF = new Navigation("NavAUF", Navschritt::Weiter, Navschritt::Letzter, this);
  knoepfe->addWidget(NavAB);
  knoepfe->addWidget(EinMal);
  knoepfe->addWidget(Speichern);
  knoepfe->addWidget(NavAUF);
  links->addLayout(knoepfe);
  links->addStretch(1);

  Vorschaufarme = benannt(new QGroupBox(QStringLiteral(" Vorschau ")), "Vorschaufarme");
  auto* rechts = new QVBoxLayout(Vorschaufarme);
  auto* leiste = new QHBoxLayout;
  Vorschautext = benannt(new QLineEdit(QStringLiteral("Baumarkt Muster GmbH")), "Vorschautext");
  cmbZoom = benannt(new QComboBox, "cmbZoom");
  cmbZoom->setEditable(true);
  cmbZoom->addItems({QStringLiteral("Ganze Seite"), QStringLiteral("Seitenbreite"), QStringLiteral("25%"),
                     QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"), QStringLiteral("150%"),
                     QStringLiteral("200%"), QStringLiteral("400%")});
  cmbZoom->setEditText(QStringLiteral("Seitenbreite"));
  Raster = benannt(new QCheckBox(QStringLiteral("Raster")), "Raster");
  leiste->addWidget(Vorschautext, 1);
  leiste->addWidget(cmbZoom);
  leiste->addWidget(Raster);
  rechts->addLayout(leiste);
  Vorschau.setZoomMode(4);
  VorschauAnsicht = new kesto::activex::PreviewWidget(Vorschau);
  VorschauAnsicht->setObjectName(QStringLiteral("Vorschau"));
  rechts->addWidget(VorschauAnsicht, 1);
  haupt->addWidget(Vorschaufarme, 1);
  resize(1000, 700);
}

void FrmSchriftdef::preisZusatzAufbauen() {
  FramePreisZusatz = benannt(new QGroupBox, "FramePreisZusatz");
  auto* raster = new QGridLayout(FramePreisZusatz);
  struct Paar {
    const char* ueberschrift;
    const char* groesse;
    const char* hoehe;
    QLineEdit** groesseFeld;
    QLineEdit** hoeheFeld;
  };
  const Paar paare[] = {
      {"Kommastellen", "Kommastellen", "KommastellenHoehe", &Kommastellen, &KommastellenHoehe},
      {"Währungskz.", "Waehrungskz", "WaehrungskzHoehe", &Waehrungskz, &WaehrungskzHoehe},
      {"Nebenwährung", "Nebenwaehrung", "NebenwaehrungHoehe", &Nebenwaehrung, &NebenwaehrungHoehe},
      {"Einheit (Per).", "NwKommast", "NwKommastHoehe", &NwKommast, &NwKommastHoehe},
      {"Infotext (Statt).", "NwWaehrungskz", "NwWaehrungskzHoehe", &NwWaehrungskz, &NwWaehrungskzHoehe},
  };
  int spalte = 1;
  raster->addWidget(new QLabel(QStringLiteral("Größe:")), 1, 0);
  raster->addWidget(new QLabel(QStringLiteral("Höhenkorrektur:")), 2, 0);
  for (const Paar& p : paare) {
    raster->addWidget(new QLabel(QString::fromUtf8(p.ueberschrift)), 0, spalte);
    *p.groesseFeld = benannt(new QLineEdit(QStringLiteral("10")), p.groesse);
    *p.hoeheFeld = benannt(new QLineEdit(QStringLiteral("0")), p.hoehe);
    raster->addWidget(*p.groesseFeld, 1, spalte);
    raster->addWidget(*p.hoeheFeld, 2, spalte);
    ++spalte;
  }
}

void FrmSchriftdef::verbinden() {
  connect(Beschreibung, &QComboBox::activated, this, [this] { Ereignis([this] { Beschreibung_Click(); }); });
  connect(P2, &QComboBox::editTextChanged, this, [this] { Ereignis([this] { P2_Change(); }); });
  RegisterSchrift->gewechselt = [this](int tab) { RegisterSchrift_Click(tab); };
  connect(EinMal, &QPushButton::clicked, this, [this] { Ereignis([this] { EinMal_Click(); }); });
  connect(Speichern, &QPushButton::clicked, this, [this] { Ereignis([this] { Speichern_Click(); }); });
  NavAB->Click = [this](Navschritt s) { NavAB_Click(s); };
  NavAUF->Click = [this](Navschritt s) { NavAUF_Click(s); };
  connect(cmbZoom, &QComboBox::activated, this, [this] { Ereignis([this] { cmbZoom_Click(); }); });
  // The preview answers a paper change with a new sample, as the main window restarts
  // its countdown on the same event.
  Vorschau.setEventHandler([this](kesto::activex::PreviewEvent e, double) {
    if (e == kesto::activex::PreviewEvent::PaperChanged) Ereignis([this] { VorschauZeichnen(); });
  });

  // Digits before the decimal comma of each numeric box; one digit after it.
  const std::pair<QLineEdit*, int> zahlen[] = {
      {SchriftGroesze, 3}, {Kommastellen, 3}, {Waehrungskz, 3}, {Nebenwaehrung, 3}, {NwKommast, 3},
      {NwWaehrungskz, 3}, {RandKorrektur, 2}, {TopKorrektur, 2}, {ZeichenAbstand, 2}, {ZeilenAbstand, 2},
      {SchattenabstandHor, 2}, {SchattenabstandVer, 2}, {KommastellenHoehe, 2}, {WaehrungskzHoehe, 2},
      {NebenwaehrungHoehe, 2}, {NwKommastHoehe, 2}, {NwWaehrungskzHoehe, 2}};
  for (const auto& [box, stellen] : zahlen) {
    connect(box, &QLineEdit::textChanged, this, [box = box, stellen = stellen] {
      Ereignis([box, stellen] {
        bool fehler = false;
        ZahlPruefen(stellen, 1, *box, false, fehler);
      });
    });
  }
}

QString SchriftdefSlotText() { return fensterliste().holen<FrmSchriftdef>().P2->currentText(); }

void SchriftartendefinitionZeigen(QWidget* besitzer) {
  FrmSchriftdef& fenster = fensterliste().holen<FrmSchriftdef>();
  // The owner keeps the editor above it without owning it: the list of windows does.
  Zuordnen(fenster, besitzer);
  fenster.show();
  fenster.raise();
}

}  // namespace vovida
