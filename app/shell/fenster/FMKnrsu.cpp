#include "FMKnrsu.h"

namespace vovida {

namespace {

// The customer group is the first two characters of the item.
QString kundengruppe(const QString& text) { return text.left(2); }

const Kontoart kKunde{
    "Suche nach Kunden",
    "Kurzbezeichnung::",
    "SKGRP",
    "K Gruppe:",
    "FRX.ParKundenGruppen",
    "Gruppen",
    {"", "J"},
    true,
    false,
    &kundengruppe,
    "K",
    "KNRSULI",
    "KundenNr.",
    [] () -> std::vector<KontoTreffer>& { return ferrixSu().KundenTreffer; },
    [] () -> QString& { return ferrixSu().KundenSuchErgebnis; },
    "Kundengruppen für Kundensuche",
    "Kundennummer Suche",
};

}  // namespace

FMKnrsu::FMKnrsu() : Kontosuche(kKunde), SKGRP(Filter), KNRSULI(Liste) {}

}  // namespace vovida
