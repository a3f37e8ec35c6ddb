#include "Procedures.h"

#include <text/Compare.h>

namespace kesto::server::odbc {

const std::vector<Procedure>& procedures() {
    static const std::vector<Procedure> list = {
        {"BestellungenVon",
         {{"Lieferant", {sqltype::VarChar, 10, 0}}},
         std::nullopt,
         true,
         "SELECT Nummer, Datum, Status FROM main.Bestellung WHERE Lieferant = ?1 ORDER BY Nummer",
         "Orders of one supplier"},
        {"PositionenAnzahl",
         {{"Nummer", {sqltype::Integer, 10, 0}}},
         TypeInfo{sqltype::Integer, 10, 0},
         false,
         "SELECT count(*) FROM main.BestellPos WHERE Nummer = ?1",
         "Number of items of one order"},
        {"StatusSetzen",
         {{"Nummer", {sqltype::Integer, 10, 0}}, {"Status", {sqltype::Char, 1, 0}}},
         std::nullopt,
         false,
         "UPDATE main.Bestellung SET Status = ?2 WHERE Nummer = ?1",
         "Sets the status of one order"},
    };
    return list;
}

const Procedure* findProcedure(std::string_view name) {
    if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) {
        if (!text::equalsNoCase(name.substr(0, dot), std::string_view("SQLUser"))) return nullptr;
        name = name.substr(dot + 1);
    }
    for (const Procedure& p : procedures())
        if (text::equalsNoCase(std::string_view(p.name), name)) return &p;
    return nullptr;
}

int procedureFlags(const Procedure& p) { return (p.resultSet ? 1 : 0) | (p.returns ? 2 : 0); }

}  // namespace kesto::server::odbc
