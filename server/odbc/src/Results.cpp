#include "Results.h"

#include "ExpressionTypes.h"
#include "Replies.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>

namespace kesto::server::odbc {

std::string StreamStore::keep(const Cell& cell, int sqlType) {
    Stream s;
    if (cell.kind != model::Value::Kind::Null) s.bytes = streamBytes(cell, sqlType);
    bytesKept_ += s.bytes ? s.bytes->size() : 0;
    // Handles are nonzero and below 2^31.
    next_ = next_ >= 0x7FFFFFFFu ? 1 : next_ + 1;
    streams_[next_] = std::move(s);
    return "S" + std::to_string(next_);
}

StreamStore::Piece StreamStore::read(std::uint32_t handle, std::uint32_t wanted, std::string_view reference) {
    Piece piece;
    std::uint32_t id = handle;
    if (handle == 0) {
        if (reference.size() < 2 || reference[0] != 'S') return piece;
        id = static_cast<std::uint32_t>(std::strtoul(std::string(reference.substr(1)).c_str(), nullptr, 10));
    }
    const auto it = streams_.find(id);
    if (it == streams_.end()) return piece;
    piece.found = true;
    Stream& s = it->second;
    if (!s.bytes) {
        piece.null = true;
        return piece;
    }
    if (handle == 0) s.offset = 0;
    const std::size_t remaining = s.bytes->size() - s.offset;
    const std::size_t n = std::min<std::size_t>(wanted, remaining);
    piece.length = static_cast<std::uint32_t>(std::min<std::size_t>(remaining, 0xFFFFFFFFu));
    piece.data = s.bytes->substr(s.offset, n);
    s.offset += n;
    if (s.offset < s.bytes->size()) {
        piece.continuation = id;
        open_ = id;
    } else {
        // Read whole: the client asks for it no more.
        bytesKept_ -= s.bytes->size();
        streams_.erase(it);
        open_ = 0;
    }
    return piece;
}

void StreamStore::closeOpen() {
    if (open_ == 0) return;
    if (const auto it = streams_.find(open_); it != streams_.end()) {
        bytesKept_ -= it->second.bytes ? it->second.bytes->size() : 0;
        streams_.erase(it);
    }
    open_ = 0;
}

void StreamStore::clear() {
    streams_.clear();
    bytesKept_ = 0;
    open_ = 0;
}

namespace {

LongValueSink sinkOf(const RowContext& context) {
    return [streams = context.streams](const Cell& cell, int sqlType) {
        if (!streams) throw std::logic_error("long value without a stream store");
        return streams->keep(cell, sqlType);
    };
}

bool batchFull(const wire::ListWriter& out, const RowContext& context, const BatchLimits& limits) {
    return out.size() >= limits.rowBytes || (context.streams && context.streams->bytesKept() >= limits.longBytes);
}

}  // namespace

LiveRows::LiveRows(model::Statement& statement, std::vector<ColumnInfo> columns, bool onRow)
    : statement_(statement), onRow_(onRow) {
    columns_ = std::move(columns);
}

bool LiveRows::writeBatch(wire::ListWriter& out, const RowContext& context, const BatchLimits& limits) {
    const LongValueSink sink = sinkOf(context);
    sqlite3_stmt* stmt = statement_.handle();
    while (onRow_) {
        for (std::size_t c = 0; c < columns_.size(); ++c)
            writeCell(out, cellOf(stmt, static_cast<int>(c)), columns_[c].type, context.encoding, sink);
        onRow_ = statement_.step();
        if (batchFull(out, context, limits)) break;
    }
    return !onRow_;
}

StaticRows::StaticRows(std::vector<ColumnInfo> columns, std::vector<Row> rows, ResultBudget* budget)
    : rows_(std::move(rows)), budget_(budget) {
    columns_ = std::move(columns);
}

StaticRows::~StaticRows() {
    if (budget_) budget_->used -= held_;
}

void StaticRows::appendAll(model::Statement& statement) {
    while (statement.step()) {
        Row row;
        row.reserve(columns_.size());
        std::size_t bytes = sizeof(Row);
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            row.push_back(statement.column(static_cast<int>(c)));
            bytes += sizeof(model::Value) + row.back().bytes().size();
        }
        if (budget_ && budget_->limit && budget_->used + bytes > budget_->limit)
            throw RequestError(400, "The result is larger than the " + std::to_string(budget_->limit >> 20) +
                                        " MB a connection may hold at once (server option --max-result-mb): read it "
                                        "with a forward-only cursor, close other cursors or narrow the query");
        if (budget_) budget_->used += bytes;
        held_ += bytes;
        rows_.push_back(std::move(row));
    }
}

void StaticRows::writeRow(wire::ListWriter& out, const RowContext& context, const Row& row) const {
    const LongValueSink sink = sinkOf(context);
    for (std::size_t c = 0; c < columns_.size(); ++c)
        writeCell(out, c < row.size() ? cellOf(row[c]) : Cell{}, columns_[c].type, context.encoding, sink);
}

bool StaticRows::writeBatch(wire::ListWriter& out, const RowContext& context, const BatchLimits& limits) {
    while (next_ < rows_.size()) {
        writeRow(out, context, rows_[next_++]);
        if (batchFull(out, context, limits)) break;
    }
    return next_ >= rows_.size();
}

void StaticRows::writeRange(wire::ListWriter& out, const RowContext& context, std::size_t first, std::size_t count) const {
    for (std::size_t r = first; r < first + count && r < rows_.size(); ++r) writeRow(out, context, rows_[r]);
}

std::vector<ColumnInfo> describeColumns(sqlite3* db, model::Statement& statement, bool onRow,
                                        const std::vector<ExpressionType>& markers) {
    std::vector<ColumnInfo> columns;
    const char* sql = sqlite3_sql(statement.handle());
    const std::vector<ExpressionType> guesses = selectListTypes(db, sql ? sql : "", statement.columnCount(), markers);
    for (int c = 0; c < statement.columnCount(); ++c)
        columns.push_back(describeColumn(db, statement.handle(), c, onRow, guesses[static_cast<std::size_t>(c)]));
    return columns;
}

}  // namespace kesto::server::odbc
