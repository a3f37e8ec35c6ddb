// The engine of a result set: runs one query on the server (a class query or a dynamic
// SQL statement) and walks its rows batch by batch. Every server call is a class method
// call (request 17) on the query's class. Column and parameter numbers are 1-based.
//
// Errors are dispatch exceptions: 9991 for misuse ("Query not open.  Run Execute."), 9990
// with the last-error text when the server or the link failed.
#pragma once

#include <kestoobject/ListBuilder.h>

#include <automation/ComPtr.h>
#include <automation/Variant.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::object {

class Factory;

inline constexpr std::size_t kQueryParamSlots = 16;
inline constexpr std::size_t kQueryPrepareParams = 10;  // Prepare sends no more than these

class QueryCursor {
 public:
  // Runs the describe call (and, for a statement, the prepare call first). Check valid():
  // when false, the last error says why. Throws only for malformed replies.
  static std::unique_ptr<QueryCursor> ForClassQuery(Factory& owner, std::u16string_view className,
                                                    std::u16string_view queryName);
  static std::unique_ptr<QueryCursor> ForStatement(Factory& owner, std::u16string_view className,
                                                   std::u16string_view statement);
  // Closes the query on the server when it is open; never throws.
  ~QueryCursor();
  QueryCursor(const QueryCursor&) = delete;
  QueryCursor& operator=(const QueryCursor&) = delete;

  bool valid() const { return valid_; }
  bool isOpen() const { return open_; }

  // Parameter values in order; a missing one (VT_ERROR / DISP_E_PARAMNOTFOUND) ends them.
  int Execute(std::span<const automation::Variant> params);
  void Prepare(std::span<const automation::Variant> params);
  int Next();
  int Close();

  automation::Variant GetData(int column);
  int IsDataNull(int column);
  std::u16string GetColumnName(int column) const;
  std::u16string GetColumnHeader(int column) const;
  std::u16string GetParamName(int param) const;
  std::int16_t ColumnCount() const { return static_cast<std::int16_t>(columns_.size()); }
  std::int16_t ParamCount() const { return static_cast<std::int16_t>(params_.size()); }
  std::int16_t IdColumn() const { return idColumn_; }
  // 0 when there is no such column.
  int ColumnNumber(std::u16string_view name) const;

  // The handle as the server gave it; the server chooses its length.
  Bytes Handle() const { return {handle_.data(), handle_.size()}; }

 private:
  // A column or parameter as described by the server.
  struct Field {
    std::u16string name;
    std::u16string header;
    int typeCode = 0;
    VARTYPE type = VT_BSTR;
    int conversion = 0;
  };
  // By-reference results of a call, copied out of the link's buffer.
  using Results = std::vector<std::vector<std::uint8_t>>;

  QueryCursor(Factory& owner, std::u16string_view className);
  bool describe(const ListBuilder& args);
  // One class method call; false when the request failed or (checkStatus) the status was
  // bad. On success results holds the by-reference arguments.
  bool call(const std::u16string& method, char marker, const ListBuilder& args, bool checkStatus,
            Results* results);
  // Appends up to `limit` parameters (stops at the first missing one); false when a value
  // has no server form.
  bool appendParams(ListBuilder& args, std::span<const automation::Variant> params,
                    std::size_t limit) const;
  [[noreturn]] void raiseServerError() const;
  [[noreturn]] void raiseConversionError() const;
  void requireOpen() const;
  const std::uint8_t* columnElement(int column) const;  // null: no row or no such column
  static bool isServerEmptyString(const Field& field, const std::uint8_t* element,
                                  const std::uint8_t* next);

  automation::ComPtr<Factory> owner_;
  std::uint32_t session_ = 0;  // the connection the server's handles belong to
  std::u16string className_;
  std::u16string prepare_, execute_, fetch_, getInfo_, close_;
  bool valid_ = false;
  bool open_ = false;
  bool atEnd_ = false;
  std::vector<std::uint8_t> handle_;
  std::vector<std::uint8_t> rows_;
  std::size_t currentRow_ = 0;
  bool hasRow_ = false;
  std::vector<Field> columns_;
  std::vector<Field> params_;
  std::int16_t idColumn_ = 0;
};

// "?" outside quoted literals becomes ":q(n)", n counting from 0. A quote opens a literal
// only outside a literal of the other kind.
std::u16string RewriteStatementMarkers(std::u16string_view statement);
std::string RewriteStatementMarkers(std::string_view statement);

}  // namespace kesto::object
