// Result sets as the server hands them out: in batches of whole rows, long values kept
// aside and read back piece by piece.
#pragma once

#include "ExpressionTypes.h"
#include "SqlTypes.h"
#include "Values.h"

#include <model/Database.h>
#include <wire/List.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kesto::server::odbc {

// Long values of the rows sent last, by reference "S<n>"; the reference's number is also
// the handle a client quotes for the next piece.
class StreamStore {
public:
    std::string keep(const Cell& cell, int sqlType);
    std::size_t bytesKept() const { return bytesKept_; }

    struct Piece {
        bool found = false;
        bool null = false;
        std::uint32_t continuation = 0;  // 0 = nothing left after this piece
        std::uint32_t length = 0;        // bytes left before this piece
        std::string data;
    };
    // handle 0 starts at the beginning of the value named by `reference`.
    Piece read(std::uint32_t handle, std::uint32_t wanted, std::string_view reference);
    void closeOpen();  // forgets the value being read
    void clear();

private:
    struct Stream {
        std::optional<std::string> bytes;
        std::size_t offset = 0;
    };
    std::map<std::uint32_t, Stream> streams_;
    std::uint32_t next_ = 0;
    std::uint32_t open_ = 0;
    std::size_t bytesKept_ = 0;
};

// How big a batch may grow: encoded row bytes, and bytes of long values kept for it.
struct BatchLimits {
    std::size_t rowBytes = 60000;
    std::size_t longBytes = 16u * 1024u * 1024u;
};

struct RowContext {
    Encoding encoding;
    StreamStore* streams = nullptr;
};

class ResultRows {
public:
    virtual ~ResultRows() = default;
    const std::vector<ColumnInfo>& columns() const { return columns_; }
    // Writes whole rows (at least one when any is left) until a limit is reached; true when
    // no row is left after those written.
    virtual bool writeBatch(wire::ListWriter& out, const RowContext& context, const BatchLimits& limits) = 0;

protected:
    std::vector<ColumnInfo> columns_;
};

// Rows stepped from a running SQLite statement, one row ahead.
class LiveRows : public ResultRows {
public:
    // The statement has been stepped once; `onRow` is what that step said.
    LiveRows(model::Statement& statement, std::vector<ColumnInfo> columns, bool onRow);
    bool writeBatch(wire::ListWriter& out, const RowContext& context, const BatchLimits& limits) override;

private:
    model::Statement& statement_;
    bool onRow_;
};

// Bytes of result rows a connection may hold at once, shared by its statements.
struct ResultBudget {
    std::size_t limit = 0;  // 0 = none
    std::size_t used = 0;
};

// Rows held in memory: static cursors, catalog results, several parameter sets.
class StaticRows : public ResultRows {
public:
    using Row = std::vector<model::Value>;
    StaticRows(std::vector<ColumnInfo> columns, std::vector<Row> rows, ResultBudget* budget = nullptr);
    ~StaticRows() override;
    StaticRows(const StaticRows&) = delete;
    StaticRows& operator=(const StaticRows&) = delete;
    // Steps `statement` to its end, appending its rows; throws RequestError past the budget.
    void appendAll(model::Statement& statement);
    bool writeBatch(wire::ListWriter& out, const RowContext& context, const BatchLimits& limits) override;
    std::size_t size() const { return rows_.size(); }
    // Rows first..first+count-1 (0-based), whole.
    void writeRange(wire::ListWriter& out, const RowContext& context, std::size_t first, std::size_t count) const;

private:
    void writeRow(wire::ListWriter& out, const RowContext& context, const Row& row) const;
    std::vector<Row> rows_;
    std::size_t next_ = 0;
    ResultBudget* budget_ = nullptr;
    std::size_t held_ = 0;  // bytes counted against the budget
};

// Describes every column of a prepared statement that has been stepped once; `markers` types
// the parameters by their values (see selectListTypes).
std::vector<ColumnInfo> describeColumns(sqlite3* db, model::Statement& statement, bool onRow,
                                        const std::vector<ExpressionType>& markers = {});

}  // namespace kesto::server::odbc
