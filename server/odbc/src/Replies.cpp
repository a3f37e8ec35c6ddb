#include "Replies.h"

#include "SqlText.h"

#include <model/ServerError.h>

namespace kesto::server::odbc {
namespace {

bool has(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

}  // namespace

std::uint16_t codeOfSqliteMessage(const std::string& m) {
    if (has(m, "syntax error") || has(m, "unrecognized token") || has(m, "incomplete input") || has(m, "no such function"))
        return code::Syntax;
    if (has(m, "no such table") || has(m, "no such view")) return code::NoSuchTable;
    if (has(m, "no such column")) return code::NoSuchColumn;
    if (has(m, "values for") || (has(m, "has ") && has(m, "values were supplied"))) return code::ValueCount;
    if (has(m, "constraint failed")) return code::Constraint;
    if (has(m, "datatype mismatch")) return code::TypeMismatch;
    return 400;
}

Failure failureOf(const std::exception& e) {
    if (const auto* r = dynamic_cast<const RequestError*>(&e)) return {r->code, r->what()};
    if (const auto* s = dynamic_cast<const model::ServerError*>(&e)) {
        const std::string message = s->params().empty() ? std::string(s->what()) : s->params().front();
        return {codeOfSqliteMessage(message), message};
    }
    if (dynamic_cast<const SqlTextError*>(&e)) return {code::Syntax, e.what()};
    if (dynamic_cast<const wire::FormatError*>(&e)) return {400, std::string("Malformed request: ") + e.what()};
    if (dynamic_cast<const wire::CapacityError*>(&e)) return {400, std::string("Value too long: ") + e.what()};
    return {400, e.what()};
}

void writeColumnDescriptions(wire::ListWriter& out, const std::vector<ColumnInfo>& columns, const Encoding& encoding) {
    out.integer(static_cast<std::int64_t>(columns.size()));
    for (const ColumnInfo& c : columns) {
        writeString(out, c.name, encoding);
        out.integer(c.type.sqlType);
        out.integer(c.type.precision);
        out.integer(c.type.scale);
        out.integer(c.nullable);
        writeString(out, c.label, encoding);
        writeString(out, c.table, encoding);
    }
}

void writeParameterDescriptions(wire::ListWriter& out, const std::vector<ParameterInfo>& parameters) {
    out.integer(static_cast<std::int64_t>(parameters.size()));
    for (const ParameterInfo& p : parameters) {
        out.integer(p.type.sqlType);
        out.integer(p.type.precision);
        out.integer(p.type.scale);
        out.integer(p.nullable);
    }
}

}  // namespace kesto::server::odbc
