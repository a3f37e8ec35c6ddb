// The result-set object: its cursor, its class proxy and its stored parameters.
#include <kestoobject/ResultSet.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ObjInstance.h>

#include <automation/DispatchException.h>

namespace kesto::object {

using automation::ComPtr;
using automation::Variant;

CResultSet::CResultSet(ServerProxy& classProxy) : classProxy_(classProxy.dispatch()) {
  params_.fill(Variant::missing());
}

CResultSet::~CResultSet() {
  params_ = {};
  cursor_.reset();  // closes an open query on the server first
  if (ObjInstance* proxy = ObjInstance::native(classProxy_.get());
      proxy && proxy->BoundResultSet() == static_cast<IDispatch*>(this))
    proxy->SetBoundResultSet(nullptr);
  classProxy_.reset();
}

void* CResultSet::queryExtra(REFIID riid) {
  return riid == kIidNativeObject ? static_cast<NativeObject*>(this) : nullptr;
}

ComPtr<CResultSet> CResultSet::open(Factory& owner, ServerProxy& classProxy,
                                    std::u16string_view queryOrStatement, bool dynamic) {
  ComPtr<CResultSet> set = create(classProxy);
  auto cursor = dynamic ? QueryCursor::ForStatement(owner, classProxy.className(), queryOrStatement)
                        : QueryCursor::ForClassQuery(owner, classProxy.className(), queryOrStatement);
  if (cursor->valid()) set->cursor_ = std::move(cursor);
  if (ObjInstance* proxy = ObjInstance::native(classProxy.dispatch()))
    proxy->SetBoundResultSet(static_cast<IDispatch*>(set.get()));
  return set;
}

QueryCursor& CResultSet::cursor() {
  // The Factory hands out valid result sets only; this guards against misuse.
  if (!cursor_) RaiseError(kErrorNone, moduleState().LastErrorText);
  return *cursor_;
}

bool CResultSet::execute(std::span<const Variant> arguments) {
  QueryCursor& c = cursor();
  const bool useStored = c.ParamCount() > 0 && (arguments.empty() || arguments[0].isMissing());
  return c.Execute(useStored ? std::span<const Variant>(params_) : arguments) != 0;
}

void CResultSet::setParam(int index, const Variant& value) {
  if (index < 1 || index > static_cast<int>(kQueryParamSlots)) return;
  params_[static_cast<std::size_t>(index - 1)] = value;
}

Variant CResultSet::dataByName(std::u16string_view columnName) {
  QueryCursor& c = cursor();
  const int column = c.ColumnNumber(columnName);
  if (column == 0) RaiseClientError(std::string(text(TextId::ColumnMissing)));
  return c.GetData(column);
}

IDispatch* CreateResultSetObject(Factory& owner, ServerProxy* classProxy,
                                 std::u16string_view queryOrStatement, bool dynamic) {
  if (classProxy == nullptr) return nullptr;
  try {
    ComPtr<CResultSet> set = CResultSet::open(owner, *classProxy, queryOrStatement, dynamic);
    if (!set->valid()) return nullptr;
    return static_cast<IDispatch*>(set.detach());
  } catch (const automation::DispatchException& e) {
    // A malformed description: the result set is not made, the error stays the reason.
    ModuleState& state = moduleState();
    state.LastErrorText = e.description;
    state.LastErrorCode = e.code != 0 ? e.code : kErrorClient;
    return nullptr;
  }
}

}  // namespace kesto::object
