// _DKestoList: the list control's dispatch interface, dispatch identifiers 1 to 27 and the
// stock members.
#include <controls/list/KestoList.h>

namespace kesto::controls {

using namespace automation;
namespace id = list_dispid;

const DispatchTable<CKestoListCtrl>& CKestoListCtrl::dispatchTable() {
  using T = CKestoListCtrl;
  using C = DispatchCall;
  static const DispatchTable<T> table = [] {
  std::vector<Member<T>> members{
      member<T>(u"MinToDisplay", id::MinToDisplay, kGet, {}, VT_I2,
                [](T& t, C& c) { c.result() = Variant(t.minToDisplay()); }),
      member<T>(u"MinToDisplay", id::MinToDisplay, kPut, {in(VT_I2)}, VT_EMPTY,
                [](T& t, C& c) { t.setMinToDisplay(c.arg(0).toInt16()); }),
      member<T>(u"HideSelection", id::HideSelection, kGet, {}, VT_BOOL,
                [](T& t, C& c) { c.result() = Variant(t.hideSelection() != 0); }),
      member<T>(u"HideSelection", id::HideSelection, kPut, {in(VT_BOOL)}, VT_EMPTY,
                [](T& t, C& c) { t.setHideSelection(c.arg(0).toBool()); }),
      member<T>(u"HideColumnHeaders", id::HideColumnHeaders, kGet, {}, VT_BOOL,
                [](T& t, C& c) { c.result() = Variant(t.hideColumnHeaders() != 0); }),
      member<T>(u"HideColumnHeaders", id::HideColumnHeaders, kPut, {in(VT_BOOL)}, VT_EMPTY,
                [](T& t, C& c) { t.setHideColumnHeaders(c.arg(0).toBool()); }),
      member<T>(u"MaxToDisplay", id::MaxToDisplay, kGet, {}, VT_I4,
                [](T& t, C& c) { c.result() = Variant(t.maxToDisplay()); }),
      member<T>(u"MaxToDisplay", id::MaxToDisplay, kPut, {in(VT_I4)}, VT_EMPTY,
                [](T& t, C& c) { t.setMaxToDisplay(c.arg(0).toInt32()); }),
      member<T>(u"HideId", id::HideId, kGet, {}, VT_BOOL,
                [](T& t, C& c) { c.result() = Variant(t.hideId() != 0); }),
      member<T>(u"HideId", id::HideId, kPut, {in(VT_BOOL)}, VT_EMPTY,
                [](T& t, C& c) { t.setHideId(c.arg(0).toBool()); }),
      member<T>(u"Factory", id::Factory, kGet, {}, VT_DISPATCH,
                [](T& t, C& c) { c.result() = Variant(t.factory().get()); }),
      member<T>(u"Factory", id::Factory, kPut, {in(VT_DISPATCH)}, VT_EMPTY,
                [](T& t, C& c) { t.setFactory(c.arg(0).dispatch()); }),
      member<T>(u"Factory", id::Factory, kPutRef, {in(VT_DISPATCH)}, VT_EMPTY,
                [](T& t, C& c) { t.setFactory(c.arg(0).dispatch()); }),
      member<T>(u"Autosize", id::Autosize, kGet, {}, VT_BOOL,
                [](T& t, C& c) { c.result() = Variant(t.autosize() != 0); }),
      member<T>(u"Autosize", id::Autosize, kPut, {in(VT_BOOL)}, VT_EMPTY,
                [](T& t, C& c) { t.setAutosize(c.arg(0).toBool()); }),
      member<T>(u"Connect", id::Connect, kMethod, {in(VT_BSTR)}, VT_BOOL,
                [](T& t, C& c) { c.result() = Variant(t.connect(c.arg(0).toString()) != 0); }),
      member<T>(u"Clear", id::Clear, kMethod, {}, VT_EMPTY, [](T& t, C&) { t.clear(); }),
      member<T>(u"GetData", id::GetData, kMethod, {in(VT_I4), in(VT_I2)}, VT_BSTR,
                [](T& t, C& c) { c.result() = Variant(std::u16string_view(t.getData(c.arg(0).toInt32(), c.arg(1).toInt16()))); }),
      member<T>(u"GetSelectedIndex", id::GetSelectedIndex, kMethod, {}, VT_I4,
                [](T& t, C& c) { c.result() = Variant(t.getSelectedIndex()); }),
      member<T>(u"SetAlignment", id::SetAlignment, kMethod, {in(VT_I4), in(VT_I4)}, VT_EMPTY,
                [](T& t, C& c) { t.setAlignment(c.arg(0).toInt32(), c.arg(1).toInt32()); }),
      member<T>(u"SetColumnWidth", id::SetColumnWidth, kMethod, {in(VT_I4), in(VT_R4)}, VT_EMPTY,
                [](T& t, C& c) { t.setColumnWidth(c.arg(0).toInt32(), static_cast<float>(c.arg(1).toDouble())); }),
      member<T>(u"ResultSet", id::ResultSet, kMethod, {in(VT_BSTR), in(VT_BSTR)}, VT_BOOL,
                [](T& t, C& c) { c.result() = Variant(t.resultSet(c.arg(0).toString(), c.arg(1).toString()) != 0); }),
      member<T>(u"Run", id::Run, kMethod,
                std::vector<ArgSpec>(10, optional(VT_VARIANT)), VT_BOOL,
                [](T& t, C& c) {
                  std::vector<Variant> params;
                  for (std::size_t k = 0; k < 10; ++k) params.push_back(c.given(k) ? c.arg(k) : Variant::missing());
                  c.result() = Variant(t.run(params) != 0);
                }),
      member<T>(u"ClearData", id::ClearData, kMethod, {}, VT_EMPTY, [](T& t, C&) { t.clearData(); }),
      member<T>(u"GetColumnCount", id::GetColumnCount, kMethod, {}, VT_I2,
                [](T& t, C& c) { c.result() = Variant(t.getColumnCount()); }),
      member<T>(u"GetParamCount", id::GetParamCount, kMethod, {}, VT_I2,
                [](T& t, C& c) { c.result() = Variant(t.getParamCount()); }),
      member<T>(u"GetColumnName", id::GetColumnName, kMethod, {in(VT_I2)}, VT_BSTR,
                [](T& t, C& c) { c.result() = Variant(std::u16string_view(t.getColumnName(c.arg(0).toInt16()))); }),
      member<T>(u"GetParamName", id::GetParamName, kMethod, {in(VT_I2)}, VT_BSTR,
                [](T& t, C& c) { c.result() = Variant(std::u16string_view(t.getParamName(c.arg(0).toInt16()))); }),
      member<T>(u"GetColumnHeader", id::GetColumnHeader, kMethod, {in(VT_I2)}, VT_BSTR,
                [](T& t, C& c) { c.result() = Variant(std::u16string_view(t.getColumnHeader(c.arg(0).toInt16()))); }),
      member<T>(u"GetIndexCount", id::GetIndexCount, kMethod, {}, VT_I4,
                [](T& t, C& c) { c.result() = Variant(t.getIndexCount()); }),
      member<T>(u"GetDataByName", id::GetDataByName, kMethod, {in(VT_I4), in(VT_BSTR)}, VT_BSTR,
                [](T& t, C& c) {
                  c.result() = Variant(std::u16string_view(t.getDataByName(c.arg(0).toInt32(), c.arg(1).toString())));
                }),
      member<T>(u"AutosizeColumnByHeader", id::AutosizeColumnByHeader, kMethod, {in(VT_I2)}, VT_EMPTY,
                [](T& t, C& c) { t.autosizeColumnByHeader(c.arg(0).toInt16()); }),
      member<T>(u"AutosizeColumnByData", id::AutosizeColumnByData, kMethod, {in(VT_I2)}, VT_EMPTY,
                [](T& t, C& c) { t.autosizeColumnByData(c.arg(0).toInt16()); }),
      member<T>(u"GetIdColumn", id::GetIdColumn, kMethod, {}, VT_I2,
                [](T& t, C& c) { c.result() = Variant(t.getIdColumn()); }),
      member<T>(u"DynamicSQL", id::DynamicSQL, kMethod, {in(VT_BSTR)}, VT_BOOL,
                [](T& t, C& c) { c.result() = Variant(t.dynamicSql(c.arg(0).toString()) != 0); }),
  };
  for (auto& m : activex::stockMembers<T>("About Kesto List Control", listString(ListString::Control)))
    members.push_back(std::move(m));
  return DispatchTable<T>("KestoList", std::move(members));
  }();
  return table;
}

}  // namespace kesto::controls
