#include "EigenbauModell.h"

#include "EigenbauGlobale.h"
#include "NumberText.h"
#include "PlakatGlobal.h"
#include "Textuebernahme.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "TextKonvertierung.h"
#include "Bilder.h"
#include "clsRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <registry/Settings.h>
#include <services/Cursor.h>
#include <services/Locale.h>
#include <services/MessageBox.h>

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace vovida {

namespace {

const QString kVovida = QStringLiteral("Vovida");

// Default of a design setting read through an application name.
struct Vorgabe {
  const char* schluessel;
  const char* wert;
};

QString wahrText(bool wert) {
  const auto fakten = kesto::services::localeFacts();
  return QString::fromStdString(wert ? fakten.trueText : fakten.falseText);
}

// A stored boolean in either language.
bool wahrWert(const QString& text) {
  QString t = text.trimmed();
  t = TextErsetzen(t, QStringLiteral("Wahr"), QStringLiteral("True"), true);
  t = TextErsetzen(t, QStringLiteral("Falsch"), QStringLiteral("False"), true);
  return t.compare(u"True", Qt::CaseInsensitive) == 0;
}

int ganz(const QString& text, int vorgabe) {
  bool ok = false;
  const int wert = text.trimmed().toInt(&ok);
  return ok ? wert : vorgabe;
}

void meldung(const QString& text) {
  kesto::services::messageBox(text.toStdString(), "Vovida Eigenbau", MB_OK | MB_ICONEXCLAMATION);
}

QString zusatz(int n) { return QStringLiteral("ZPreis") + QString::number(n); }

// A place that is no number would stop every later preview of the article: it is refused
// before anything is written. An empty place is the default place.
bool stellenGueltig(const std::array<QString, 6>& x, const std::array<QString, 6>& y) {
  for (std::size_t i = 0; i < 6; ++i) {
    for (const QString& wert : {x[i], y[i]}) {
      if (wert.trimmed().isEmpty() || zahlAusText(wert.trimmed())) continue;
      meldung(QStringLiteral("Zusatzpreis %1: \"%2\" ist keine Zahl. X und Y sind Millimeter auf der Seite.\r\n"
                             "Es wurde nichts gespeichert.")
                  .arg(i + 1)
                  .arg(wert));
      return false;
    }
  }
  return true;
}

// The sub-key names of a key, empty when it does not exist.
QStringList unterschluessel(const QString& schluessel) {
  clsRegistry reg;
  reg.setKey(schluessel);
  if (!reg.KeyExists()) return {};
  reg.setKey(schluessel);
  return reg.regEnum();
}

// The same, last first.
QStringList rueckwaerts(QStringList namen) {
  std::reverse(namen.begin(), namen.end());
  return namen;
}

// Deletes a key; false when the store refused.
bool schluesselLoeschen(const QString& schluessel) {
  clsRegistry reg;
  reg.setKey(schluessel);
  return reg.delKey() == 0;
}

// A fresh install may lack the folder of the texts: it is made, or named when it cannot be.
void ordnerAnlegen(const QString& ordner) {
  if (QDir().mkpath(ordner)) return;
  throw std::runtime_error(
      QStringLiteral("Der Ordner \"%1\" für die Eigenbau-Texte fehlt und kann nicht angelegt werden.").arg(ordner).toStdString());
}

}  // namespace

void Namensliste::anhaengen(const QString& eintrag) {
  if (!List.contains(eintrag)) List.append(eintrag);
}

QString EigenbauApp() { return kVovida + QStringLiteral("\\Eigenbau"); }
QString EigenbauDesignApp(const QString& name) { return EigenbauApp() + u'\\' + name; }
QString EigenbauArtikelApp(const QString& name) { return EigenbauDesignApp(name) + QStringLiteral("\\Artikel"); }
QString EigenbauZusatzApp(const QString& name, const QString& nr) { return EigenbauArtikelApp(name) + u'\\' + nr; }

QString EigenbauSchluessel(const QString& app) {
  return QStringLiteral("HKCU\\") + QString::fromStdString(kesto::registry::settingsKeyPath(app.toStdString())) +
         u'\\';
}

QString einstellungLesen(const QString& app, const QString& abschnitt, const QString& schluessel,
                         const QString& vorgabe) {
  return QString::fromStdString(kesto::registry::GetSetting(app.toStdString(), abschnitt.toStdString(),
                                                            schluessel.toStdString(), vorgabe.toStdString()));
}

void einstellungSchreiben(const QString& app, const QString& abschnitt, const QString& schluessel,
                          const QString& wert) {
  kesto::registry::SaveSetting(app.toStdString(), abschnitt.toStdString(), schluessel.toStdString(),
                               wert.toStdString());
}

bool EigenbauNameGueltig(const QString& name) {
  if (!name.contains(u'\\') && !name.contains(u'/') && !name.contains(QStringLiteral(".."))) return true;
  meldung(QStringLiteral("Der Name \"%1\" darf weder \"\\\" noch \"/\" noch \"..\" enthalten!").arg(name));
  return false;
}

QString ZusatzpreisX(int) { return QStringLiteral("50"); }
QString ZusatzpreisY(int n) { return QString::number(n * 10 + 5); }

EigenbauModell::EigenbauModell() {
  for (int n = 0; n < 6; ++n) {
    txt_PZ_X[static_cast<std::size_t>(n)] = ZusatzpreisX(n);
    txt_PZ_Y[static_cast<std::size_t>(n)] = ZusatzpreisY(n);
  }
  artikelLesen = [](const QString& nr, QVector<QVariant>& daten) { ArtikelLesen(nr, daten); };
  neustart = [] { VorschauTimerNeustart(); };
}

QString EigenbauModell::Datei(const QString& name) const {
  QString pfad = t_Fileablage;
  if (!pfad.isEmpty() && !pfad.endsWith(u'\\') && !pfad.endsWith(u'/')) pfad += u'\\';
  return PfadAbbilden(pfad + name);
}

void EigenbauModell::FileablageLesen() {
  const QString vorgabe = TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("RTF")),
                                       QStringLiteral("@"), QStringLiteral("\\"));
  t_Fileablage = einstellungLesen(kVovida, QStringLiteral("Eigenbau"), QStringLiteral("Fileablage"), vorgabe);
}

void EigenbauModell::FileablageSchreiben() const {
  einstellungSchreiben(kVovida, QStringLiteral("Eigenbau"), QStringLiteral("Fileablage"), t_Fileablage);
}

void EigenbauModell::DesignlisteFuellen() {
  SpeicherName.List.clear();
  ÜbernehmenName.List.clear();
  try {
    const QStringList namen = unterschluessel(EigenbauSchluessel(EigenbauApp()));
    SpeicherName.List = namen;
    ÜbernehmenName.List = namen;
  } catch (const std::exception&) {
    // A store that cannot be listed offers no designs.
  }
  SpeicherName.Text = SpeicherName.List.value(0);
  ÜbernehmenName.Text = ÜbernehmenName.List.value(0);
}

void EigenbauModell::Speichern(const QString& name, bool nurArtikel) {
  if (name.isEmpty()) return;
  const QString artikel = ArtNr.Text;
  if (!EigenbauNameGueltig(name) || !EigenbauNameGueltig(artikel)) return;
  if (!stellenGueltig(txt_PZ_X, txt_PZ_Y)) return;
  const kesto::services::WaitCursor sanduhr;
  if (!nurArtikel) {
    SpeicherName.anhaengen(name);
    const QString app = EigenbauApp();
    auto schreiben = [&](const char* schluessel, const QString& wert) {
      einstellungSchreiben(app, name, QString::fromUtf8(schluessel), wert);
    };
    schreiben("Breite", B);
    schreiben("Höhe", H);
    schreiben("Werbetext JN", QString::number(c_Werbetext));
    schreiben("Preis JN", QString::number(c_Preis));
    const QString designApp = EigenbauDesignApp(name);
    for (int feld = 1; feld <= 10; ++feld) {
      for (const EigenbauElement& e : kEigenbauElemente) {
        einstellungSchreiben(designApp, QString::fromUtf8(e.abschnitt), QStringLiteral("Schriftdef") + QString::number(feld),
                             Schriftdefinitionen()(e.slot, feld));
      }
    }
    schreiben("Werbetext", Ueberschrift);
    schreiben("Brisal", QString::number(chk_Brisal));
    schreiben("Textmarke JN", QString::number(c_Textmarke));
    schreiben("Textmarke Farbe", QString::number(TextMarkeFarbe));
    schreiben("Textmarke Breite", t_BreiteTextmarke);
    schreiben("Textmarke Höhe", t_HöheTextmarke);
    schreiben("Stern Breite", t_BreiteStern);
    schreiben("Stern Höhe", t_HöheStern);
    schreiben("Grundpreis Datum", QString::number(t_GrundpreisDatum));
    schreiben("Artikelinfo", QString::number(t_Artikelinfo));
    schreiben("PreisAusrichtung", wahrText(B_LB) + u'|' + wahrText(B_Z) + u'|' + wahrText(B_RB));
    schreiben("Einrückung Oben", t_SrOben);
    schreiben("Einrückung Links", t_SrLinks);
    schreiben("Rahmen LR", t_EinrückungLR);
    schreiben("Rahmen OU", t_EinrückungOU);
    if (!t_Fileablage.endsWith(u'\\')) t_Fileablage += u'\\';
  }
  if (!artikel.isEmpty()) ArtNr.anhaengen(artikel);
  if (artikel.isEmpty()) return;
  if (RTF) {
    try {
      const QString datei = Datei(name + artikel + QStringLiteral(".rtf"));
      ordnerAnlegen(QFileInfo(datei).absolutePath());
      RTF->SaveFile(datei);
    } catch (const std::exception& e) {
      meldung(QString::fromStdString(e.what()));
    }
  }
  artikelSchreiben(name, artikel);
}

void EigenbauModell::artikelSchreiben(const QString& name, const QString& artikel) {
  const QString app = EigenbauArtikelApp(name);
  einstellungSchreiben(app, artikel, QStringLiteral("Grundpreis"), Grundpreis);
  einstellungSchreiben(app, artikel, QStringLiteral("Infotext"), Preis_Info);
  einstellungSchreiben(app, artikel, QStringLiteral("per"), Per);
  einstellungSchreiben(app, artikel, QStringLiteral("Preis"), PreisEUR);
  const QString zusatzApp = EigenbauZusatzApp(name, artikel);
  const auto& g = eigenbauGlobale();
  for (int n = 0; n < 6; ++n) {
    const auto i = static_cast<std::size_t>(n);
    auto schreiben = [&](const char* schluessel, const QString& wert) {
      einstellungSchreiben(zusatzApp, zusatz(n), QString::fromUtf8(schluessel), wert);
    };
    schreiben("AnzeigeJN", QString::number(chk_PZ[i]));
    schreiben("Information", txt_PZ_Preisinfo[i]);
    schreiben("per", txt_PZ_Per[i]);
    schreiben("Preis", txt_PZ_EUR[i]);
    schreiben("X-Wert", txt_PZ_X[i]);
    schreiben("Y-Wert", txt_PZ_Y[i]);
    schreiben("Ausrichtung", QString::number(g.ZusatzpreisAusrichtung[i]));
  }
}

void EigenbauModell::lesen(const QString& name, const std::optional<QString>& artikelNr, bool nurArtikel) {
  if (name.isEmpty() || !EigenbauNameGueltig(name)) return;
  QString artikel;
  if (!artikelNr) {
    ArtNr.List.clear();
    try {
      for (const QString& nr : unterschluessel(EigenbauSchluessel(EigenbauArtikelApp(name)))) ArtNr.List.append(nr);
    } catch (const std::exception&) {
      // A listing that fails ends here; what was listed stays.
    }
    ArtNr.Text = ArtNr.List.value(0);
    artikel = ArtNr.Text;
  } else {
    artikel = *artikelNr;
  }
  if (!EigenbauNameGueltig(artikel)) return;

  auto& g = eigenbauGlobale();
  if (!nurArtikel) {
    const QString app = EigenbauApp();
    auto lesenA = [&](const char* schluessel, const char* vorgabe) {
      return einstellungLesen(app, name, QString::fromUtf8(schluessel), QString::fromUtf8(vorgabe));
    };
    const QString appKlein = kVovida + QStringLiteral("\\eigenbau");
    B = lesenA("Breite", "95");
    H = lesenA("Höhe", "120");
    c_Werbetext = ganz(lesenA("Werbetext JN", "1"), 1);
    c_Preis = ganz(lesenA("Preis JN", "1"), 1);
    const QString designApp = EigenbauDesignApp(name);
    for (int feld = 1; feld <= 10; ++feld) {
      for (const EigenbauElement& e : kEigenbauElemente) {
        const QString vorgabe = TeilString(QString::fromUtf8(e.vorgabe), QStringLiteral("|"), feld);
        Schriftdefinitionen()(e.slot, feld) = einstellungLesen(
            designApp, QString::fromUtf8(e.abschnitt), QStringLiteral("Schriftdef") + QString::number(feld), vorgabe);
      }
    }
    Ueberschrift = lesenA("Werbetext", "SEHENSWERTE PREISE");
    chk_Brisal = ganz(lesenA("Brisal", "0"), 0);
    c_Textmarke = ganz(lesenA("Textmarke JN", "1"), 1);
    TextMarkeFarbe = ganz(lesenA("Textmarke Farbe", "65280"), 65280);
    t_BreiteTextmarke = lesenA("Textmarke Breite", "75");
    t_HöheTextmarke = lesenA("Textmarke Höhe", "25");
    t_BreiteStern = lesenA("Stern Breite", "75");
    t_HöheStern = lesenA("Stern Höhe", "25");
    t_GrundpreisDatum = ganz(lesenA("Grundpreis Datum", "1"), 1);
    t_Artikelinfo = ganz(einstellungLesen(appKlein, name, QStringLiteral("Artikelinfo"), QStringLiteral("0")), 0);
    const QString ausrichtung =
        einstellungLesen(appKlein, name, QStringLiteral("PreisAusrichtung"), QStringLiteral("true|false|true"));
    B_LB = wahrWert(TeilString(ausrichtung, QStringLiteral("|"), 1));
    B_Z = wahrWert(TeilString(ausrichtung, QStringLiteral("|"), 2));
    B_RB = wahrWert(TeilString(ausrichtung, QStringLiteral("|"), 3));
    if (!B_LB) g.EigenbauAusrichtung = 1;
    else if (!B_Z) g.EigenbauAusrichtung = 2;
    else if (!B_RB) g.EigenbauAusrichtung = 3;
    t_SrOben = lesenA("Einrückung Oben", "15");
    t_SrLinks = lesenA("Einrückung Links", "15");
    t_EinrückungLR = lesenA("Rahmen LR", "5");
    t_EinrückungOU = lesenA("Rahmen OU", "5");
  }

  textLaden(name, artikel);
  if (artikel.isEmpty()) return;

  const QString app = EigenbauArtikelApp(name);
  Grundpreis = einstellungLesen(app, artikel, QStringLiteral("Grundpreis"));
  Preis_Info = einstellungLesen(app, artikel, QStringLiteral("Infotext"));
  // The extra prices before the server read: a template body makes the read save the
  // article, which must then save this article's extra prices.
  artikelLesenAusSpeicher(name, artikel);
  Read_Click();
}

void EigenbauModell::artikelLesenAusSpeicher(const QString& name, const QString& artikel) {
  const QString app = EigenbauZusatzApp(name, artikel);
  auto& g = eigenbauGlobale();
  for (int n = 0; n < 6; ++n) {
    const auto i = static_cast<std::size_t>(n);
    auto wert = [&](const char* schluessel, const QString& vorgabe = QString()) {
      return einstellungLesen(app, zusatz(n), QString::fromUtf8(schluessel), vorgabe);
    };
    chk_PZ[i] = ganz(wert("AnzeigeJN", QStringLiteral("0")), 0);
    txt_PZ_Preisinfo[i] = wert("Information");
    txt_PZ_Per[i] = wert("per");
    txt_PZ_EUR[i] = wert("Preis");
    txt_PZ_X[i] = wert("X-Wert", ZusatzpreisX(n));
    txt_PZ_Y[i] = wert("Y-Wert", ZusatzpreisY(n));
    const int ausrichtung = ganz(wert("Ausrichtung", QStringLiteral("2")), 2);
    g.ZusatzpreisAusrichtung[i] = static_cast<std::int16_t>(ausrichtung);
    b_LBZP[i] = ausrichtung != 1;
    b_ZZP[i] = ausrichtung != 2;
    b_RBZP[i] = ausrichtung != 3;
  }
}

void EigenbauModell::textLaden(const QString& name, const QString& artikel) {
  auto& g = eigenbauGlobale();
  if (!RTF) {
    g.VorlageGeladen = false;
    return;
  }
  bool geladen = false;
  try {
    geladen = RTF->LoadFile(Datei(name + artikel + QStringLiteral(".rtf"))) == 0;
  } catch (const std::exception&) {
    // A load that raises counts as a failed one.
  }
  if (geladen) {
    g.VorlageGeladen = false;
    return;
  }
  if (rtfRaenderSetzen) rtfRaenderSetzen();
  const QString logo = TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")),
                                    QStringLiteral("@"), QStringLiteral("\\"));
  try {
    RTF->LoadFile(PfadAbbilden(logo + QStringLiteral("\\eigenbau.rtf")));
  } catch (const std::exception&) {
    // Without a template the body stays as it is.
  }
  RTF->setVorlage(true);
  g.VorlageGeladen = true;
}

void EigenbauModell::Read_Click() {
  QVector<QVariant> daten(15);
  artikelLesen(ArtNr.Text, daten);
  if (daten[13].toString() == QStringLiteral("Fehler")) return;
  Bez1 = daten[0].toString();
  Bez2 = daten[1].toString();
  Bez3 = daten[2].toString();
  PreisDB = daten[3].toString();
  PreisDB_Change();
  Per = daten[4].toString();
  Grundpreis = daten[5].toString();
  if (eigenbauGlobale().VorlageGeladen) b_TextÜbernehmen_Click();
}

void EigenbauModell::b_TextÜbernehmen_Click() {
  if (RTF && RTF->Dokument()) {
    TextUebernehmen(*RTF->Dokument(), Bez1, Bez2, Bez3);
    RTF->geaendert();
  }
  Speichern(SpeicherName.Text, true);
  neustart();
}

void EigenbauModell::b_SchriftDefÜbernehmen_Click() {
  const QString von = ÜbernehmenName.Text;
  if (von.isEmpty() || von == SpeicherName.Text) return;
  lesen(von);
  Speichern(SpeicherName.Text);
}

bool EigenbauModell::baumLoeschen(const QString& name) {
  // Deepest keys first; each level lists its own key. Any refusal ends the deletion.
  try {
    const QString design = EigenbauSchluessel(EigenbauDesignApp(name));
    for (const QString& c1 : rueckwaerts(unterschluessel(design))) {
      const QString k1 = design + c1 + u'\\';
      for (const QString& c2 : rueckwaerts(unterschluessel(k1))) {
        const QString k2 = k1 + c2 + u'\\';
        for (const QString& c3 : rueckwaerts(unterschluessel(k2))) {
          if (!schluesselLoeschen(k2 + c3 + u'\\')) return false;
        }
        QFile::remove(Datei(name + c2 + QStringLiteral(".rtf")));
        if (!schluesselLoeschen(k2)) return false;
      }
      if (!schluesselLoeschen(k1)) return false;
    }
    return schluesselLoeschen(design);
  } catch (const std::exception&) {
    return false;
  }
}

void EigenbauModell::Löschen_Click() {
  const QString name = SpeicherName.Text;
  if (name.isEmpty() || !EigenbauNameGueltig(name)) return;
  Speichern(name);
  if (QFile::remove(Datei(name + QStringLiteral(".rtf")))) QFile::remove(Datei(name + QStringLiteral(".txt")));
  if (!baumLoeschen(name)) return;
  SpeicherName.List.removeOne(name);
  SpeicherName.Text = SpeicherName.List.value(0);
  lesen(SpeicherName.Text);
  if (synchronisieren) synchronisieren();
  neustart();
}

void EigenbauModell::ArtNrLöschen_Click() {
  const QString name = SpeicherName.Text;
  const QString artikel = ArtNr.Text;
  if (!EigenbauNameGueltig(name) || !EigenbauNameGueltig(artikel)) return;
  if (!name.isEmpty()) QFile::remove(Datei(name + artikel + QStringLiteral(".rtf")));
  if (!name.isEmpty() && !artikel.isEmpty()) {
    try {
      const QString schluessel = EigenbauSchluessel(EigenbauZusatzApp(name, artikel));
      clsRegistry pruefen;
      pruefen.setKey(schluessel);
      if (pruefen.KeyExists()) {
        bool ok = true;
        for (const QString& kind : rueckwaerts(unterschluessel(schluessel))) {
          ok = ok && schluesselLoeschen(schluessel + kind + u'\\');
        }
        if (ok) schluesselLoeschen(schluessel);
      }
    } catch (const std::exception&) {
      // A refused deletion ends it; the list is rebuilt from what is left.
    }
  }
  lesen(name);
  neustart();  // one page fewer
}

}  // namespace vovida
