#include "AOBStandard.h"

#include "KestoapiHilfen.h"
#include "NumberFormat.h"
#include "NumberText.h"

#include <QLineEdit>

#include <services/MessageBox.h>
#include <services/Program.h>

#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

namespace vovida {

namespace {

const QString kGrenzenTitel = QStringLiteral("Fehler Wertgrenzen Überschritten!");

EanSuche& installierteEanSuche() {
  static EanSuche suche;
  return suche;
}

bool istGanz(double wert) { return wert * 100 - std::floor(wert) * 100 == 0; }

std::optional<double> alsZahl(const QVariant& wert) {
  if (wert.typeId() == QMetaType::QString) return zahlAusText(wert.toString());
  bool ok = false;
  const double zahl = wert.toDouble(&ok);
  return ok ? std::optional<double>(zahl) : std::nullopt;
}

bool istLeer(const QVariant& wert) {
  return !wert.isValid() || wert.isNull() ||
         (wert.typeId() == QMetaType::QString && wert.toString().isEmpty());
}

// The value formatted with the pattern for whole or for other numbers; an empty value
// gives "" and a text that is no number stays as it is.
QString formatiert(const QVariant& wert, QStringView ganz, QStringView sonst) {
  if (istLeer(wert)) return QString();
  const std::optional<double> zahl = alsZahl(wert);
  if (!zahl) return wert.toString();
  return formatNumber(*zahl, istGanz(*zahl) ? ganz : sonst);
}

void melden(const QString& text, const QString& titel) {
  kesto::services::messageBox(text.toStdString(), titel.toStdString(), MB_OK);
}

void grenzeVerletzt(QLineEdit& feld, const QString& text, bool& fehler) {
  melden(text, kGrenzenTitel);
  TextMarkieren(feld);
  fehler = true;
}

}  // namespace

QString ZahlFiltern(const QString& text) {
  if (text.isEmpty()) return QStringLiteral("0");
  QString ergebnis;
  bool komma = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c >= u'0' && c <= u'9') {
      ergebnis += c;
    } else if (c == u',' && !komma) {
      ergebnis += c;
      komma = true;
    } else if ((c == u'%' && i == text.size() - 1) || (c == u'-' && i == 0)) {
      ergebnis += c;
    }
  }
  return ergebnis;
}

QString PreisFormatieren(const QVariant& wert) {
  return formatiert(wert, u"##,###,##0.-", u"##,###,##0.00");
}

void PreisFeldFormatieren(QLineEdit& feld, QVariant& wert) {
  QString text = wert.toString();
  if (!text.endsWith(u'%')) {
    feld.setText(PreisFormatieren(wert));
    return;
  }
  text.chop(1);
  wert = text;
  feld.setText(formatiert(wert, u"##0\\%", u"##0.00\\%"));
}

void ZahlPruefen(double grenze1, double grenze2, QLineEdit& feld, bool wertGrenzen,
                 bool& fehler) {
  // An empty box holds no number: ZahlFiltern's "0" is for calculating, never for the box.
  if (feld.text().isEmpty()) return;
  const QString gefiltert = ZahlFiltern(feld.text());
  if (gefiltert.isEmpty() || gefiltert == u"-" || gefiltert == u",") return;
  // Compared first: change handlers call this, and an equal write would call them again.
  if (feld.text() != gefiltert) feld.setText(gefiltert);

  // A trailing "%" is no part of the number; a text that is still no number ("-,",
  // "%") has nothing to check.
  QStringView ohneProzent = gefiltert;
  if (ohneProzent.endsWith(u'%')) ohneProzent.chop(1);
  const std::optional<double> wert = zahlAusText(ohneProzent);
  if (!wert) return;

  if (wertGrenzen) {
    if (*wert > grenze1) {
      grenzeVerletzt(feld,
                     QStringLiteral("Wert zu groß eingegeben!\r\nGrößter erlaubter Wert : ") +
                         zahlText(grenze1),
                     fehler);
    }
    if (*wert < grenze2) {
      grenzeVerletzt(feld,
                     QStringLiteral("Wert zu klein eingegeben!\r\nKleinster erlaubter Wert : ") +
                         zahlText(grenze2),
                     fehler);
    }
    return;
  }
  if (zahlText(rundenGerade(*wert)).size() > grenze1) {
    grenzeVerletzt(feld,
                   QStringLiteral("Zu viele Vorkommastellen Eingegeben!\r\nMaximal Erlaubt sind : ") +
                       zahlText(grenze1),
                   fehler);
  }
  if (rundenGerade(*wert, static_cast<int>(grenze2)) != *wert) {
    grenzeVerletzt(feld,
                   QStringLiteral("Zu viele Nachkommastellen Eingegeben!\r\nMaximal Erlaubt sind : ") +
                       zahlText(grenze2),
                   fehler);
  }
}

void setEanSuche(EanSuche suche) { installierteEanSuche() = std::move(suche); }

bool ArtikelNrErmitteln(QLineEdit& feld) { return ArtikelNrErmitteln(feld, installierteEanSuche()); }

bool ArtikelNrErmitteln(QLineEdit& feld, const EanSuche& suche) {
  const QString text = feld.text().trimmed();
  const qsizetype laenge = text.size();
  QString artikelNr;
  if (laenge == 0) {
    return true;
  } else if (laenge <= 6) {
    artikelNr = text;
  } else if (laenge == 8 || laenge == 13) {
    if (text.startsWith(u"20")) {
      // The company's own EANs carry the article number in places 3 to 8.
      artikelNr = text.mid(2, 6);
    } else {
      if (!suche) throw std::logic_error("ArtikelNrErmitteln: no EAN look-up installed");
      try {
        artikelNr = suche(text);
      } catch (const kesto::services::ProgramEnded&) {
        throw;
      } catch (const std::exception&) {
        artikelNr.clear();  // a failed look-up reads as "not found"
      }
      if (artikelNr.isEmpty()) {
        melden(QStringLiteral("EAN nicht gefunden"), QStringLiteral("Fehler"));
        feld.setFocus();
        return false;
      }
    }
  } else {
    melden(QStringLiteral("Art.-Nr/EAN kann nur 6,8 oder 13-stellig sein"), QStringLiteral("Fehler"));
    feld.setFocus();
    return false;
  }
  feld.setText(zahlText(Val(artikelNr)));
  return true;
}

}  // namespace vovida
