// The statement requests of one connection: execution, prepared statements by the
// client's statement id, cursors, long values and catalog results.
#pragma once

#include <odbc/Link.h>
#include "Procedures.h"
#include "Replies.h"
#include "Results.h"

#include <model/Database.h>
#include <wire/List.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kesto::server::odbc {

struct ReplyOut {
    std::uint16_t code = 0;
    std::string body;
};

class Statements {
public:
    // Statement ids held at most; the least recently used one is forgotten beyond this.
    static constexpr std::size_t kMaxStatements = 256;
    // Bytes of long parameter data (SB/SM) a connection may hold at once.
    static constexpr std::size_t kMaxUploadBytes = 256u * 1024u * 1024u;

    // `beginWork` runs before a statement touches data (opens a transaction when
    // autocommit is off).
    Statements(model::Database& db, std::function<void()> beginWork);

    void setEncoding(const Encoding& e) { encoding_ = e; }
    void setBatchLimits(const BatchLimits& limits) { limits_ = limits; }
    // A read-only connection runs only statements that do not write.
    void setReadOnly(bool on) { readOnly_ = on; }
    // Bytes of result rows the connection's statements hold at once; 0 = no limit.
    void setResultLimit(std::size_t bytes) { budget_.limit = bytes; }
    std::size_t heldStatements() const { return held_.size(); }

    // True for the requests this class answers.
    static bool handles(const std::string& code);
    // The reply, or nullopt for the requests that get none (CC, CS). Failures come back as
    // replies with their code; `failure` gets the text for OE.
    std::optional<ReplyOut> handle(const Request& request, Failure& failure);

private:
    struct Held {
        std::string sql;  // for SQLite
        int markers = 0;
        bool query = false;
        bool writes = false;
        std::optional<model::Statement> prepared;
        std::vector<ColumnInfo> columns;
        // Storage classes of the parameter values `columns` were described with (none before
        // any value was known).
        std::vector<int> describedWith;
        std::vector<ParameterInfo> parameters;
        const Procedure* procedure = nullptr;
        std::unique_ptr<ResultRows> rows;
        StaticRows* fixedRows = nullptr;  // rows when they are held (static cursor)
        StreamStore streams;
        std::uint64_t lastUse = 0;
    };

    Held& create(std::uint32_t id);
    Held* find(std::uint32_t id);
    Held& findOrRefuse(std::uint32_t id, std::uint16_t code);
    void prepareText(Held& h, std::string_view text, bool query);
    void prepareProcedure(Held& h, std::string_view name);
    std::string readText(const wire::Element& e) const;
    std::vector<std::vector<model::Value>> readSets(wire::ListReader& reader, const Held& h, std::size_t perSet);

    ReplyOut executeDirect(const Request& r);
    ReplyOut prepare(const Request& r);
    ReplyOut executePrepared(const Request& r);
    ReplyOut callDirect(const Request& r);
    ReplyOut prepareCall(const Request& r);
    ReplyOut callPrepared(const Request& r);
    ReplyOut catalog(const Request& r);
    ReplyOut fetch(const Request& r);
    ReplyOut fetchStatic(const Request& r);
    ReplyOut readStream(const Request& r);
    ReplyOut upload(const Request& r);
    void close(const Request& r);

    // Runs a query for its rows; non-queries give the summed row count.
    void runQuery(Held& h, const std::vector<std::vector<model::Value>>& sets, bool holdRows, bool describe);
    std::int64_t runUpdate(Held& h, const std::vector<std::vector<model::Value>>& sets);
    // Procedure: result rows or row count, and the return value.
    std::int64_t runCall(Held& h, const std::vector<std::vector<model::Value>>& sets, model::Value& returned);
    void writeOutputValues(wire::ListWriter& out, const Held& h, const model::Value& returned);
    // The reply: `out` and the next batch of the current rows; code 100 when it is the last.
    ReplyOut withRows(wire::ListWriter& out, Held& h);
    // Procedures: flags, column and parameter descriptions; then output values and rows or count.
    void writeCallDescription(wire::ListWriter& out, const Held& h);
    ReplyOut callResult(wire::ListWriter& out, Held& h, const model::Value& returned, std::int64_t count);
    // The uploaded value an element names by its handle, taken out of the uploads.
    std::optional<model::Value> uploadedValue(const wire::Element& e);
    void refuseUnreadable(const Held& h, std::size_t parameter, const model::Value& value) const;
    void bindSet(model::Statement& st, const std::vector<model::Value>& set);
    RowContext rowContext(Held& h) { return {encoding_, &h.streams}; }
    void refuseWrites(const model::Statement& st) const;
    // A query described before its values were known, whose values change a column's type, is
    // forgotten (404): the client sends it again as text and reads the description it holds.
    void forgetIfRedescribed(std::uint32_t id, Held& h, const std::vector<model::Value>& set);

    model::Database& db_;
    std::function<void()> beginWork_;
    Encoding encoding_;
    BatchLimits limits_;
    bool readOnly_ = false;
    // Before the held statements: their rows give their bytes back to it when they go.
    ResultBudget budget_;
    std::map<std::uint32_t, std::unique_ptr<Held>> held_;
    std::uint64_t clock_ = 0;
    // Long parameter data by handle; used by the next execution that names the handle.
    struct Upload {
        std::string bytes;
        bool binary = false;
    };
    std::map<std::uint32_t, Upload> uploads_;
    // Handles start high, so that an ordinary small number is not taken for one.
    std::uint32_t nextUpload_ = 0x3FFFFFFF;
    std::size_t uploadBytes_ = 0;
};

}  // namespace kesto::server::odbc
