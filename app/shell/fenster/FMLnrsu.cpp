#include "FMLnrsu.h"

#include "NumberText.h"
#include "TextKonvertierung.h"

namespace vovida {

namespace {

// The collective account number before the bar, "1" when there is none; a text that is
// no whole number raises the conversion error.
QString sammelkonto(const QString& text) {
  const QString feld = TeilString(text, QStringLiteral("|"), 1, QStringLiteral("1"));
  return QString::number(ganzzahl32(feld, QStringLiteral("Lieferantensuche")));
}

const Kontoart kLieferant{
    "Suche nach Lieferant",
    "Kurzbezeichnung:",
    "SSKTOK",
    "SAKonto:",
    "FRX.KontoSammelKontoKreis",
    "SaKontoBez",
    {"L", "", ""},
    false,
    true,
    &sammelkonto,
    "L",
    "LNRSULI",
    "Lieferant.Nr.",
    [] () -> std::vector<KontoTreffer>& { return ferrixSu().LieferantenTreffer; },
    [] () -> QString& { return ferrixSu().LieferantenSuchErgebnis; },
    "Lieferantensuche: Lieferantenarten",
    "Suche Lieferantennummer",
};

}  // namespace

FMLnrsu::FMLnrsu() : Kontosuche(kLieferant), SSKTOK(Filter), LNRSULI(Liste) {}

}  // namespace vovida
