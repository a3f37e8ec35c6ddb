// The statement handle record: descriptions, bindings, the reply reader that holds the rows,
// cursor position and options; and the operations that execute, fetch and close.
#pragma once

#include "Errors.h"
#include "ParameterRecord.h"
#include "ReplyReader.h"
#include "Transport.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto::odbc {

struct Connection;

enum StatementFlag : std::uint32_t { Prepared = 1, Executed = 2, EndOfData = 8, NeedData = 32 };
enum StatementOptionBit : std::uint32_t { ReadOnlyConcurrency = 0x100, RowWiseBinding = 0x400 };

// Statement kinds; the preprocessor's values 1-4 and 6-9, plus "no statement".
namespace kind {
inline constexpr int Query = 1;
inline constexpr int Call = 2;
inline constexpr int CallWithResult = 3;
inline constexpr int Other = 4;
inline constexpr int None = 5;
inline constexpr int BlobSupportOff = 8;
inline constexpr int BlobSupportOn = 9;
}  // namespace kind

struct ColumnRecord {
    SQLLEN* lengthPointer = nullptr;
    SQLLEN* currentLength = nullptr;
    SQLULEN precision = 0;
    SQLSMALLINT scale = 0;
    SQLSMALLINT nullable = 0;
    SQLSMALLINT sqlType = 0;
    SQLSMALLINT cType = 0;
    SQLLEN bufferLength = 0;
    bool bound = false;
    void* data = nullptr;
    std::u16string name, label, tableName;
    char* currentData = nullptr;
    SQLLEN rowStride = 0;
};

struct Statement : HandleBase {
    explicit Statement(Connection* c);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    std::uint32_t flags = 0;
    std::u16string streamReference;
    std::uint32_t streamHandle = 0;
    std::size_t dataAtExecPosition = 0;
    std::size_t lastPutParameter = 0;
    Connection* connection;
    std::size_t slot = 0;
    std::uint32_t optionBits = 0;
    std::uint32_t queryTimeoutSeconds = 2147483647;
    std::uint32_t cursorType = SQL_CURSOR_FORWARD_ONLY;
    std::uint32_t staticPosition = 0;
    std::unique_ptr<ReplyReader> reader;
    std::u16string sqlText;
    std::uint32_t statementId = 0;
    int kind = kind::None;
    bool hasResultSet = false;
    bool outputPresent = false;
    std::vector<ParameterRecord> parameters;
    std::size_t markerCount = 0;
    std::vector<ColumnRecord> columns;
    std::size_t columnCount = 0;
    std::size_t highestBound = 0;
    std::size_t columnPosition = 0;
    bool lastBatch = false;
    // A row of a forward-only cursor is current: SQLGetData may read it.
    bool onRow = false;
    std::size_t dataColumn = 0;
    // Unread rest of the column SQLGetData read last; streamPending marks an open stream.
    std::vector<std::uint8_t> remainingPiece;
    bool streamPending = false;
    std::string cursorName;
    SQLULEN rowCount = 0;
    SQLULEN rowsetSize = 1;
    SQLULEN maxRows = 0;
    SQLULEN rowSize = 0;
    SQLULEN parameterSets = 1;
    SQLULEN* processedSets = nullptr;

    bool isCall() const { return kind == kind::Call || kind == kind::CallWithResult; }
    bool isStatic() const { return cursorType == SQL_CURSOR_STATIC; }
    Timeout queryTimeout() const { return Timeout::of(queryTimeoutSeconds); }
    // Stores code, writes the trace error line, answers -1.
    SQLRETURN fail(const char* name, int code, const std::string& text);

    // Bindings and descriptions.
    void bindColumn(std::size_t column, SQLSMALLINT cType, void* data, SQLLEN bufferLength, SQLLEN* length);
    void bindParameter(std::size_t number, SQLSMALLINT parameterType, SQLSMALLINT cType, SQLSMALLINT sqlType,
                       SQLULEN columnSize, SQLSMALLINT scale, void* data, SQLLEN bufferLength, SQLLEN* length);
    int validateParameters();
    void readColumnDescriptions();
    void readParameterDescriptions();
    void unbindColumns();
    void resetParameters();
    void releaseStoreClaim();
    SQLRETURN releaseStatement();
    // The n-th (1-based) of the application's records, or null.
    ParameterRecord* applicationParameter(std::size_t n);

    // Execution (statement text already widened).
    SQLRETURN executeDirect(std::u16string_view text);
    SQLRETURN prepare(std::u16string_view text);
    SQLRETURN execute();
    SQLRETURN paramData(SQLPOINTER* token);
    SQLRETURN putData(const void* data, SQLLEN length);

    // Fetching.
    int fetchMoreData();
    int processRow();
    void prepareRowset();
    int extendedFetchProcessRow();
    SQLRETURN extendedFetch(SQLUSMALLINT fetchType, SQLLEN row, SQLULEN& fetched, SQLUSMALLINT* status);
    int staticCursorFetch(SQLUSMALLINT fetchType, SQLLEN row, SQLULEN& fetched);

    // Column data.
    SQLRETURN getData(std::size_t column, SQLSMALLINT cType, void* data, SQLLEN bufferLength, SQLLEN* length);

    // Catalog and close.
    SQLRETURN processCatalogQuery(std::string_view code, const std::vector<std::u16string>& arguments);
    SQLRETURN close();

    // Internal steps shared by the operations above.
    void startStatement(std::u16string_view text);  // the common start of execute direct and prepare
    void clearRunState();
    void beginRequest(std::string_view code);
    int exchange(Timeout timeout);
    // exchange, then the return code: 100 marks the last batch, another code is stored and
    // traced with errorFormat. 0 or -1.
    int exchangeChecked(Timeout timeout, const char* name, const char* errorFormat);
    // Moves the cursor to the next element, fetching the next batch at the end of a reply.
    // 0, 100 (no element left), or a failure code already stored.
    int stepElement(const char* name);
    int convertInto(const ColumnRecord& column, void* data, SQLLEN bufferLength, SQLLEN* length, SQLSMALLINT cType);
    int retrieveStream(SQLSMALLINT cType, SQLLEN bufferLength, void* data, SQLLEN* length);
    int writeParameters(bool procedureRules, const char* traceName);
    int writeStreamParameter(const void* value, SQLLEN length, SQLSMALLINT sqlType);
    int readOutputParameters();
    int sendChunk(SQLSMALLINT sqlType, const void* data, std::size_t length, const char* name);
    void readResultFlags(const ReplyReader& r);
    void addPreparedEntry();
    bool takePreparedEntry(bool procedure);
};

// Sets one statement option (0..14); SQLSetStmtOption and the connection's stored options
// both come through here.
SQLRETURN setStatementOption(Statement& statement, std::uint16_t option, SQLULEN value);

// SQL_C_DEFAULT resolved by an SQL type, and the fixed buffer sizes of C types.
SQLSMALLINT resolveCType(SQLSMALLINT cType, SQLSMALLINT sqlType);
SQLLEN fixedSize(SQLSMALLINT cType, SQLLEN given);

bool isLongType(SQLSMALLINT sqlType);

}  // namespace kesto::odbc
