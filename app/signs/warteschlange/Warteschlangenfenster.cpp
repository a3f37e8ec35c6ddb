#include "Warteschlangenfenster.h"

#include "Benannt.h"
#include "AOBStandard.h"
#include "Fenstergroesse.h"
#include "FMStart.h"
#include "FerrixSu.h"
#include "KestoapiHilfen.h"
#include "NumberText.h"
#include "PlakatGlobal.h"
#include "Preisinfo.h"
#include "VPNavBar.h"
#include "Warteschlange.h"
#include "Warteschlangenlisten.h"

#include <QAbstractItemModel>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <services/MessageBox.h>

namespace vovida {

namespace {

QList<Warteschlangenfenster*>& alle() {
  static QList<Warteschlangenfenster*> liste;
  return liste;
}

QLineEdit* feld(const char* name) { return benannt(new QLineEdit, name); }

// The price as a number, or nothing when it is none to convert with.
std::optional<double> betrag(const QString& gefiltert) {
  if (gefiltert.endsWith(u'%')) return std::nullopt;
  return zahlAusText(gefiltert);
}

std::optional<double> umrechnungsfaktor() {
  const std::optional<double> f = zahlAusText(fensterliste().holen<Preisinfo>().Faktor->text());
  if (!f || *f == 0) return std::nullopt;
  return f;
}

}  // namespace

QString Standardtext(const char* option) {
  for (const auto& s : kStandardtexte)
    if (qstrcmp(s.option, option) == 0) return QString::fromUtf8(s.text);
  return {};
}

Warteschlangenfenster::Warteschlangenfenster() {
  ArtNr = benannt(new QComboBox(this), "ArtNr");
  ArtNr->setEditable(true);
  // The list changes only through the editor's operations: no insertion on Enter and
  // no completion of a typed number to a queued one.
  ArtNr->setInsertPolicy(QComboBox::NoInsert);
  ArtNr->setCompleter(nullptr);
  FuerArtikelnummer(*ArtNr);
  Read = benannt(new QPushButton(QStringLiteral("&Lesen"), this), "Read");
  Suchen = benannt(new QPushButton(QStringLiteral("&Suchen"), this), "Suchen");
  Uebernehmen = benannt(new QPushButton(QStringLiteral("&Übernehmen"), this), "Uebernehmen");
  ArtikelLoeschen = benannt(new QPushButton(QStringLiteral("Del"), this), "ArtikelLoeschen");
  pb_Abbrechen = benannt(new QPushButton(QStringLiteral("&Abbrechen"), this), "pb_Abbrechen");
  cbSenden = benannt(new QPushButton(QStringLiteral("Senden"), this), "cbSenden");
  Bez1 = feld("Bez1");
  Bez2 = feld("Bez2");
  Bez3 = feld("Bez3");
  PreisDB = feld("PreisDB");
  PreisATS = feld("PreisATS");
  PreisEUR = feld("PreisEUR");
  Grundpreis = feld("Grundpreis");
  Per = feld("Per");
  Preis_Info = feld("Preis_Info");
  Preis_Info->setToolTip(QStringLiteral("Preisinformation z.B.: Statt XX"));
  Ueberschrift = feld("Ueberschrift");
  for (QLineEdit* f : {Bez1, Bez2, Bez3, PreisDB, PreisATS, PreisEUR, Grundpreis, Per, Preis_Info, Ueberschrift}) {
    f->setParent(this);
    f->installEventFilter(this);
  }
  KombifeldTasten(*ArtNr, QEvent::KeyRelease, [this](int taste) { Ereignis([this, taste] { ArtNr_KeyUp(taste); }); });

  const auto ereignis = [this](void (Warteschlangenfenster::*h)()) {
    return [this, h] { Ereignis([this, h] { (this->*h)(); }); };
  };
  connect(Read, &QPushButton::clicked, this, ereignis(&Warteschlangenfenster::Read_Click));
  connect(Suchen, &QPushButton::clicked, this, ereignis(&Warteschlangenfenster::Suchen_Click));
  connect(Uebernehmen, &QPushButton::clicked, this, ereignis(&Warteschlangenfenster::Uebernehmen_Click));
  connect(ArtikelLoeschen, &QPushButton::clicked, this, ereignis(&Warteschlangenfenster::ArtikelLoeschen_Click));
  connect(pb_Abbrechen, &QPushButton::clicked, this, ereignis(&Warteschlangenfenster::pb_Abbrechen_Click));
  connect(ArtNr, &QComboBox::activated, this, ereignis(&Warteschlangenfenster::ArtNr_Click));
  connect(PreisDB, &QLineEdit::textChanged, this, ereignis(&Warteschlangenfenster::PreisDB_Change));
  connect(PreisATS, &QLineEdit::textChanged, this, ereignis(&Warteschlangenfenster::PreisATS_Change));
  connect(PreisEUR, &QLineEdit::textChanged, this, ereignis(&Warteschlangenfenster::PreisEUR_Change));
  // Every change of the list is stored at once: an end of the program loses none.
  const auto listeGeaendert = [this] { Ereignis([this] { listeSichern(); }); };
  connect(ArtNr->model(), &QAbstractItemModel::rowsInserted, this, listeGeaendert);
  connect(ArtNr->model(), &QAbstractItemModel::rowsRemoved, this, listeGeaendert);
  connect(ArtNr->model(), &QAbstractItemModel::dataChanged, this, listeGeaendert);
  connect(ArtNr->model(), &QAbstractItemModel::modelReset, this, listeGeaendert);
  alle().append(this);
}

Warteschlangenfenster::~Warteschlangenfenster() { alle().removeAll(this); }

QList<Warteschlangenfenster*> Warteschlangenfenster::geladene() { return alle(); }

QStringList Warteschlangenfenster::Liste() const {
  QStringList liste;
  for (int i = 0; i < ArtNr->count(); ++i) liste << ArtNr->itemText(i);
  return liste;
}

QString Warteschlangenfenster::ArtNrText() const { return ArtNr->currentText(); }

void Warteschlangenfenster::setArtNrText(const QString& text) { ArtNr->setEditText(text); }

Schildtexte Warteschlangenfenster::Felder() const {
  return {ArtNrText(),       Bez1->text(),     Bez2->text(),     Bez3->text(),         Grundpreis->text(),
          PreisATS->text(), PreisEUR->text(), Ueberschrift->text(), Per->text(), Preis_Info->text()};
}

int Warteschlangenfenster::Position(const QString& text) const {
  for (int i = 0; i < ArtNr->count(); ++i)
    if (ArtNr->itemText(i) == text) return i;
  return -1;
}

QString Warteschlangenfenster::Hauptwaehrung() { return fensterliste().holen<Preisinfo>().WWSHW->text(); }

QLineEdit& Warteschlangenfenster::Hauptpreisfeld() { return Hauptwaehrung() == u"ATS" ? *PreisATS : *PreisEUR; }

void Warteschlangenfenster::Form_Load() {
  const bool ats = Hauptwaehrung() == u"ATS";
  PreisATS->setEnabled(ats);
  PreisEUR->setEnabled(!ats);
  listeLaden();
}

void Warteschlangenfenster::listeLaden() {
  QStringList liste;
  try {
    liste = ListeLesen(objectName());
  } catch (const std::exception& fehler) {
    kesto::services::messageBox(fehler.what(), "Vovida", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (liste.isEmpty()) return;
  sichern_ = false;
  ArtNr->clear();
  ArtNr->addItems(liste);
  sichern_ = true;
  setArtNrText(liste.first());
  lesen();
  nachListeLaden();
}

void Warteschlangenfenster::listeSichern() {
  // Unloaded windows keep what they stored; a list being loaded is stored already.
  if (!sichern_ || !alle().contains(this)) return;
  ListeSchreiben(objectName(), Liste());
}

void Warteschlangenfenster::eintragSchreiben(const QString& nr) {
  WarteschlangeSchreiben(nr, kBezeichnung1, Bez1->text());
  WarteschlangeSchreiben(nr, kBezeichnung2, Bez2->text());
  WarteschlangeSchreiben(nr, kBezeichnung3, Bez3->text());
  WarteschlangeSchreiben(nr, kGrundpreis, Grundpreis->text());
  WarteschlangeSchreiben(nr, kPreis, Hauptpreisfeld().text());
  if (mitUeberschrift()) WarteschlangeSchreiben(nr, kUeberschrift, Ueberschrift->text());
  WarteschlangeSchreiben(nr, kPer, Per->text());
  WarteschlangeSchreiben(nr, kInfo, Preis_Info->text());
}

void Warteschlangenfenster::eintragLesen(const QString& nr) {
  Bez1->setText(WarteschlangeLesen(nr, kBezeichnung1));
  Bez2->setText(WarteschlangeLesen(nr, kBezeichnung2));
  Bez3->setText(WarteschlangeLesen(nr, kBezeichnung3));
  Grundpreis->setText(WarteschlangeLesen(nr, kGrundpreis));
  // Its change handler brings the other currency in step.
  Hauptpreisfeld().setText(WarteschlangeLesen(nr, kPreis));
  if (mitUeberschrift()) Ueberschrift->setText(WarteschlangeLesen(nr, kUeberschrift));
  Per->setText(WarteschlangeLesen(nr, kPer));
  Preis_Info->setText(WarteschlangeLesen(nr, kInfo));
}

void Warteschlangenfenster::Uebernehmen_Click() {
  const QString nr = ArtNrText();
  if (leereNummerAufnehmen() && Position(nr) < 0) ArtNr->addItem(nr);
  if (nr.isEmpty()) return;
  if (Position(nr) < 0) ArtNr->addItem(nr);
  setArtNrText(nr);
  eintragSchreiben(nr);
  nachSpeichern();
}

void Warteschlangenfenster::lesen() {
  const QString nr = ArtNrText();
  if (nr.isEmpty() || nr == u"0") return;
  eintragLesen(nr);
}

bool Warteschlangenfenster::ArtikelFelderLesen() {
  QVector<QVariant> daten(kArtikelDatenGroesse);
  ArtikelLesen(ArtNrText(), daten);
  // The information belongs to the article before ("Statt ..."), not to this one.
  Preis_Info->setText(Infovorgabe());
  if (daten[13].toString() == u"Fehler") {
    for (QLineEdit* feld : {Bez1, Bez2, Bez3, PreisDB, PreisATS, PreisEUR, Per, Grundpreis}) feld->clear();
    return false;
  }
  Bez1->setText(daten[0].toString());
  Bez2->setText(daten[1].toString());
  Bez3->setText(daten[2].toString());
  const QString preis = daten[3].toString();
  // The boxes follow the server's price even when it is the price already shown.
  if (PreisDB->text() == preis)
    PreisDB_Change();
  else
    PreisDB->setText(preis);
  Per->setText(daten[4].toString());
  Grundpreis->setText(daten[5].toString());
  return true;
}

void Warteschlangenfenster::Read_Click() {
  if (ArtikelFelderLesen()) Uebernehmen_Click();
}

void Warteschlangenfenster::ArtNr_Enter() {
  if (!ArtikelNrErmitteln(*ArtNr->lineEdit())) return;
  if (Position(ArtNrText()) >= 0) {
    lesen();
    return;
  }
  Read_Click();
  VorschauTimerNeustart();
}

void Warteschlangenfenster::ArtNr_KeyUp(int taste) {
  if (taste == kTasteEnter) {
    ArtNr_Enter();
  } else if (taste == kTastePos1) {
    const QString nr = ArtikelSuchDialog();
    // A search left without a choice keeps what the boxes hold.
    if (nr.isEmpty()) return;
    setArtNrText(nr);
    TextMarkieren(*ArtNr->lineEdit());
    Read_Click();
    VorschauTimerNeustart();
  }
}

bool Warteschlangenfenster::ArtNrPruefen() {
  bool fehler = false;
  ZahlPruefen(13, 0, *ArtNr->lineEdit(), false, fehler);
  return !fehler;
}

void Warteschlangenfenster::ArtikelLoeschen_Click() {
  const int i = Position(ArtNrText());
  if (i >= 0) ArtNr->removeItem(i);  // the section stays until the queue is cleared
  setArtNrText(ArtNr->count() > 0 ? ArtNr->itemText(0) : QString());
  lesen();
  if (fensterliste().geladen<FMStart>()) fensterliste().holen<FMStart>().VPNav->Synchronize();
  nachEntfernen();
}

void Warteschlangenfenster::PreisDB_Change() {
  PreisDB->setText(PreisDB->text().replace(u'.', u','));
  fensterliste().holen<Preisinfo>().Preis_Change(*PreisDB, *PreisATS, *PreisEUR);
}

void Warteschlangenfenster::PreisATS_Change() {
  if (Hauptwaehrung() != u"ATS") return;
  const QString gefiltert = ZahlFiltern(PreisATS->text());
  if (gefiltert == u"-") return;
  const std::optional<double> preis = betrag(gefiltert);
  const std::optional<double> faktor = umrechnungsfaktor();
  if (!preis || !faktor) return;
  QVariant wert = rundenGerade(*preis / *faktor, 2);
  PreisFeldFormatieren(*PreisEUR, wert);
}

void Warteschlangenfenster::PreisEUR_Change() {
  if (Hauptwaehrung() != u"EUR") return;
  const QString gefiltert = ZahlFiltern(PreisEUR->text());
  if (gefiltert.isEmpty() || gefiltert == u"-") return;
  const std::optional<double> preis = betrag(gefiltert);
  const std::optional<double> faktor = umrechnungsfaktor();
  if (!preis || !faktor) return;
  QVariant wert = rundenGerade(*preis * *faktor, 2);
  PreisFeldFormatieren(*PreisATS, wert);
}

void Warteschlangenfenster::PreisfeldBestaetigen(QLineEdit& f, bool verlassen) {
  const QString gefiltert = ZahlFiltern(f.text());
  if (gefiltert == u"-") return;
  QVariant wert = gefiltert;
  if (const std::optional<double> zahl = betrag(gefiltert)) wert = *zahl;
  PreisFeldFormatieren(f, wert);
  // The focus has gone where the user sent it; taking it back would trap them here.
  TextMarkieren(f, verlassen);
  VorschauTimerNeustart();
}

void Warteschlangenfenster::UeberschriftSetzen(const QString& text) {
  Ueberschrift->setText(text);
  VorschauTimerNeustart();
}

void Warteschlangenfenster::SendenAn(Warteschlangenfenster& ziel, const QString& ueberschrift) {
  const QStringList liste = Liste();
  // Exactly this list: nothing of the target's former list stays behind.
  ziel.ArtNr->clear();
  for (const QString& nr : liste) {
    ziel.ArtNr->addItem(nr);
    if (!nr.isEmpty()) WarteschlangeSchreiben(nr, kUeberschrift, ueberschrift);
  }
  ziel.setArtNrText(ArtNrText());
}

void Warteschlangenfenster::GesendetSchliessen() {
  VorschauTimerNeustart();
  Gesendet = true;
  schliessen();
}

void Warteschlangenfenster::WarteschlangeLeeren() {
  // The lists of the other editors keep their sections, stored ones of editors not open
  // in this run among them.
  QStringList behalten = AndereGespeicherteListen(objectName());
  for (const Warteschlangenfenster* andere : alle())
    if (andere != this) behalten += andere->Liste();
  vovida::WarteschlangeLeeren(behalten);
}

void Warteschlangenfenster::leerenFehlgeschlagen(const std::exception&) {
  kesto::services::messageBox("Fehler biem Löschen in der Registierung", "Fehler", MB_OK | MB_ICONINFORMATION);
}

void Warteschlangenfenster::leeren() {
  if (geleert_) return;
  geleert_ = true;
  try {
    // The list goes first: a list whose sections are gone would print empty signs.
    ListeLoeschen(objectName());
    if (!Gesendet) WarteschlangeLeeren();
  } catch (const std::exception& fehler) {
    leerenFehlgeschlagen(fehler);
  }
}

void Warteschlangenfenster::pb_Abbrechen_Click() {
  leeren();
  schliessen();
}

void Warteschlangenfenster::Form_Unload() {
  // Unloaded: its list no longer keeps sections, though the window goes only later.
  alle().removeAll(this);
  // The end of the program is no choice of the user's: the queue and its stored list
  // stay for the next start.
  if (programmEndet()) return;
  leeren();
}

void Warteschlangenfenster::schliessen() { fensterliste().entladen(objectName().toUtf8().constData()); }

void Warteschlangenfenster::closeEvent(QCloseEvent* ereignis) {
  ereignis->accept();
  Ereignis([this] { schliessen(); });
}

bool Warteschlangenfenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::KeyRelease) {
    const int taste = Tastencode(static_cast<QKeyEvent*>(ereignis)->key());
    if (taste == kTasteEnter) {
      if (objekt == PreisATS || objekt == PreisEUR)
        Ereignis([this, objekt] { PreisfeldBestaetigen(*static_cast<QLineEdit*>(objekt)); });
      else if (objekt == Bez1 || objekt == Bez2 || objekt == Bez3 || objekt == Grundpreis || objekt == Ueberschrift)
        Ereignis([] { VorschauTimerNeustart(); });
    }
  } else if (ereignis->type() == QEvent::FocusOut && (objekt == PreisATS || objekt == PreisEUR)) {
    Ereignis([this, objekt] { PreisfeldBestaetigen(*static_cast<QLineEdit*>(objekt), true); });
  }
  return QWidget::eventFilter(objekt, ereignis);
}

}  // namespace vovida
