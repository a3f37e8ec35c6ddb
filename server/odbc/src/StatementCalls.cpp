// Procedure calls, catalog requests and long data of the statement requests.
#include "Catalog.h"
#include "Statements.h"

#include <sqlite3.h>

namespace kesto::server::odbc {

void Statements::prepareProcedure(Held& h, std::string_view name) {
    const Procedure* p = findProcedure(name);
    if (!p) throw RequestError(400, "Procedure " + std::string(name) + " does not exist");
    h.procedure = p;
    h.prepared.emplace(db_.prepare(p->sql));
    h.markers = static_cast<int>(p->arguments.size());
    h.parameters.clear();
    if (p->returns) h.parameters.push_back({*p->returns, 1});
    for (const ProcedureArgument& a : p->arguments) h.parameters.push_back({a.type, 1});
    h.query = p->resultSet;
    if (p->resultSet) h.columns = describeColumns(db_.handle(), *h.prepared, false);
}

std::int64_t Statements::runCall(Held& h, const std::vector<std::vector<model::Value>>& sets, model::Value& returned) {
    if (h.procedure->resultSet) {
        runQuery(h, sets, false, false);
        return 0;
    }
    if (!h.procedure->returns) return runUpdate(h, sets);
    refuseWrites(*h.prepared);
    h.rows.reset();
    for (const auto& set : sets) {
        bindSet(*h.prepared, set);
        if (h.prepared->step()) returned = h.prepared->column(0);
        while (h.prepared->step()) {
        }
    }
    h.prepared->reset();
    return 0;
}

void Statements::writeOutputValues(wire::ListWriter& out, const Held& h, const model::Value& returned) {
    // The return value first, then one element per argument (none of them is an output).
    if (h.procedure->returns) {
        const LongValueSink noLongValues = [](const Cell&, int) -> std::string {
            throw RequestError(400, "A long return value is not supported");
        };
        writeCell(out, cellOf(returned), *h.procedure->returns, encoding_, noLongValues);
    } else {
        writeNull(out);
    }
    for (std::size_t i = 0; i < h.procedure->arguments.size(); ++i) writeNull(out);
}

ReplyOut Statements::callDirect(const Request& r) {
    wire::ListReader reader(r.body);
    const std::string name = readText(reader.next());
    Held& h = create(r.statement);
    prepareProcedure(h, name);
    const auto sets = readSets(reader, h, h.procedure->arguments.size());
    beginWork_();
    model::Value returned;
    const std::int64_t count = runCall(h, sets, returned);
    wire::ListWriter out(kMaxRequestBody);
    writeCallDescription(out, h);
    return callResult(out, h, returned, count);
}

void Statements::writeCallDescription(wire::ListWriter& out, const Held& h) {
    const int flags = procedureFlags(*h.procedure);
    out.integer(flags);
    if (flags & 1) writeColumnDescriptions(out, h.columns, encoding_);
    writeParameterDescriptions(out, h.parameters);
}

ReplyOut Statements::callResult(wire::ListWriter& out, Held& h, const model::Value& returned, std::int64_t count) {
    if (procedureFlags(*h.procedure) > 1) writeOutputValues(out, h, returned);
    if (h.procedure->resultSet) return withRows(out, h);
    out.integer(count);
    return {0, out.take()};
}

ReplyOut Statements::prepareCall(const Request& r) {
    wire::ListReader reader(r.body);
    const std::string name = readText(reader.next());
    Held& h = create(r.statement);
    prepareProcedure(h, name);
    wire::ListWriter out(kMaxRequestBody);
    writeCallDescription(out, h);
    return {0, out.take()};
}

ReplyOut Statements::callPrepared(const Request& r) {
    Held& h = findOrRefuse(r.statement, code::StatementNotHeld);
    if (!h.procedure) throw RequestError(400, "Statement is not a procedure call");
    wire::ListReader reader(r.body);
    const auto sets = readSets(reader, h, h.procedure->arguments.size());
    beginWork_();
    model::Value returned;
    const std::int64_t count = runCall(h, sets, returned);
    wire::ListWriter out(kMaxRequestBody);
    return callResult(out, h, returned, count);
}

ReplyOut Statements::catalog(const Request& r) {
    wire::ListReader reader(r.body);
    if (!reader.atEnd()) reader.next();  // the integer 1
    std::vector<std::string> args;
    while (const auto e = reader.tryNext()) {
        if (e->undefined) break;
        args.push_back(readText(*e));
    }
    Held& h = create(r.statement);
    h.rows = runCatalog(db_.handle(), r.code, args);
    wire::ListWriter out(kMaxRequestBody);
    out.integer(1);
    writeColumnDescriptions(out, h.rows->columns(), encoding_);
    out.integer(0);
    return withRows(out, h);
}

ReplyOut Statements::readStream(const Request& r) {
    Held& h = findOrRefuse(r.statement, 400);
    wire::ListReader reader(r.body);
    const std::int64_t handle = wire::integerValue(reader.next()).value_or(-1);
    const std::int64_t wanted = wire::integerValue(reader.next()).value_or(-1);
    if (handle < 0 || handle > 0x7FFFFFFF || wanted < 0 || wanted > 0x7FFFFFFF) throw wire::FormatError("bad stream request");
    const std::string reference = handle == 0 ? readText(reader.next()) : std::string();
    const StreamStore::Piece piece =
        h.streams.read(static_cast<std::uint32_t>(handle), static_cast<std::uint32_t>(wanted), reference);
    if (!piece.found) throw RequestError(400, "Unknown stream " + (handle ? std::to_string(handle) : reference));
    if (piece.null) return {code::ValueIsNull, {}};
    std::string body;
    for (std::uint32_t v : {piece.continuation, piece.length})
        for (int i = 0; i < 4; ++i) body.push_back(static_cast<char>(v >> (8 * i)));
    body += piece.data;
    return {0, std::move(body)};
}

ReplyOut Statements::upload(const Request& r) {
    if (r.body.size() < 4) throw wire::FormatError("stream chunk without a handle");
    std::uint32_t handle = 0;
    for (int i = 0; i < 4; ++i) handle |= static_cast<std::uint32_t>(static_cast<unsigned char>(r.body[i])) << (8 * i);
    const std::size_t size = r.body.size() - 4;
    if (uploadBytes_ + size > kMaxUploadBytes) throw RequestError(400, "Too much long data for one execution");
    if (handle == 0) {
        nextUpload_ = nextUpload_ >= 0x7FFFFFFFu ? 0x40000000u : nextUpload_ + 1;
        handle = nextUpload_;
        uploads_[handle] = {{}, r.code == "SB"};
    }
    const auto it = uploads_.find(handle);
    if (it == uploads_.end()) throw RequestError(400, "Unknown stream handle " + std::to_string(handle));
    it->second.bytes.append(r.body, 4, size);
    uploadBytes_ += size;
    return {0, wire::encodeInteger(handle)};
}

}  // namespace kesto::server::odbc
