// The result-set object ("KestoObject.ResultSet", dispatch interface IResultSet): one query
// of a server class, or one dynamic SQL statement, walked row by row. The Factory makes it
// (members ResultSet and DynamicSQL) over a class proxy of its own.
#pragma once

#include <kestoobject/Factory.h>
#include <kestoobject/Guids.h>
#include <kestoobject/QueryCursor.h>

#include <automation/DispatchTable.h>

#include <array>
#include <memory>
#include <string_view>

namespace kesto::object {

struct IResultSet : IDispatch {
  static constexpr IID iid = kIidResultSet;
};

class CResultSet final : public automation::DispatchObject<CResultSet, IResultSet>,
                         public NativeObject {
 public:
  static const automation::DispatchTable<CResultSet>& dispatchTable();

  // Builds the cursor over the class proxy (the result set takes its own reference to
  // it). valid() tells whether the server described the query.
  static automation::ComPtr<CResultSet> open(Factory& owner, ServerProxy& classProxy,
                                             std::u16string_view queryOrStatement, bool dynamic);

  bool valid() const { return cursor_ != nullptr; }
  QueryCursor& cursor();

  // Execute with the arguments as given, or with the stored parameters when the query has
  // parameters and the first argument is missing.
  bool execute(std::span<const automation::Variant> arguments);
  void setParam(int index, const automation::Variant& value);
  automation::Variant dataByName(std::u16string_view columnName);

  Kind nativeKind() const override { return Kind::ResultSet; }

 protected:
  void* queryExtra(REFIID riid) override;

 private:
  friend class automation::ComObject<CResultSet, IResultSet>;
  CResultSet(ServerProxy& classProxy);
  ~CResultSet() override;

  automation::ComPtr<IDispatch> classProxy_;  // a counted reference, never deleted here
  std::unique_ptr<QueryCursor> cursor_;
  std::array<automation::Variant, kQueryParamSlots> params_;
};

}  // namespace kesto::object
