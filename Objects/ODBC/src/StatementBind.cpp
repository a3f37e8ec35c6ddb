// Column and parameter bindings, description replies, and the end of a statement.
#include "Statement.h"

#include "Connection.h"
#include "Trace.h"

namespace kesto::odbc {
namespace {

// The integer under the cursor, stepping past it.
std::int64_t take(ReplyReader& r) {
    const std::int64_t v = r.readInteger();
    r.next();
    return v;
}

void clearBinding(ColumnRecord& c) {
    c.cType = 0;
    c.bufferLength = 0;
    c.data = nullptr;
    c.lengthPointer = c.currentLength = nullptr;
    c.currentData = nullptr;
    c.rowStride = 0;
    c.bound = false;
}

}  // namespace

void Statement::bindColumn(std::size_t column, SQLSMALLINT cType, void* data, SQLLEN bufferLength, SQLLEN* length) {
    if (column > columns.size()) columns.resize(column);
    ColumnRecord& c = columns[column - 1];
    if (!data) {
        clearBinding(c);
        if (highestBound == column) highestBound = column - 1;
        return;
    }
    c.data = data;
    c.cType = resolveCType(cType, c.sqlType);
    c.lengthPointer = length;
    c.bufferLength = fixedSize(c.cType, bufferLength);
    c.bound = true;
    if (column > highestBound) highestBound = column;
}

ParameterRecord* Statement::applicationParameter(std::size_t n) {
    std::size_t seen = 0;
    for (auto& p : parameters)
        if (p.isApplication() && ++seen == n) return &p;
    return nullptr;
}

void Statement::bindParameter(std::size_t number, SQLSMALLINT parameterType, SQLSMALLINT cType, SQLSMALLINT sqlType,
                              SQLULEN columnSize, SQLSMALLINT scale, void* data, SQLLEN bufferLength, SQLLEN* length) {
    std::size_t own = 0;
    for (const auto& p : parameters) own += p.isApplication();
    for (; own < number; ++own) parameters.push_back({});
    ParameterRecord& p = *applicationParameter(number);
    p.data = p.boundData = data;
    p.lengthPointer = p.currentLength = length;
    p.sqlType = sqlType;
    p.columnSize = columnSize;
    p.scale = scale;
    p.cType = resolveCType(cType, sqlType);
    p.elementSize = fixedSize(p.cType, bufferLength);
    p.suppliedLength = 0;
    p.supplied.clear();
    p.flags = ParamBound;
    if (parameterType == SQL_PARAM_INPUT) p.flags |= ParamInput;
    else if (parameterType == SQL_PARAM_INPUT_OUTPUT) p.flags |= ParamInput | ParamOutput;
    else if (parameterType == SQL_PARAM_OUTPUT) p.flags |= ParamOutput;
    if (trace && data && length && *length != SQL_DEFAULT_PARAM && *length != SQL_DATA_AT_EXEC && *length != SQL_NULL_DATA)
        trace::value(data, p.cType, u"Value");
}

int Statement::validateParameters() {
    if (parameters.size() < markerCount) {
        errorCode = 7001;
        if (trace) trace::line(trace::Error, "ValidateParameters", "Wrong number of parameters");
        return -1;
    }
    int result = 0;
    for (std::size_t i = 0; i < markerCount; ++i) {
        ParameterRecord& p = parameters[i];
        if (!p.isApplication()) continue;
        if (!(p.flags & ParamBound)) {
            errorCode = 7001;
            if (trace) trace::line(trace::Error, "ValidateParameters", "Not all parameters bound");
            return -1;
        }
        const SQLLEN length = p.lengthPointer ? *p.lengthPointer : SQL_NTS;
        if (length == SQL_DATA_AT_EXEC || length <= SQL_LEN_DATA_AT_EXEC_OFFSET) {
            p.flags |= ParamDataPending;
            result = SQL_NEED_DATA;
        }
    }
    return result;
}

void Statement::readColumnDescriptions() {
    ReplyReader& r = *reader;
    columnCount = static_cast<std::size_t>(std::max<std::int64_t>(0, take(r)));
    if (columnCount > 32767) throw MalformedReply("column count out of range");
    if (columns.size() < columnCount) columns.resize(columnCount);
    for (std::size_t i = 0; i < columnCount; ++i) {
        ColumnRecord& c = columns[i];
        r.readWideString(c.name);
        c.sqlType = static_cast<SQLSMALLINT>(take(r));
        c.precision = static_cast<SQLULEN>(std::max<std::int64_t>(0, take(r)));
        c.scale = static_cast<SQLSMALLINT>(take(r));
        c.nullable = static_cast<SQLSMALLINT>(take(r));
        r.readWideString(c.label);
        r.readWideString(c.tableName);
        // A default C type bound before the description is resolved now.
        if (c.bound && c.cType == -1) c.cType = resolveCType(SQL_C_DEFAULT, c.sqlType);
    }
}

void Statement::readParameterDescriptions() {
    ReplyReader& r = *reader;
    const std::int64_t n = take(r);
    if (n < 0 || n > 65535) throw MalformedReply("parameter count out of range");
    const auto count = static_cast<std::size_t>(n);
    while (parameters.size() < count) parameters.push_back({});
    for (std::size_t i = 0; i < count; ++i) {
        ParameterRecord& p = parameters[i];
        p.sqlType = static_cast<SQLSMALLINT>(take(r));
        p.columnSize = static_cast<SQLULEN>(std::max<std::int64_t>(0, take(r)));
        p.scale = static_cast<SQLSMALLINT>(take(r));
        p.nullable = static_cast<SQLSMALLINT>(take(r));
    }
}

void Statement::unbindColumns() {
    for (auto& c : columns)
        if (c.bound) clearBinding(c);
    highestBound = 0;
}

void Statement::resetParameters() {
    for (auto& p : parameters) {
        if (!p.isApplication()) continue;
        p.cType = 0;
        p.data = nullptr;
        p.boundData = nullptr;
        p.elementSize = 0;
        p.lengthPointer = p.currentLength = nullptr;
        p.flags = 0;
        p.suppliedLength = 0;
        p.supplied.clear();
    }
}

void Statement::releaseStoreClaim() {
    if (connection && statementId) connection->preparedStore.release(statementId);
}

SQLRETURN Statement::releaseStatement() {
    releaseStoreClaim();
    if (const SQLRETURN r = close(); r != SQL_SUCCESS) return r;
    kind = kind::None;
    columnCount = markerCount = highestBound = 0;
    parameterSets = 1;
    processedSets = nullptr;
    columns.clear();
    parameters.clear();
    return SQL_SUCCESS;
}

}  // namespace kesto::odbc
