#include "FliesenschildTexte.h"

#include "AOBStandard.h"
#include "NumberText.h"

#include <optional>

namespace vovida {

QString Verpackungserklaerung(const QString& vke, const QString& vpi, const QString& vrm,
                              const QString& vpm, const QString& per) {
  const std::optional<double> inhalt = zahlAusText(vpi);
  const std::optional<double> menge = zahlAusText(vrm);
  const std::optional<double> preismenge = zahlAusText(vpm);
  if (!inhalt || !menge || !preismenge || *menge == *preismenge) return {};
  const QString q = zahlText(rundenGerade(*inhalt * *menge, 2));
  const QString kurz = vpm + u' ' + vke + QStringLiteral(" entspricht ") + vrm + u' ' + per;
  if (vpi != vpm || q != vrm)
    return kurz + QStringLiteral(" die Verpackung zu ") + vpi + u' ' + vke + QStringLiteral(" entspricht ") + q +
           u' ' + per + u'.';
  return kurz + u'.';
}

Fliesenpreis FliesenpreisBerechnen(const QString& preis, const Waehrungen& w) {
  const bool euro = w.ETHW == u"EUR";
  Fliesenpreis p;
  p.preis = preis;
  p.zeichen = euro ? w.NW : w.HW;
  const std::optional<double> betrag = zahlAusText(ZahlFiltern(preis));
  const std::optional<double> faktor = zahlAusText(w.Faktor);
  if (!w.zweiPreise || !betrag || !faktor || (!euro && *faktor == 0)) {
    p.zweitpreis = QStringLiteral("   ");
    return p;
  }
  p.zweitpreis = PreisFormatieren(rundenGerade(euro ? *betrag * *faktor : *betrag / *faktor, 2));
  p.zweitzeichen = euro ? w.HW : w.NW;
  return p;
}

}  // namespace vovida
