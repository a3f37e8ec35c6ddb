// The records side of the tile-sign editor: loading tile data from the server or from the
// per-type memory, the article reads, the take-over into the records and showing them.
#include "frmFliesenSchild.h"

#include "AOBStandard.h"
#include "Fliesenspeicher.h"
#include "Kestoapi.h"
#include "NumberText.h"
#include "PlakatGlobal.h"
#include "ResultSet.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVector>

namespace vovida {

namespace {

const QStringList& festeArten() {
  static const QStringList arten{
      QStringLiteral("Wandfliese"), QStringLiteral("Bodenfliese"),    QStringLiteral("Bordüre"),
      QStringLiteral("Dekor"),      QStringLiteral("Bild"),           QStringLiteral("Einleger"),
      QStringLiteral("Boden"),      QStringLiteral("Unifliese"),      QStringLiteral("Stufen"),
      QStringLiteral("Stufen m. Nase"), QStringLiteral("Sockeleiste"), QStringLiteral("Listelle")};
  return arten;
}

QString nichtAngelegt(const QString& nummer) {
  return QStringLiteral("Fliesendaten zu Artikel ") + nummer + QStringLiteral(" nicht angelegt");
}

QString text(const QVector<QVariant>& a, int slot) { return a[slot].toString(); }

void listeSetzen(QComboBox& liste, const QStringList& eintraege) {
  const QString bisher = liste.currentText();
  liste.clear();
  liste.addItems(eintraege);
  liste.setCurrentText(bisher);
}

}  // namespace

void frmFliesenSchild::Fliesendatenladen() {
  const QString nr = ArtNr->currentText();
  if (nr == u"0" || nr.isEmpty()) return;
  Fliesendaten& d = fliesendaten();

  if (!d.istBestellung() && d.Automatik) {
    const QString firma = kestoapi().Firma;
    QString schritt = nichtAngelegt(nr);
    Serverarbeit arbeit;
    serverFehlerAbfangen(
        [&] {
          QString werte[7];
          {
            ServerObjekt flies(ObjektOeffnen(QStringLiteral("FRX.ArtFlies"), firma + QStringLiteral("||") + nr));
            const char* namen[] = {"Alias", "Sort", "ABRIEB", "VERFUEG", "GROESSE", "FROST", "REGAL"};
            for (int i = 0; i < 7; ++i) werte[i] = Eigenschaft(*flies, namen[i]);
          }
          const int felder[] = {1, 2, 5, 6, 7, 8, 18};
          for (int i = 0; i < 7; ++i) d.haupt(felder[i]) = werte[i];
          d.haupt(8) = werte[5] == u"J" ? QStringLiteral("Ja") : QStringLiteral("Nein");

          Fliesentype->clear();
          {
            ResultSet typen(QStringLiteral("FRX.ArtFliesTyp"), QStringLiteral("FliesenTypen"));
            typen.Execute(FirmaParameter({nr}));
            while (typen.Next()) {
              schritt = QStringLiteral("Fliesentype nicht bekannt bitte anlegen! ") + typen.GetData(1);
              ServerObjekt typ(ObjektOeffnen(QStringLiteral("FRX.ParFlies"), firma + QStringLiteral("||") + typen.GetData(2)));
              Fliesentype->addItem(Anzeigeform(*typ, "typbez", "TypBezlogicaltoodbc"));
            }
          }

          ResultSet zusatz(QStringLiteral("FRX.ArtFliesZuord"), QStringLiteral("ZusatzArtikel"));
          zusatz.Execute(FirmaParameter({nr}));
          int zeile = 0;
          while (zusatz.Next()) {
            const QString unterNr = zusatz.GetData(2);
            schritt = nichtAngelegt(unterNr);
            if (++zeile > kUnterzeilen) throw ServerFehler(9, QStringLiteral("Index außerhalb des gültigen Bereichs"));
            {
              ServerObjekt flies(ObjektOeffnen(QStringLiteral("FRX.ArtFlies"), firma + QStringLiteral("||") + unterNr));
              ServerObjekt klasse(KlasseOeffnen(QStringLiteral("FRX.ArtFlies")));
              const QString art = alsText(klasse->call("FlTypeName", alsVariant(firma), alsVariant(unterNr)));
              const QString alias = Eigenschaft(*flies, "Alias");
              d.unter(zeile, 1) = unterNr;
              d.unter(zeile, 2) = art;
              d.unter(zeile, 3) = alias;
              d.unter(zeile, 10) = QStringLiteral("0");
              DInfo->setChecked(false);
            }
            UnterartikelLesen(zeile, d.unter(zeile, 1));
          }
          return true;
        },
        [&](const ServerFehler& fehler) {
          ZugriffsfehlerMelden(fehler, schritt);
          return false;
        });
    return;
  }

  listeSetzen(*Fliesentype, festeArten());
  listeSetzen(*ZeilenText, festeArten());
  const QString& typ = d.Fliesentyp;
  auto lesen = [&](const char* schluessel, const QString& vorgabe = QString()) {
    return FliesenLesen(typ, nr, QString::fromUtf8(schluessel), vorgabe);
  };
  d.haupt(1) = lesen("Alias");
  d.haupt(2) = lesen("Sortierung");
  d.haupt(3) = lesen("Fliesetype");
  d.haupt(5) = lesen("Abriebgruppe");
  d.haupt(6) = lesen("Verfügbarkeit", QStringLiteral("Lagernd"));
  d.haupt(7) = lesen("Größe");
  d.haupt(8) = lesen("frostsicher");
  d.haupt(18) = lesen("Regalnummer");
  if (d.istBestellung()) {
    d.haupt(9) = lesen("TamselArtNr");
    d.haupt(12) = lesen("Per");
    d.haupt(6) = lesen("Verfügbarkeit", kBestellung);
    d.haupt(14) = lesen("VKE");
    d.haupt(15) = lesen("VPI");
    d.haupt(16) = lesen("VRM");
    d.haupt(17) = lesen("VPM");
  }
  for (int zeile = kUnterzeilen; zeile >= 1; --zeile) {
    const QString pos = FliesenLesen(typ, nr, PosSchluessel(zeile));
    auto teil = [&](int n) { return TeilString(pos, QStringLiteral("|"), n); };
    d.unter(zeile, 1) = teil(1);
    d.unter(zeile, 2) = teil(2);
    d.unter(zeile, 3) = teil(3);
    d.unter(zeile, 10) = teil(6);
    if (d.unter(zeile, 10) != u"0") {
      DInfo->setChecked(true);
      d.unter(zeile, 4) = teil(5);
    } else {
      d.unter(zeile, 9) = teil(4);
      DInfo->setChecked(false);
    }
    for (int f = 11; f <= 14; ++f) d.unter(zeile, f) = teil(f - 4);
    d.unter(zeile, 16) = teil(11);
    if (d.unter(zeile, 16).isEmpty()) d.unter(zeile, 16) = QStringLiteral("1");
    UnterartikelLesen(zeile, d.unter(zeile, 1));
  }
}

void frmFliesenSchild::HauptartikelLesen() {
  Fliesendaten& d = fliesendaten();
  if (!d.Lagerschild) return;
  QVector<QVariant> a(kArtikelDatenGroesse);
  ArtikelLesen(ArtNr->currentText(), a);
  if (text(a, 13) == u"Fehler") return;
  Bez1->setText(text(a, 0));
  Bez2->setText(text(a, 1));
  d.haupt(11) = text(a, 3);
  d.haupt(12) = text(a, 4);
  d.haupt(9) = text(a, 6);
  d.haupt(13) = text(a, 7);
  for (int f = 14; f <= 17; ++f) d.haupt(f) = text(a, f - 6);
  d.haupt(6) = text(a, 12);
  if (!d.Automatik) d.haupt(1) = Bez1->text();
  if (!d.haupt(6).isEmpty()) {
    const QChar erster = d.haupt(6).front().toUpper();
    if (erster == u'L') d.haupt(6) = QStringLiteral("Lagernd");
    else if (erster == u'B') d.haupt(6) = kBestellung;
  }
}

void frmFliesenSchild::UnterartikelLesen(int zeile, const QString& nummer) {
  if (DInfo->isChecked() || nummer.isEmpty()) return;
  QVector<QVariant> a(kArtikelDatenGroesse);
  ArtikelLesen(nummer, a);
  if (text(a, 13) == u"Fehler") return;
  Fliesendaten& d = fliesendaten();
  DBezeichnung->setText(text(a, 0));
  DBezeichnung2->setText(text(a, 1));
  d.unter(zeile, 6) = text(a, 3);
  d.unter(zeile, 9) = text(a, 6);
  d.unter(zeile, 7) = text(a, 7);
  d.unter(zeile, 15) = text(a, 12);
  if (Val(d.unter(zeile, 10)) == 0) {
    for (int f = 11; f <= 14; ++f) d.unter(zeile, f) = text(a, f - 3);
    d.unter(zeile, 4) = text(a, 4);
  }
  if (!d.Automatik) DAlias->setText(DBezeichnung->text());
  d.unter(zeile, 5) = PreisFormatieren(TextErsetzen(d.unter(zeile, 6), QStringLiteral("."), QStringLiteral(","), true));
  d.unter(zeile, 15) = d.unter(zeile, 15).left(1);
}

void frmFliesenSchild::Uebernehmen_Click() {
  Fliesendaten& d = fliesendaten();
  d.haupt(1) = Alias->text();
  d.haupt(2) = Sortierung->text();
  d.haupt(3) = Fliesentype->currentText();
  d.haupt(4).clear();
  d.haupt(5) = Abriebgruppe->text();
  d.haupt(6) = Verfuegbarkeit->text();
  d.haupt(7) = Groesze->text();
  d.haupt(8) = frostsicher->text();
  d.haupt(18) = Regalnummer->text();
  if (d.istBestellung()) {
    d.haupt(9) = TamselArtNr->text();
    d.haupt(12) = Per->currentText();
    d.haupt(14) = HVKE->currentText();
    d.haupt(15) = HVPI->text();
    d.haupt(16) = HVRM->text();
    d.haupt(17) = HVPM->text();
  }
  const int zeile = d.aktuelleZeile();
  d.unter(zeile, 1) = subArtikelNummer->currentText();
  d.unter(zeile, 2) = ZeilenText->currentText();
  d.unter(zeile, 3) = DAlias->text();
  d.unter(zeile, 6) = DPreisDB->text();
  d.unter(zeile, 10) = DInfo->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
  d.unter(zeile, 9) = DTamselArtNr->text();
  d.unter(zeile, 4) = DPer->currentText();
  d.unter(zeile, 16) = chk_SubErklaerungAnzeigen->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
  if (DInfo->isChecked()) {
    d.unter(zeile, 11) = SVKE->currentText();
    d.unter(zeile, 12) = SVPI->text();
    d.unter(zeile, 13) = SVRM->text();
    d.unter(zeile, 14) = SVPM->text();
  }
  for (int z = 1; z <= kUnterzeilen; ++z)
    if (d.zeileLeer(z))
      for (int f = 1; f < kUnterfelder; ++f) d.unter(z, f).clear();
  // Without a main article number there is no section to keep the memory under.
  if (!ArtNr->currentText().isEmpty()) FliesenSpeichern(d, ArtNr->currentText());
  zeilenlisteFuellen();
  VorschauTimerNeustart();
}

void frmFliesenSchild::zeilenlisteFuellen() {
  const Fliesendaten& d = fliesendaten();
  const QSignalBlocker sperre(Detail);
  const QString nummer = subArtikelNummer->currentText();
  Detail->clear();
  subArtikelNummer->clear();
  for (int zeile = 1; zeile <= kUnterzeilen; ++zeile) {
    Detail->addItem(DetailZeile(d, zeile));
    subArtikelNummer->addItem(d.unter(zeile, 1));
  }
  subArtikelNummer->setCurrentText(nummer);
}

void frmFliesenSchild::DatensaetzeAnzeigen() {
  Fliesendaten& d = fliesendaten();
  Alias->setText(d.haupt(1));
  Sortierung->setText(d.haupt(2));
  Fliesentype->setCurrentText(d.haupt(3));
  Abriebgruppe->setText(d.haupt(5));
  Verfuegbarkeit->setText(d.haupt(6));
  Groesze->setText(d.haupt(7));
  frostsicher->setText(d.haupt(8));
  TamselArtNr->setText(d.haupt(9));
  Regalnummer->setText(d.haupt(18));
  if (d.Fliesentyp.startsWith(u"Best")) {
    PreisDB->setText(d.haupt(11));
    Per->setCurrentText(d.haupt(12));
    HVKE->setCurrentText(d.haupt(14));
    HVPI->setText(d.haupt(15));
    HVRM->setText(d.haupt(16));
    HVPM->setText(d.haupt(17));
  }
  zeilenlisteFuellen();

  const int zeile = d.aktuelleZeile();
  subArtikelNummer->setCurrentText(d.unter(zeile, 1));
  ZeilenText->setCurrentText(d.unter(zeile, 2));
  DAlias->setText(d.unter(zeile, 3));
  if (d.unter(zeile, 10).isEmpty()) d.unter(zeile, 10) = d.istBestellung() ? QStringLiteral("1") : QStringLiteral("0");

  if (Val(d.unter(zeile, 10)) == 0) {
    // Only a row without figures of its own needs the article; an order number the
    // server does not know would be reported at every showing.
    QVector<QVariant> a(kArtikelDatenGroesse);
    ArtikelLesen(d.unter(zeile, 1), a);
    DBezeichnung->setText(text(a, 0));
    DBezeichnung2->setText(text(a, 1));
    SVKE->setCurrentText(text(a, 8));
    SVPI->setText(text(a, 9));
    SVRM->setText(text(a, 10));
    SVPM->setText(text(a, 11));
  } else {
    SVKE->setCurrentText(d.unter(zeile, 11));
    SVPI->setText(d.unter(zeile, 12));
    SVRM->setText(d.unter(zeile, 13));
    SVPM->setText(d.unter(zeile, 14));
  }
  if (DPreisDB->text() != d.unter(zeile, 6)) DPreisDB->setText(d.unter(zeile, 6));
  else DPreisEUR->setText(d.unter(zeile, 6));
  DTamselArtNr->setText(d.unter(zeile, 9));
  DPer->setCurrentText(d.unter(zeile, 4));
  DInfo->setChecked(Val(d.unter(zeile, 10)) != 0);
  chk_SubErklaerungAnzeigen->setChecked(d.unter(zeile, 16).isEmpty() || Val(d.unter(zeile, 16)) != 0);

  const QSignalBlocker sperre(Detail);
  Detail->setCurrentRow(zeile - 1);
}

void frmFliesenSchild::AllesLeeren() {
  Fliesendaten& d = fliesendaten();
  d.allesLeeren();
  Detail->clear();
  Bez1->clear();
  DatensaetzeAnzeigen();
  Bez2->clear();
  if (!d.Fliesentyp.startsWith(u"Best"))
    for (QLineEdit* preis : {PreisDB, PreisATS, PreisEUR}) preis->setText(QStringLiteral("0,00"));
  Detail->clear();
  subArtikelNummer->clear();
  DBezeichnung->clear();
  DBezeichnung2->clear();
  for (QLineEdit* preis : {DPreisDB, DPreisATS, DPreisEUR}) preis->setText(QStringLiteral("0,00"));
  DAlias->clear();
  ZeilenText->setCurrentText(QString());
  DPer->setCurrentText(QString());
  SVKE->setCurrentText(QString());
  for (QLineEdit* feld : {SVPI, SVRM, SVPM}) feld->clear();
}

void frmFliesenSchild::ZeileLeeren() {
  Fliesendaten& d = fliesendaten();
  const int zeile = d.aktuelleZeile();
  d.zeileLeeren(zeile);
  {
    const QSignalBlocker sperre(Detail);
    if (QListWidgetItem* eintrag = Detail->item(zeile - 1)) eintrag->setText(QString());
  }
  if (zeile - 1 < subArtikelNummer->count()) subArtikelNummer->setItemText(zeile - 1, QString());
  ZeilenText->setCurrentText(QString());
  subArtikelNummer->setCurrentText(QString());
  for (QLineEdit* feld : {DBezeichnung, DBezeichnung2, DAlias, SVPI, SVRM, SVPM}) feld->clear();
  DPer->setCurrentText(QString());
  SVKE->setCurrentText(QString());
  for (QLineEdit* preis : {DPreisDB, DPreisATS, DPreisEUR}) preis->setText(QStringLiteral("0,00"));
}

}  // namespace vovida
