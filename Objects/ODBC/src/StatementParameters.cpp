// Parameter values on the wire: every set, long values as streams, data at execution, and
// the output values of procedure calls.
#include "Statement.h"

#include "Connection.h"
#include "ParameterEncoder.h"
#include "Trace.h"
#include "ValueConverter.h"

#include <odbclink/Protocol.h>

#include <cstdlib>
#include <cstring>

namespace kesto::odbc {
namespace {

constexpr const char* kLongConversion =
    "Can convert from SQL_LONGVARCHAR & SQL_LONGVARBINARY only to SQL_C_CHAR or SQL_C_BINARY";

// Long values go in chunks that fit the shared-memory data area with their header.
constexpr std::size_t kChunk = 1024 * 1024 - 64;

bool isCharOrBinary(SQLSMALLINT cType) { return cType == SQL_C_CHAR || cType == SQL_C_BINARY; }

// Byte count of a value the application gives with a length (SQL_NTS measured).
std::size_t byteCount(const void* value, SQLLEN length, SQLSMALLINT cType, SQLLEN elementSize) {
    if (!isCharOrBinary(cType)) return static_cast<std::size_t>(fixedSize(cType, elementSize));
    if (length == SQL_NTS) return value ? std::strlen(static_cast<const char*>(value)) : 0;
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

// The value as the message shows it: dates and times in their text form, numbers, short texts.
std::string shownValue(const void* value, SQLLEN length, SQLSMALLINT cType) {
    if (!value) return {};
    switch (cType) {
    case SQL_C_DATE: {
        const auto& d = *static_cast<const DATE_STRUCT*>(value);
        return trace::format("%04d-%02u-%02u", d.year, d.month, d.day);
    }
    case SQL_C_TIME: {
        const auto& t = *static_cast<const TIME_STRUCT*>(value);
        return trace::format("%02u:%02u:%02u", t.hour, t.minute, t.second);
    }
    case SQL_C_TIMESTAMP: {
        const auto& t = *static_cast<const TIMESTAMP_STRUCT*>(value);
        return trace::format("%04d-%02u-%02u %02u:%02u:%02u", t.year, t.month, t.day, t.hour, t.minute, t.second);
    }
    case SQL_C_DOUBLE: return trace::format("%.15g", *static_cast<const double*>(value));
    case SQL_C_FLOAT: return trace::format("%.7g", static_cast<double>(*static_cast<const float*>(value)));
    case SQL_C_CHAR: {
        const std::size_t n = length == SQL_NTS ? std::strlen(static_cast<const char*>(value)) : length > 0 ? static_cast<std::size_t>(length) : 0;
        return "'" + std::string(static_cast<const char*>(value), std::min<std::size_t>(n, 40)) + (n > 40 ? "...'" : "'");
    }
    default: return {};
    }
}

// What the user reads when a bound value cannot be sent: which parameter, which value, why.
std::string conversionMessage(std::size_t number, const ParameterRecord& p, const void* value, SQLLEN length, int result) {
    const auto n = static_cast<unsigned>(number);
    if (p.cType == SQL_C_WCHAR)
        return trace::format("Parameter %u: wide-character values (SQL_C_WCHAR) are not supported; bind the text as "
                             "SQL_C_CHAR in ISO-8859-1 (pyodbc: setencoding(encoding='latin-1'))", n);
    const std::string shown = shownValue(value, length, p.cType);
    const std::string what = shown.empty() ? "the value" : "the value " + shown;
    switch (result) {
    case code::DateTime:
        return trace::format("Parameter %u: %s is not a valid date or time (years 1841 to 9999)", n, what.c_str());
    case code::OutOfRange:
        return trace::format("Parameter %u: %s is out of range for SQL type %d", n, what.c_str(), p.sqlType);
    case code::Assignment:
        return trace::format("Parameter %u: %s is not a number, as SQL type %d needs", n, what.c_str(), p.sqlType);
    case code::Limit:
        return trace::format("Parameter %u: %s is too long for one value; bind it as SQL_LONGVARCHAR or "
                             "SQL_LONGVARBINARY to send it in parts", n, what.c_str());
    default:
        return trace::format("Parameter %u: a value of C type %s cannot be sent as SQL type %d", n, cTypeName(p.cType),
                             p.sqlType);
    }
}

// A long value sent before in chunks is named by its handle, written as an integer element
// of five bytes (a zero high byte): no value is written so, so a number equal to a handle
// stays a number.
void writeStreamHandle(RequestWriter& w, std::uint32_t handle) {
    std::uint8_t bytes[odbc::protocol::kStreamHandleBytes] = {};
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(handle >> (8 * i));
    w.writeElement(4, bytes, sizeof bytes);
}

}  // namespace

int Statement::sendChunk(SQLSMALLINT sqlType, const void* data, std::size_t length, const char* name) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(kChunk, length - at);
        const int r = connection->sideExchange(sqlType == SQL_LONGVARBINARY ? "SB" : "SM", statementId, streamHandle,
                                               bytes ? bytes + at : nullptr, n, queryTimeout());
        if (r) {
            errorCode = r;
            if (trace) trace::line(trace::Error, name, trace::format("Error in %s: %d", name, r));
            return -1;
        }
        streamHandle = static_cast<std::uint32_t>(connection->reader.readInteger());
        at += n;
    } while (at < length);
    return 0;
}

int Statement::writeStreamParameter(const void* value, SQLLEN length, SQLSMALLINT sqlType) {
    if (length == SQL_NULL_DATA) {
        connection->writer.writeElement(1, nullptr, 0);
        return 0;
    }
    streamHandle = 0;
    const std::size_t n = byteCount(value, length, SQL_C_CHAR, 0);
    if (sendChunk(sqlType, value, n, "WriteStreamParameter")) return -1;
    writeStreamHandle(connection->writer, streamHandle);
    streamHandle = 0;
    return 0;
}

int Statement::writeParameters(bool procedureRules, const char* name) {
    RequestWriter& w = connection->writer;
    detail.clear();  // a message of an earlier execution must not outlive it
    detailCode = 0;
    int result = 0;
    const std::size_t count = std::min(markerCount, parameters.size());
    for (SQLULEN set = 1; set <= parameterSets; ++set) {
        for (std::size_t i = 0; i < count; ++i) {
            ParameterRecord& p = parameters[i];
            if (procedureRules && kind == kind::CallWithResult && i == 0) continue;
            int r = 0;
            if (p.generatedKind == GeneratedKind::Null) {
                w.writeElement(1, nullptr, 0);
            } else if (p.generatedKind == GeneratedKind::Omitted && procedureRules) {
                w.writeElementHeader(-1);
            } else if (p.generatedKind == GeneratedKind::Literal && p.literalForm == LiteralForm::Integer) {
                w.writeInteger64(p.mantissa);
            } else if (p.generatedKind == GeneratedKind::Literal && p.literalForm == LiteralForm::Decimal) {
                w.writeDecimal(p.mantissa, p.exponent);
            } else if (!p.isApplication()) {
                r = writeWide(w, p.text);
            } else if (!(p.flags & ParamInput)) {
                if (procedureRules) w.writeElementHeader(-1);
            } else {
                const bool viaPutData = p.flags & ParamBeingSupplied;
                SQLLEN length = SQL_NTS;
                const void* value = nullptr;
                if (viaPutData) {
                    value = p.supplied.data();
                    length = p.suppliedLength;
                } else {
                    value = p.data ? static_cast<const char*>(p.data) + (set - 1) * static_cast<SQLULEN>(p.elementSize)
                                   : nullptr;
                    if (p.lengthPointer) length = p.lengthPointer[set - 1];
                }
                const ValueBinding binding{p.cType, p.sqlType, p.columnSize, 0};
                if (procedureRules && length == SQL_DEFAULT_PARAM) {
                    w.writeElementHeader(-1);
                } else if (!value && length != SQL_NULL_DATA && !viaPutData) {
                    w.writeElement(1, nullptr, 0);  // no buffer: nothing to send but NULL
                } else if (viaPutData && p.suppliedAs == SuppliedAs::Null) {
                    w.writeElement(1, nullptr, 0);
                } else if (viaPutData && p.suppliedAs == SuppliedAs::StreamHandle) {
                    writeStreamHandle(w, static_cast<std::uint32_t>(std::strtoul(p.supplied.empty() ? "0" : std::string(p.supplied.begin(), p.supplied.end()).c_str(), nullptr, 10)));
                } else if (!connection->blobSupport || !isLongType(p.sqlType) || viaPutData) {
                    r = (viaPutData && length == 0 && isCharOrBinary(p.cType)) ? writeString(w, "", 0, StringMode::Bytes, p.sqlType, kNoMaximum)
                                                                                : writeParameterValue(w, value, binding, length);
                } else if (!isCharOrBinary(p.cType)) {
                    errorCode = code::Limit;
                    if (trace) trace::line(trace::Error, name, kLongConversion);
                    return -1;
                } else if (writeStreamParameter(value, length, p.sqlType)) {
                    return -1;
                }
            }
            if (p.flags & ParamBeingSupplied) {
                p.flags &= ~ParamBeingSupplied;
                p.flags |= ParamDataPending;
            }
            if (r == code::Truncated) {
                result = 1;
            } else if (r != 0) {
                const void* shownAt = p.isApplication() && (p.flags & ParamInput) && p.data
                                          ? static_cast<const char*>(p.data) + (set - 1) * static_cast<SQLULEN>(p.elementSize)
                                          : nullptr;
                failWith(code::Limit, conversionMessage(i + 1, p, shownAt,
                                                        p.lengthPointer && shownAt ? p.lengthPointer[set - 1] : SQL_NTS, r));
                if (trace) {
                    trace::line(trace::Error, name, trace::format("Conversion error SQLType = %d CType = %d", p.sqlType, p.cType));
                    trace::line(trace::Error, name, "Error writing parameters onto the wire");
                }
                return -1;
            }
        }
        if (processedSets) *processedSets = set;
    }
    return result;
}

SQLRETURN Statement::paramData(SQLPOINTER* token) {
    if (dataAtExecPosition > 0 && streamHandle != 0) {
        // The long value went to the server in chunks: the parameter's value is its handle.
        ParameterRecord& p = parameters[dataAtExecPosition - 1];
        const std::string text = trace::format("%d", static_cast<int>(streamHandle));
        p.supplied.assign(text.begin(), text.end());
        p.suppliedLength = static_cast<SQLLEN>(text.size());
        p.suppliedAs = streamHandle == 0xFFFFFFFFu ? SuppliedAs::Null : SuppliedAs::StreamHandle;
        if (p.suppliedAs == SuppliedAs::Null) p.suppliedLength = SQL_NULL_DATA;
        streamHandle = 0;
    }
    for (std::size_t i = dataAtExecPosition; i < parameters.size(); ++i) {
        ParameterRecord& p = parameters[i];
        if (!(p.flags & ParamDataPending)) continue;
        if (token) *token = p.boundData;
        dataAtExecPosition = i + 1;
        p.flags |= ParamBeingSupplied;
        p.flags &= ~ParamDataPending;
        p.supplied.clear();
        p.suppliedLength = 0;
        p.suppliedAs = SuppliedAs::Inline;
        return SQL_NEED_DATA;
    }
    dataAtExecPosition = 0;
    flags &= ~NeedData;
    return execute();
}

SQLRETURN Statement::putData(const void* data, SQLLEN length) {
    const char* name = "PutData";
    ParameterRecord* p = dataAtExecPosition ? &parameters[dataAtExecPosition - 1] : nullptr;
    if (!p || !(p->flags & ParamBeingSupplied)) return fail(name, code::FunctionSequence, "Parameter out of sequence");
    if (length < 0 && length != SQL_NTS && length != SQL_NULL_DATA) return fail(name, code::BadLength, "Invalid string or buffer length");
    if (connection->blobSupport && isLongType(p->sqlType)) {
        if (!isCharOrBinary(p->cType)) return fail(name, code::Limit, kLongConversion);
        if (length == SQL_NULL_DATA || streamHandle == 0xFFFFFFFFu) {
            streamHandle = 0xFFFFFFFFu;
        } else if (sendChunk(p->sqlType, data, byteCount(data, length, p->cType, p->elementSize), name)) {
            return SQL_ERROR;
        }
        lastPutParameter = dataAtExecPosition;
        return SQL_SUCCESS;
    }
    const bool again = lastPutParameter == dataAtExecPosition;
    if (again && (!isCharOrBinary(p->cType) || p->suppliedLength == SQL_NULL_DATA))
        return fail(name, code::OutOfRange, "Data can be sent in parts only for char or binary types");
    if (length == SQL_NULL_DATA) {
        if (again) return fail(name, code::OutOfRange, "Data can be sent in parts only for char or binary types");
        p->supplied.clear();
        p->suppliedLength = SQL_NULL_DATA;
    } else {
        // Copied now: the application may reuse its buffer after this call.
        const std::size_t n = data ? byteCount(data, length, p->cType, p->elementSize) : 0;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        if (!again) p->supplied.clear();
        if (n) p->supplied.insert(p->supplied.end(), bytes, bytes + n);
        p->suppliedLength = static_cast<SQLLEN>(p->supplied.size());
    }
    lastPutParameter = dataAtExecPosition;
    return SQL_SUCCESS;
}

int Statement::readOutputParameters() {
    ReplyReader& r = *reader;
    std::size_t remaining = markerCount;
    std::size_t index = 0;
    int result = 0;
    auto convert = [&](ParameterRecord& p) {
        const ColumnTarget t{p.cType, p.sqlType, p.boundData, p.elementSize, p.lengthPointer};
        const int c = convertElement(r.current(), t);
        if (c == code::Truncated) {
            errorCode = code::Truncated;
            result = 1;
            return 0;
        }
        return c;
    };
    if (kind == kind::CallWithResult) {
        if (parameters.empty() || !(parameters[0].flags & ParamOutput)) {
            errorCode = 7001;
            return -1;
        }
        ParameterRecord& p = parameters[0];
        if (outputPresent) {
            if (const int c = convert(p)) {
                errorCode = code::Limit;
                return -1;
            }
            r.next();
        } else if (p.lengthPointer) {
            *p.lengthPointer = SQL_NULL_DATA;
        }
        remaining = markerCount ? markerCount - 1 : 0;
        index = 1;
    } else if (outputPresent) {
        r.next();  // the return-value slot of a call without one
    }
    if (!outputPresent) return 0;
    for (std::size_t k = 0; k < remaining; ++k, ++index) {
        if (!r.atElement() || index >= parameters.size()) {
            errorCode = 7001;
            return -1;
        }
        ParameterRecord& p = parameters[index];
        if ((p.flags & ParamOutput) && p.boundData && p.lengthPointer) {
            if (convert(p)) {
                errorCode = code::Limit;
                return -1;
            }
        }
        r.next();
    }
    return result;
}

}  // namespace kesto::odbc
