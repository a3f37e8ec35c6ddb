// Catalog requests and closing a statement's cursor.
#include "Statement.h"

#include "Connection.h"
#include "ParameterEncoder.h"
#include "Trace.h"

namespace kesto::odbc {

SQLRETURN Statement::processCatalogQuery(std::string_view requestCode, const std::vector<std::u16string>& arguments) {
    const char* name = "ProcessCatalogQuery";
    releaseStoreClaim();
    statementId = ++connection->statementIdCounter;
    std::erase_if(parameters, [](const ParameterRecord& p) { return !p.isApplication() || !(p.flags & ParamBound); });
    clearRunState();
    beginRequest(requestCode);
    RequestWriter& w = connection->writer;
    w.writeInteger(1);
    for (const auto& a : arguments)
        if (writeWide(w, a)) return fail(name, code::Limit, "Argument too long");
    // Bounded like every statement request: a stopped server must not hang a catalog call.
    if (exchangeChecked(queryTimeout(), name, "Error in ProcessCatalogQuery: %d")) return SQL_ERROR;
    readResultFlags(*reader);
    readColumnDescriptions();
    const std::int64_t n = reader->readInteger();
    reader->next();
    for (std::int64_t i = 0; i < 4 * n && reader->atElement(); ++i) reader->next();
    if (reader->atElement()) columnPosition = columnCount + 1;
    else flags |= EndOfData;
    kind = kind::Call;
    hasResultSet = true;
    flags |= Prepared | Executed;
    return SQL_SUCCESS;
}

SQLRETURN Statement::close() {
    errorCode = 0;
    rowCount = 0;
    columnPosition = dataColumn = 0;
    remainingPiece.clear();
    dataAtExecPosition = lastPutParameter = 0;
    const bool openCursor = kind == kind::Query && !lastBatch && (flags & (Prepared | Executed)) == (Prepared | Executed) &&
                            !(flags & EndOfData);
    const char* request = nullptr;
    if (isStatic() || openCursor) request = "CC";
    else if (streamHandle != 0) request = "CS";
    // Without a link or a server statement there is nothing to close on the server.
    if (request && statementId != 0 && connection && connection->connected()) {
        beginRequest(request);
        if (const int r = connection->send(queryTimeout()))
            return fail("Close", code::SendFailed, trace::format("Send returned %d", r));
    }
    streamHandle = 0;
    streamPending = false;
    for (auto& c : columns) c.rowStride = 0;
    lastBatch = false;
    onRow = false;
    staticPosition = 0;
    flags &= Prepared;
    return SQL_SUCCESS;
}

}  // namespace kesto::odbc
