// SQLGetData: unbound columns of the current row, in pieces, and long values from streams.
#include "Statement.h"

#include "AnsiText.h"
#include "Connection.h"
#include "ParameterEncoder.h"
#include "Trace.h"
#include "ValueConverter.h"

#include <cstring>

namespace kesto::odbc {

int Statement::retrieveStream(SQLSMALLINT cType, SQLLEN bufferLength, void* data, SQLLEN* length) {
    const char* name = "RetrieveStream";
    std::size_t room = 0;
    if (cType == SQL_C_CHAR) {
        room = bufferLength > 0 ? static_cast<std::size_t>(bufferLength - 1) : 0;
    } else if (cType == SQL_C_BINARY) {
        room = bufferLength > 0 ? static_cast<std::size_t>(bufferLength) : 0;
    } else {
        fail(name, code::Limit, "Can convert from SQL_LONGVARCHAR & SQL_LONGVARBINARY only to SQL_C_CHAR or SQL_C_BINARY");
        return -1;
    }
    if (!data) room = 0;
    connection->beginRequest("RS", statementId);
    RequestWriter& w = connection->writer;
    w.writeUnsigned(streamHandle);
    w.writeUnsigned(static_cast<std::uint32_t>(std::min<std::size_t>(room, 0x7FFFFFFF)));
    if (streamHandle == 0) writeWide(w, streamReference);
    if (const int r = connection->send(queryTimeout())) {
        fail(name, code::SendFailed, trace::format("Send returned %d", r));
        return -1;
    }
    ReplyReader& reply = connection->reader;
    const int r = connection->receive(queryTimeout(), reply, true);
    if (r == 403) {
        if (length) *length = SQL_NULL_DATA;
        errorCode = 0;
        streamHandle = 0;
        streamPending = false;
        return 0;
    }
    if (r) {
        fail(name, r, trace::format("Error in RetrieveStream: %d", r));
        return -1;
    }
    const std::uint32_t continuation = reply.rawU32(0);
    const std::uint32_t total = reply.rawU32(4);
    const std::size_t n = std::min<std::size_t>(total, room);
    if (reply.body().size() - 8 < n) throw MalformedReply("stream piece shorter than announced");
    if (n) std::memcpy(data, reply.body().data() + 8, n);
    if (cType == SQL_C_CHAR && data && bufferLength > 0) static_cast<char*>(data)[n] = '\0';
    if (length) *length = static_cast<SQLLEN>(total);
    streamHandle = continuation;
    streamPending = continuation != 0;
    if (streamPending) {
        errorCode = code::Truncated;
        return 1;
    }
    return 0;
}

namespace {

// The element's whole text as SQL_C_CHAR delivers it (for the pieces after the first).
std::string fullText(const Element& e, SQLSMALLINT sqlType, SQLLEN fullLength) {
    std::string text(static_cast<std::size_t>(std::max<SQLLEN>(fullLength, 0)) + 1, '\0');
    SQLLEN ignored = 0;
    convertElement(e, {SQL_C_CHAR, sqlType, text.data(), static_cast<SQLLEN>(text.size()), &ignored});
    text.resize(std::strlen(text.c_str()));
    return text;
}

}  // namespace

SQLRETURN Statement::getData(std::size_t column, SQLSMALLINT cType, void* data, SQLLEN bufferLength, SQLLEN* lengthOut) {
    const char* name = "GetData";
    ColumnRecord& c = columns[column - 1];
    cType = resolveCType(cType, c.sqlType);
    SQLLEN length = 0;
    int answer = 0;
    std::string problem;
    const bool pieces = cType == SQL_C_CHAR || cType == SQL_C_BINARY;
    const bool stream = connection->blobSupport && isLongType(c.sqlType);
    if (column > dataColumn) {
        while (columnPosition < column) {
            const int s = stepElement(name);
            if (s) return s < 0 ? SQL_ERROR : SQL_NO_DATA_FOUND;
            ++columnPosition;
        }
        dataColumn = columnPosition;
        remainingPiece.clear();
        streamPending = false;
        const Element& e = reader->current();
        if (pieces && stream) {
            if (e.isNull()) {
                length = SQL_NULL_DATA;
            } else {
                streamHandle = 0;
                reader->peekWideString(streamReference);
                answer = retrieveStream(cType, bufferLength, data, &length);
                if (answer < 0) return SQL_ERROR;
                if (answer == 1) answer = code::Truncated;
            }
        } else if (cType == SQL_C_CHAR) {
            const SQLLEN room = std::max<SQLLEN>(bufferLength, 1);
            answer = convertElement(e, {cType, c.sqlType, data, room, &length});
            if (answer == code::Truncated) {
                const std::string whole = fullText(e, c.sqlType, length);
                const std::size_t copied = data ? std::strlen(static_cast<const char*>(data)) : 0;
                if (copied < whole.size()) remainingPiece.assign(whole.begin() + static_cast<std::ptrdiff_t>(copied), whole.end());
            }
        } else if (cType == SQL_C_BINARY && !e.isNull()) {
            length = static_cast<SQLLEN>(e.length);
            const std::size_t room = bufferLength > 0 ? static_cast<std::size_t>(bufferLength) : 0;
            const std::size_t n = bufferLength < 2 ? 0 : std::min(room, e.length);
            if (n && data) std::memcpy(data, e.data, n);
            if (n < e.length) remainingPiece.assign(e.data + n, e.data + e.length);
            answer = (bufferLength >= 2 && n < e.length) ? code::Truncated : 0;
        } else {
            answer = convertElement(e, {cType, c.sqlType, data, bufferLength, &length});
            if (answer == -1) answer = 7006;
        }
        if (answer != 0 && answer != code::Truncated)
            problem = trace::format("Column %u (%s): ", unsigned(column), narrow(c.name).c_str()) +
                      conversionProblem(e, cType, answer);
        if (stepElement(name) < 0) return SQL_ERROR;
        ++columnPosition;
    } else {
        if (remainingPiece.empty() && !streamPending) {
            if (trace) trace::line(trace::Error, name, trace::format("All data for this column already retreived (col = %u)", unsigned(column)));
            return SQL_NO_DATA_FOUND;
        }
        if (!pieces) {
            if (trace)
                trace::line(trace::Error, name,
                            trace::format("Piece-wise retrieval can only be used for SQL_C_CHAR or SQL_C_BINARY (col = %u)", unsigned(column)));
            return SQL_NO_DATA_FOUND;
        }
        if (streamPending) {
            answer = retrieveStream(cType, bufferLength, data, &length);
            if (answer < 0) return SQL_ERROR;
            if (answer == 1) answer = code::Truncated;
        } else {
            length = static_cast<SQLLEN>(remainingPiece.size());
            const std::size_t minimum = cType == SQL_C_CHAR ? 2 : 1;
            if (bufferLength >= static_cast<SQLLEN>(minimum) && data) {
                const std::size_t room = static_cast<std::size_t>(bufferLength) - (cType == SQL_C_CHAR ? 1 : 0);
                const std::size_t n = std::min(room, remainingPiece.size());
                std::memcpy(data, remainingPiece.data(), n);
                if (cType == SQL_C_CHAR) static_cast<char*>(data)[n] = '\0';
                remainingPiece.erase(remainingPiece.begin(), remainingPiece.begin() + static_cast<std::ptrdiff_t>(n));
            }
            answer = remainingPiece.empty() ? 0 : code::Truncated;
        }
    }
    if (lengthOut) *lengthOut = length;
    if (answer == code::Truncated) {
        errorCode = code::Truncated;
        answer = SQL_SUCCESS_WITH_INFO;
    } else if (answer != 0) {
        if (problem.empty()) errorCode = answer;
        else failWith(answer, std::move(problem));
        if (trace) trace::line(trace::Error, name, trace::format("Get* for column %u returned %d", unsigned(column), answer));
        return SQL_ERROR;
    }
    if (trace && length != SQL_NULL_DATA && data) trace::value(data, cType, c.name);
    return static_cast<SQLRETURN>(answer);
}

}  // namespace kesto::odbc
