// Execute direct, prepare and execute: the requests that send a statement and read what the
// server says about it.
#include "Statement.h"

#include "Connection.h"
#include "ParameterEncoder.h"
#include "SqlPreprocessor.h"
#include "Trace.h"

namespace kesto::odbc {
namespace {

bool isClientOption(int k) { return k >= 6 && k <= 9; }

}  // namespace

void Statement::clearRunState() {
    hasResultSet = outputPresent = false;
    errorCode = 0;
    lastBatch = false;
    rowCount = 0;
    columnPosition = dataColumn = 0;
    remainingPiece.clear();
    streamPending = false;
    streamHandle = 0;
    dataAtExecPosition = lastPutParameter = 0;
    for (auto& c : columns) c.rowStride = 0;
    flags &= Prepared;
    onRow = false;
    staticPosition = 0;
}

void Statement::startStatement(std::u16string_view text) {
    releaseStoreClaim();
    std::erase_if(parameters, [](const ParameterRecord& p) { return !p.isApplication() || !(p.flags & ParamBound); });
    clearRunState();
    PreprocessedSql pp = preprocessSql(text, connection->delimitedIdentifiers != 0, parameters);
    sqlText = std::move(pp.text);
    kind = static_cast<int>(pp.kind);
    markerCount = pp.markerCount;
}

void Statement::beginRequest(std::string_view requestCode) { connection->beginRequest(requestCode, statementId); }

int Statement::exchangeChecked(Timeout timeout, const char* name, const char* errorFormat) {
    const int r = exchange(timeout);
    if (r < 0) return -1;
    if (r == code::EndOfData) {
        lastBatch = true;
    } else if (r != 0) {
        errorCode = r;
        if (trace) trace::line(trace::Error, name, trace::format(errorFormat, r));
        return -1;
    }
    return 0;
}

int Statement::exchange(Timeout timeout) {
    if (const int r = connection->send(timeout)) {
        if (trace) trace::line(trace::Error, "Send", trace::format("Send returned %d", r));
        errorCode = code::SendFailed;
        return -1;
    }
    // While the reply is awaited, SQLCancel on another thread may stop the statement.
    connection->busyStatement.store(statementId);
    const int r = connection->receive(timeout, *reader);
    connection->busyStatement.store(0);
    return r;
}

void Statement::readResultFlags(const ReplyReader& r) {
    const std::int64_t f = r.readInteger();
    reader->next();
    hasResultSet = (f & 1) != 0;
    outputPresent = f > 1;
}

void Statement::addPreparedEntry() {
    connection->preparedStore.add({sqlText, reader->body(), statementId, true});
}

bool Statement::takePreparedEntry(bool procedure) {
    PreparedEntry* e = connection->preparedStore.claim(sqlText);
    if (!e) return false;
    reader->start(e->reply);
    if (procedure) readResultFlags(*reader);
    if (hasResultSet) readColumnDescriptions();
    readParameterDescriptions();
    statementId = e->statementId;
    return true;
}

namespace {

// Reads what follows the descriptions of an execute reply: the first rows or the row count.
void readRowsOrCount(Statement& s, bool staticRows) {
    if (s.hasResultSet) {
        if (staticRows || s.reader->atElement()) s.columnPosition = s.columnCount + 1;
        else s.flags |= EndOfData;
    } else {
        s.rowCount = static_cast<SQLULEN>(std::max<std::int64_t>(0, s.reader->readInteger()));
    }
}

}  // namespace

static SQLRETURN withTruncation(Statement& s, int written) {
    if (written == 1) {
        s.errorCode = code::Truncated;
        return SQL_SUCCESS_WITH_INFO;
    }
    return SQL_SUCCESS;
}

// DQ/DX/DU or DS with the text, the set count and the values; then the reply. Used by execute
// direct and by the re-execution after the server dropped a prepared statement.
static SQLRETURN sendDirect(Statement& s) {
    const bool procedure = s.isCall();
    const char* name = procedure ? "StoredProcedureExecuteDirect" : "ExecuteDirect";
    s.flags &= ~EndOfData;
    s.statementId = ++s.connection->statementIdCounter;
    s.beginRequest(procedure ? "DS" : s.kind == kind::Query ? (s.isStatic() ? "DX" : "DQ") : "DU");
    RequestWriter& w = s.connection->writer;
    if (writeWide(w, s.sqlText)) return s.fail(name, code::Limit, "Error writing parameters onto the wire");
    w.writeUnsigned(static_cast<std::uint32_t>(s.parameterSets));
    const int written = s.writeParameters(procedure, procedure ? "StoredProcedureWriteParameters" : "WriteParameters");
    if (written < 0) return SQL_ERROR;
    if (s.exchangeChecked(s.queryTimeout(), name, "Server returned error %d")) return SQL_ERROR;
    if (procedure) {
        s.readResultFlags(*s.reader);
        if (s.hasResultSet) s.readColumnDescriptions();
        s.readParameterDescriptions();
        if (s.readOutputParameters() < 0) {
            if (s.trace) trace::line(trace::Error, name, "Error retrieving output parameters");
            return SQL_ERROR;
        }
        readRowsOrCount(s, false);
    } else {
        if (s.hasResultSet) s.readColumnDescriptions();
        s.readParameterDescriptions();
        readRowsOrCount(s, s.isStatic());
    }
    s.addPreparedEntry();
    s.flags |= Prepared | Executed;
    return withTruncation(s, written);
}

SQLRETURN Statement::executeDirect(std::u16string_view text) {
    startStatement(text);
    if (kind == kind::Query) hasResultSet = true;
    if (isClientOption(kind)) {
        flags |= Prepared;
        if (kind == kind::BlobSupportOff) connection->blobSupport = false;
        if (kind == kind::BlobSupportOn) connection->blobSupport = true;
        flags |= Executed;
        return SQL_SUCCESS;
    }
    if (markerCount > 0) {
        const int v = validateParameters();
        if (v == SQL_NEED_DATA) {
            if (const SQLRETURN r = prepare(text); r != SQL_SUCCESS) return r;
            flags |= NeedData;
            return SQL_NEED_DATA;
        }
        if (v != 0) {
            if (trace) trace::line(trace::Error, "ExecuteDirect", trace::format("ValidateParameters returned %d", v));
            return SQL_ERROR;
        }
    }
    if (takePreparedEntry(isCall())) {
        flags |= Prepared;
        return execute();
    }
    return sendDirect(*this);
}

SQLRETURN Statement::prepare(std::u16string_view text) {
    startStatement(text);
    if (kind == kind::Query) hasResultSet = true;
    if (isClientOption(kind)) {
        flags |= Prepared;
        return SQL_SUCCESS;
    }
    const bool procedure = isCall();
    const char* name = procedure ? "PrepareStoredProcedure" : "Prepare";
    if (takePreparedEntry(procedure)) {
        flags |= Prepared;
        return SQL_SUCCESS;
    }
    statementId = ++connection->statementIdCounter;
    beginRequest(procedure ? "SP" : "PP");
    if (writeWide(connection->writer, sqlText)) return fail(name, code::Limit, "Error writing parameters onto the wire");
    if (exchangeChecked(queryTimeout(), name, procedure ? "Error in PrepareStoredProcedure: %d" : "Error in Prepare: %d"))
        return SQL_ERROR;
    if (procedure) readResultFlags(*reader);
    if (hasResultSet) readColumnDescriptions();
    readParameterDescriptions();
    addPreparedEntry();
    flags |= Prepared;
    return SQL_SUCCESS;
}

SQLRETURN Statement::execute() {
    flags &= ~EndOfData;
    // A new execution starts a new result, whatever the last one left behind.
    lastBatch = false;
    rowCount = 0;
    columnPosition = dataColumn = 0;
    lastPutParameter = 0;
    onRow = false;
    staticPosition = 0;
    if (isClientOption(kind)) {
        if (kind == kind::BlobSupportOff) connection->blobSupport = false;
        if (kind == kind::BlobSupportOn) connection->blobSupport = true;
        flags |= Executed;
        return SQL_SUCCESS;
    }
    const bool procedure = isCall();
    if (procedure) beginRequest(hasResultSet ? "SQ" : "SU");
    else beginRequest(hasResultSet ? (isStatic() ? "EX" : "PQ") : "PU");
    connection->writer.writeUnsigned(static_cast<std::uint32_t>(parameterSets));
    const int written = writeParameters(procedure, procedure ? "StoredProcedureWriteParameters" : "WriteParameters");
    if (written < 0) return SQL_ERROR;
    const int r = exchange(queryTimeout());
    if (r < 0) return SQL_ERROR;
    if (r == 404) {
        // The server no longer holds the statement: send the text again under a new id.
        connection->preparedStore.remove(sqlText, statementId);
        if (kind == kind::Query) hasResultSet = true;
        return sendDirect(*this);
    }
    if (r == code::EndOfData) {
        lastBatch = true;
    } else if (r != 0) {
        errorCode = r;
        if (trace) trace::line(trace::Error, "Execute", trace::format("Server returned error %d", r));
        return SQL_ERROR;
    }
    flags |= Executed;
    if (procedure && readOutputParameters() < 0) {
        if (trace) trace::line(trace::Error, "Execute", "Error retrieving output parameters");
        return SQL_ERROR;
    }
    readRowsOrCount(*this, isStatic() && !procedure);
    return withTruncation(*this, written);
}

}  // namespace kesto::odbc
