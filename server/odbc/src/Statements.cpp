#include "Statements.h"

#include "SqlText.h"

#include <odbclink/Protocol.h>
#include <text/CodePage.h>

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

namespace kesto::server::odbc {
namespace {

std::vector<int> storageClasses(const std::vector<model::Value>& set) {
    std::vector<int> out;
    out.reserve(set.size());
    for (const model::Value& v : set) {
        switch (v.kind()) {
            case model::Value::Kind::Integer: out.push_back(SQLITE_INTEGER); break;
            case model::Value::Kind::Real: out.push_back(SQLITE_FLOAT); break;
            case model::Value::Kind::Text: out.push_back(SQLITE_TEXT); break;
            case model::Value::Kind::Blob: out.push_back(SQLITE_BLOB); break;
            case model::Value::Kind::Null: out.push_back(SQLITE_NULL); break;
        }
    }
    return out;
}

std::vector<ExpressionType> markerTypes(const std::vector<int>& classes) {
    std::vector<ExpressionType> out;
    for (int c : classes) out.push_back(typeOfValue(c));
    return out;
}

bool sameTypes(const std::vector<ColumnInfo>& a, const std::vector<ColumnInfo>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ColumnInfo& x, const ColumnInfo& y) {
        return x.type.sqlType == y.type.sqlType && x.type.precision == y.type.precision && x.type.scale == y.type.scale;
    });
}

}  // namespace

Statements::Statements(model::Database& db, std::function<void()> beginWork)
    : db_(db), beginWork_(std::move(beginWork)) {}

bool Statements::handles(const std::string& c) {
    static const char* const kCodes[] = {"DQ", "DX", "DU", "PP", "PQ", "EX", "PU", "DS", "SP", "SQ", "SU", "FD",
                                         "SF", "FX", "RS", "SB", "SM", "CC", "CS", "co", "ti", "br", "vc", "st",
                                         "ca", "sc", "tt", "ta", "cp", "cr", "ek", "ik", "pk", "pc", "pr", "tp"};
    return std::find(std::begin(kCodes), std::end(kCodes), c) != std::end(kCodes);
}

std::optional<ReplyOut> Statements::handle(const Request& r, Failure& failure) {
    const std::string& c = r.code;
    try {
        if (c == "CC" || c == "CS") {
            close(r);
            return std::nullopt;
        }
        ++clock_;
        if (c == "DQ" || c == "DX" || c == "DU") return executeDirect(r);
        if (c == "PP") return prepare(r);
        if (c == "PQ" || c == "EX" || c == "PU") return executePrepared(r);
        if (c == "DS") return callDirect(r);
        if (c == "SP") return prepareCall(r);
        if (c == "SQ" || c == "SU") return callPrepared(r);
        if (c == "FD" || c == "SF") return fetch(r);
        if (c == "FX") return fetchStatic(r);
        if (c == "RS") return readStream(r);
        if (c == "SB" || c == "SM") return upload(r);
        return catalog(r);
    } catch (const std::exception& e) {
        failure = failureOf(e);
        // A statement that failed to be made or run holds no cursor.
        if (Held* h = find(r.statement)) {
            h->rows.reset();
            h->fixedRows = nullptr;
            if (c == "DQ" || c == "DX" || c == "DU" || c == "PP" || c == "DS" || c == "SP" || std::islower(c[0]))
                held_.erase(r.statement);
        }
        if (c != "SB" && c != "SM") uploads_.clear(), uploadBytes_ = 0;
        return ReplyOut{failure.code, {}};
    }
}

Statements::Held& Statements::create(std::uint32_t id) {
    held_.erase(id);
    if (held_.size() >= kMaxStatements) {
        auto oldest = std::min_element(held_.begin(), held_.end(),
                                       [](const auto& a, const auto& b) { return a.second->lastUse < b.second->lastUse; });
        held_.erase(oldest);
    }
    auto& h = held_[id];
    h = std::make_unique<Held>();
    h->lastUse = clock_;
    return *h;
}

Statements::Held* Statements::find(std::uint32_t id) {
    const auto it = held_.find(id);
    if (it == held_.end()) return nullptr;
    it->second->lastUse = clock_;
    return it->second.get();
}

Statements::Held& Statements::findOrRefuse(std::uint32_t id, std::uint16_t c) {
    Held* h = find(id);
    if (!h) throw RequestError(c, "Statement " + std::to_string(id) + " is not held");
    return *h;
}

std::string Statements::readText(const wire::Element& e) const {
    if (e.type == wire::Text16) return text::utf16ToUtf8(wire::utf16Value(e));
    if (e.type == wire::Text8) {
        if (e.data.size() == 1 && e.data[0] == '\0') return {};
        return utf8FromLatin1(e.data);
    }
    throw wire::FormatError("a string was expected");
}

void Statements::prepareText(Held& h, std::string_view text, bool query) {
    const SqlForSqlite sql = translateSql(text);
    h.sql = sql.text;
    h.query = query;
    h.prepared.emplace(db_.prepare(h.sql));
    h.writes = !sqlite3_stmt_readonly(h.prepared->handle());
    h.markers = std::max(sql.markers, h.prepared->parameterCount());
    const MarkerInfo info = describeMarkers(h.sql, h.markers);
    h.parameters.assign(static_cast<std::size_t>(h.markers), ParameterInfo{{sqltype::VarChar, 0, 0}, 1});
    for (std::size_t i = 0; i < info.markers.size(); ++i) {
        if (info.markers[i].column.empty()) continue;
        std::string column = info.markers[i].column;
        for (const std::string& table : info.tables) {
            TableColumn found;
            if (findTableColumn(db_.handle(), table, column, found)) {
                h.parameters[i] = {found.type, found.notNull ? 0 : 1, column};
                break;
            }
        }
    }
}

std::vector<std::vector<model::Value>> Statements::readSets(wire::ListReader& reader, const Held& h, std::size_t perSet) {
    const auto count = wire::integerValue(reader.next());
    if (!count || *count < 0 || *count > 65535) throw wire::FormatError("bad parameter set count");
    const std::size_t offset = h.procedure && h.procedure->returns ? 1 : 0;
    std::vector<std::vector<model::Value>> sets(static_cast<std::size_t>(*count));
    for (auto& set : sets) {
        for (std::size_t i = 0; i < perSet; ++i) {
            const auto e = reader.tryNext();
            if (!e) throw RequestError(code::WrongParameterCount, "Wrong number of parameters");
            const int type = i + offset < h.parameters.size() ? h.parameters[i + offset].type.sqlType : sqltype::VarChar;
            std::optional<model::Value> uploaded = uploadedValue(*e);
            set.push_back(uploaded ? std::move(*uploaded) : parameterValue(*e, type));
            if (i + offset < h.parameters.size()) refuseUnreadable(h, i + offset, set.back());
        }
    }
    if (!reader.atEnd()) throw RequestError(code::WrongParameterCount, "Wrong number of parameters");
    uploads_.clear();
    uploadBytes_ = 0;
    return sets;
}

std::optional<model::Value> Statements::uploadedValue(const wire::Element& e) {
    // A long value sent before with SB/SM comes as its handle in the form only handles take:
    // an integer of exactly five bytes. Any other element is a value, even when it equals a handle.
    if (e.undefined || e.type != wire::PosInt || e.data.size() != kesto::odbc::protocol::kStreamHandleBytes) return std::nullopt;
    const std::optional<std::int64_t> handle = wire::integerValue(e);
    if (!handle || *handle <= 0 || *handle > 0x7FFFFFFF) return std::nullopt;
    const auto up = uploads_.find(static_cast<std::uint32_t>(*handle));
    if (up == uploads_.end()) throw RequestError(400, "Unknown stream handle " + std::to_string(*handle));
    model::Value value = up->second.binary ? model::Value::blob(std::move(up->second.bytes))
                                           : model::Value::text(utf8FromLatin1(up->second.bytes));
    uploads_.erase(up);
    return value;
}

void Statements::refuseUnreadable(const Held& h, std::size_t parameter, const model::Value& value) const {
    // What a column that is not long stores must come back inline, in one list element of
    // either encoding: refused here rather than stored and then unreadable.
    const ParameterInfo& p = h.parameters[parameter];
    if (p.column.empty() || isLong(p.type.sqlType) || !h.writes) return;
    if (value.kind() != model::Value::Kind::Text && value.kind() != model::Value::Kind::Blob) return;
    const std::size_t units = value.kind() == model::Value::Kind::Text ? text::utf8ToUtf16(value.bytes()).size() * 2
                                                                       : value.bytes().size();
    if (units <= wire::kMaxElementData) return;
    throw RequestError(400,
                       "Parameter " + std::to_string(parameter + 1) + ": a value of " +
                           std::to_string(value.kind() == model::Value::Kind::Text ? units / 2 : units) +
                           (value.kind() == model::Value::Kind::Text ? " characters" : " bytes") + " is too long for column " +
                           p.column + " (" + typeName(p.type.sqlType) + "), which holds at most " +
                           (value.kind() == model::Value::Kind::Text ? "32767 characters" : "65534 bytes") +
                           "; declare it LONGVARCHAR or LONGVARBINARY for longer values");
}

void Statements::bindSet(model::Statement& st, const std::vector<model::Value>& set) {
    st.reset();
    sqlite3_clear_bindings(st.handle());
    for (std::size_t i = 0; i < set.size(); ++i) st.bind(static_cast<int>(i + 1), set[i]);
}

void Statements::refuseWrites(const model::Statement& st) const {
    if (readOnly_ && !sqlite3_stmt_readonly(st.handle()))
        throw RequestError(400, "The connection is read-only: the statement would change data");
}

void Statements::runQuery(Held& h, const std::vector<std::vector<model::Value>>& sets, bool holdRows, bool describe) {
    refuseWrites(*h.prepared);
    h.rows.reset();
    h.fixedRows = nullptr;
    h.streams.clear();
    model::Statement& st = *h.prepared;
    bool onRow = false;
    if (!sets.empty()) {
        bindSet(st, sets.front());
        onRow = st.step();
    } else {
        st.reset();
    }
    if (describe) {
        h.describedWith = sets.empty() ? std::vector<int>{} : storageClasses(sets.front());
        h.columns = describeColumns(db_.handle(), st, onRow, markerTypes(h.describedWith));
    }
    if (!holdRows && sets.size() == 1) {
        h.rows = std::make_unique<LiveRows>(st, h.columns, onRow);
        return;
    }
    auto rows = std::make_unique<StaticRows>(h.columns, std::vector<StaticRows::Row>{}, &budget_);
    for (std::size_t s = 0; s < sets.size(); ++s) {
        bindSet(st, sets[s]);
        rows->appendAll(st);
    }
    st.reset();
    h.fixedRows = rows.get();
    h.rows = std::move(rows);
}

std::int64_t Statements::runUpdate(Held& h, const std::vector<std::vector<model::Value>>& sets) {
    refuseWrites(*h.prepared);
    h.rows.reset();
    h.fixedRows = nullptr;
    const sqlite3_int64 before = sqlite3_total_changes64(db_.handle());
    for (const auto& set : sets) {
        bindSet(*h.prepared, set);
        while (h.prepared->step()) {
        }
    }
    h.prepared->reset();
    return sqlite3_total_changes64(db_.handle()) - before;
}

ReplyOut Statements::withRows(wire::ListWriter& out, Held& h) {
    const bool last = !h.rows || h.rows->writeBatch(out, rowContext(h), limits_);
    return {static_cast<std::uint16_t>(last ? 100 : 0), out.take()};
}

ReplyOut Statements::executeDirect(const Request& r) {
    wire::ListReader reader(r.body);
    const std::string text = readText(reader.next());
    Held& h = create(r.statement);
    prepareText(h, text, r.code != "DU");
    const auto sets = readSets(reader, h, static_cast<std::size_t>(h.markers));
    beginWork_();
    wire::ListWriter out(kMaxRequestBody);
    if (r.code == "DU") {
        const std::int64_t count = runUpdate(h, sets);
        writeParameterDescriptions(out, h.parameters);
        out.integer(count);
        return {0, out.take()};
    }
    runQuery(h, sets, r.code == "DX", true);
    writeColumnDescriptions(out, h.columns, encoding_);
    writeParameterDescriptions(out, h.parameters);
    if (r.code == "DX") return {0, out.take()};
    return withRows(out, h);
}

ReplyOut Statements::prepare(const Request& r) {
    wire::ListReader reader(r.body);
    const std::string text = readText(reader.next());
    Held& h = create(r.statement);
    prepareText(h, text, isQueryText(text));
    wire::ListWriter out(kMaxRequestBody);
    if (h.query) {
        h.columns = describeColumns(db_.handle(), *h.prepared, false);
        writeColumnDescriptions(out, h.columns, encoding_);
    }
    writeParameterDescriptions(out, h.parameters);
    return {0, out.take()};
}

ReplyOut Statements::executePrepared(const Request& r) {
    Held& h = findOrRefuse(r.statement, code::StatementNotHeld);
    if (h.procedure || !h.prepared) throw RequestError(400, "Statement is a procedure call");
    wire::ListReader reader(r.body);
    const auto sets = readSets(reader, h, static_cast<std::size_t>(h.markers));
    if (h.query && !sets.empty()) forgetIfRedescribed(r.statement, h, sets.front());
    beginWork_();
    wire::ListWriter out(kMaxRequestBody);
    if (r.code == "PU") {
        out.integer(runUpdate(h, sets));
        return {0, out.take()};
    }
    runQuery(h, sets, r.code == "EX", h.columns.empty());
    if (r.code == "EX") return {0, {}};
    return withRows(out, h);
}

void Statements::forgetIfRedescribed(std::uint32_t id, Held& h, const std::vector<model::Value>& set) {
    std::vector<int> classes = storageClasses(set);
    if (classes == h.describedWith || h.columns.empty()) return;
    model::Statement& st = *h.prepared;
    st.reset();
    const auto before = describeColumns(db_.handle(), st, false, markerTypes(h.describedWith));
    const auto now = describeColumns(db_.handle(), st, false, markerTypes(classes));
    if (sameTypes(before, now)) {
        h.describedWith = std::move(classes);
        return;
    }
    held_.erase(id);
    throw RequestError(code::StatementNotHeld,
                       "Statement " + std::to_string(id) + " is described anew: its parameter values change a column's type");
}

ReplyOut Statements::fetch(const Request& r) {
    Held& h = findOrRefuse(r.statement, 400);
    h.streams.clear();
    wire::ListWriter out(kMaxRequestBody);
    return withRows(out, h);
}

ReplyOut Statements::fetchStatic(const Request& r) {
    Held& h = findOrRefuse(r.statement, 400);
    if (!h.fixedRows) throw RequestError(400, "The statement has no static cursor");
    wire::ListReader reader(r.body);
    const std::int64_t target = wire::integerValue(reader.next()).value_or(1);
    const std::int64_t rowset = std::max<std::int64_t>(1, wire::integerValue(reader.next()).value_or(1));
    const auto n = static_cast<std::int64_t>(h.fixedRows->size());
    // 0 = the last rowset; a negative target counts from the end.
    const std::int64_t start = target > 0 ? target : target == 0 ? std::max<std::int64_t>(1, n - rowset + 1) : n + target + 1;
    const std::int64_t count = start < 1 || start > n ? 0 : std::min(rowset, n - start + 1);
    h.streams.clear();
    wire::ListWriter out(kMaxRequestBody);
    out.integer(start);
    out.integer(count);
    if (count > 0)
        h.fixedRows->writeRange(out, rowContext(h), static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
    return {static_cast<std::uint16_t>(count == 0 || start + count - 1 >= n ? 100 : 0), out.take()};
}

void Statements::close(const Request& r) {
    Held* h = find(r.statement);
    if (!h) return;
    if (r.code == "CS") return h->streams.closeOpen();
    h->rows.reset();
    h->fixedRows = nullptr;
    h->streams.clear();
    if (h->prepared) h->prepared->reset();
}

}  // namespace kesto::server::odbc
