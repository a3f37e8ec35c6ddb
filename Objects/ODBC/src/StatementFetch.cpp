// Rows out of the reply bytes: next row, bound columns, rowsets and the static cursor.
#include "Statement.h"

#include "AnsiText.h"
#include "Connection.h"
#include "Trace.h"
#include "ValueConverter.h"

namespace kesto::odbc {

int Statement::stepElement(const char* name) {
    reader->next();
    if (reader->atElement()) return 0;
    if (lastBatch) {
        flags |= EndOfData;
        return SQL_NO_DATA_FOUND;
    }
    beginRequest(isCall() ? "SF" : "FD");
    if (exchangeChecked(queryTimeout(), name, "Server returned error %d")) return -1;
    if (!reader->atElement()) {
        flags |= EndOfData;
        return SQL_NO_DATA_FOUND;
    }
    return 0;
}

int Statement::fetchMoreData() {
    onRow = false;
    if (flags & EndOfData) return SQL_NO_DATA_FOUND;
    while (columnPosition <= columnCount) {
        const int r = stepElement("FetchMoreData");
        if (r) return r < 0 ? -1 : SQL_NO_DATA_FOUND;
        ++columnPosition;
    }
    columnPosition = 1;
    dataColumn = 0;
    remainingPiece.clear();
    streamPending = false;
    streamHandle = 0;
    streamReference.clear();
    if (maxRows && rowCount == maxRows) {
        flags |= EndOfData;
        return SQL_NO_DATA_FOUND;
    }
    onRow = true;
    return 0;
}

int Statement::convertInto(const ColumnRecord& c, void* data, SQLLEN bufferLength, SQLLEN* length, SQLSMALLINT cType) {
    const Element& e = reader->current();
    if (connection->blobSupport && isLongType(c.sqlType)) {
        // The row holds a reference; the value comes from the server's stream.
        if (e.isNull()) {
            if (length) *length = SQL_NULL_DATA;
            return 0;
        }
        streamHandle = 0;
        reader->peekWideString(streamReference);
        const int r = retrieveStream(cType, bufferLength, data, length);
        return r < 0 ? INT32_MIN : 0;  // INT32_MIN: failure already stored
    }
    const int r = convertElement(e, {cType, c.sqlType, data, bufferLength, length});
    return r == -1 ? 7006 : r;  // no conversion for this pair: restricted data type
}

namespace {

// What went wrong with which column, for the error text.
std::string columnProblem(const Statement& s, std::size_t column, SQLSMALLINT cType, int result) {
    const ColumnRecord& c = s.columns[column - 1];
    return trace::format("Column %u (%s): ", unsigned(column), narrow(c.name).c_str()) +
           conversionProblem(s.reader->current(), cType, result);
}

// One row into the given places of the bound columns; advance moves them on to the next row.
int moveRow(Statement& s, const char* name, bool rowset, bool fetchAtEnd) {
    int result = 0;
    const std::size_t last = rowset && !fetchAtEnd ? s.columnCount : std::min(s.highestBound, s.columnCount);
    for (std::size_t col = 1; col <= last; ++col) {
        ColumnRecord& c = s.columns[col - 1];
        if (c.bound) {
            void* data = rowset ? static_cast<void*>(c.currentData) : c.data;
            SQLLEN* length = rowset ? c.currentLength : c.lengthPointer;
            const int r = s.convertInto(c, data, c.bufferLength, length, c.cType);
            if (r == INT32_MIN) return -1;  // stream failure, stored
            if (r == code::Truncated) {
                s.errorCode = code::Truncated;
                result = 1;
            } else if (r != 0) {
                s.failWith(r, columnProblem(s, col, c.cType, r));
                if (s.trace) trace::line(trace::Error, name, trace::format("Get* for column %u returned %d", unsigned(col), r));
                return -1;
            }
            if (rowset) {
                c.currentData += c.rowStride;
                if (c.currentLength) {
                    if (s.optionBits & RowWiseBinding)
                        c.currentLength = reinterpret_cast<SQLLEN*>(reinterpret_cast<char*>(c.currentLength) + c.rowStride);
                    else
                        ++c.currentLength;
                }
            }
        }
        if (fetchAtEnd) {
            if (s.stepElement(name) < 0) return -1;
        } else {
            s.reader->next();
        }
        ++s.columnPosition;
    }
    ++s.rowCount;
    return result;
}

}  // namespace

int Statement::processRow() { return moveRow(*this, "ProcessRow", false, true); }

int Statement::extendedFetchProcessRow() { return moveRow(*this, "ExtendedFetchProcessRow", true, true); }

void Statement::prepareRowset() {
    for (auto& c : columns) {
        c.currentData = static_cast<char*>(c.data);
        c.currentLength = c.lengthPointer;
        c.rowStride = (optionBits & RowWiseBinding) ? static_cast<SQLLEN>(rowSize) : c.bufferLength;
    }
}

SQLRETURN Statement::extendedFetch(SQLUSMALLINT fetchType, SQLLEN row, SQLULEN& fetched, SQLUSMALLINT* status) {
    fetched = 0;
    prepareRowset();
    int result = 0;
    if (isStatic()) {
        result = staticCursorFetch(fetchType, row, fetched);
        if (result < 0 || result == SQL_NO_DATA_FOUND) return static_cast<SQLRETURN>(result);
    } else {
        if (fetchType != SQL_FETCH_NEXT) return fail("SQLExtendedFetch", 468, "Fetch type out of range");
        while (fetched < rowsetSize) {
            const int r = fetchMoreData();
            if (r == SQL_NO_DATA_FOUND) {
                if (fetched > 0) break;
                return SQL_NO_DATA_FOUND;
            }
            if (r) {
                if (trace) trace::line(trace::Error, "SQLExtendedFetch", trace::format("Fetch returned %d", r));
                return SQL_ERROR;
            }
            const int p = extendedFetchProcessRow();
            if (p < 0) {
                if (trace) trace::line(trace::Error, "SQLExtendedFetch", trace::format("ExtendedFetchProcessRow returned %d", p));
                return SQL_ERROR;
            }
            if (p == 1) result = 1;
            ++fetched;
        }
    }
    if (status)
        for (SQLULEN i = 0; i < rowsetSize; ++i) status[i] = i < fetched ? SQL_ROW_SUCCESS : SQL_ROW_NOROW;
    return static_cast<SQLRETURN>(result);
}

int Statement::staticCursorFetch(SQLUSMALLINT fetchType, SQLLEN n, SQLULEN& fetched) {
    fetched = 0;
    const auto p = static_cast<SQLLEN>(staticPosition);
    const auto r = static_cast<SQLLEN>(rowsetSize);
    const bool atEnd = flags & EndOfData;
    SQLLEN target = n;
    switch (fetchType) {
    case SQL_FETCH_NEXT:
        if (atEnd) return SQL_NO_DATA_FOUND;
        target = p == 0 ? 1 : p + r;
        break;
    case SQL_FETCH_FIRST: target = 1; break;
    case SQL_FETCH_LAST: target = 0; break;
    case SQL_FETCH_PRIOR:
        if (p <= 1) return SQL_NO_DATA_FOUND;
        target = p > r ? p - r : 1;
        break;
    case SQL_FETCH_ABSOLUTE:
        if (n == 0) return SQL_NO_DATA_FOUND;
        break;
    case SQL_FETCH_RELATIVE:
        if (p == 0) {
            if (n <= 0) return SQL_NO_DATA_FOUND;
        } else if (atEnd) {
            if (n >= 0) return SQL_NO_DATA_FOUND;
        } else if (p == 1 && n < 0) {
            return SQL_NO_DATA_FOUND;
        } else if (p + n < 1) {
            if (-n > r) return SQL_NO_DATA_FOUND;
            target = 1;
        } else {
            target = p + n;
        }
        break;
    default: break;
    }
    if (target < INT32_MIN || target > INT32_MAX) return SQL_NO_DATA_FOUND;
    beginRequest("FX");
    connection->writer.writeInteger(static_cast<std::int32_t>(target));
    connection->writer.writeUnsigned(static_cast<std::uint32_t>(rowsetSize));
    if (exchangeChecked(queryTimeout(), "StaticCursorFetch", "Server returned error %d")) return -1;
    const std::int64_t position = reader->readInteger();
    reader->next();
    const std::int64_t rows = reader->readInteger();
    reader->next();
    if (rows < 0 || static_cast<SQLULEN>(rows) > rowsetSize) throw MalformedReply("rowset larger than asked for");
    fetched = static_cast<SQLULEN>(rows);
    if (rows == 0) {
        if (lastBatch) {
            flags |= EndOfData;
            return SQL_NO_DATA_FOUND;
        }
        return 0;
    }
    staticPosition = static_cast<std::uint32_t>(position);
    flags &= ~EndOfData;
    for (std::int64_t i = 0; i < rows; ++i) {
        columnPosition = 1;
        if (moveRow(*this, "SQLExtendedFetch", true, false) < 0) return -1;
    }
    return 0;
}

}  // namespace kesto::odbc
