// _DKestoQuery: the query-lookup control's dispatch interface.
#include <controls/query/KestoQuery.h>

namespace kesto::controls {

using namespace automation;
namespace id = query_dispid;

const DispatchTable<CKestoQueryCtrl>& CKestoQueryCtrl::dispatchTable() {
  using T = CKestoQueryCtrl;
  using C = DispatchCall;
  static const DispatchTable<T> table = [] {
    const auto text = [](std::u16string T::*field, DISPID dispid, const char16_t* name) {
      return std::vector<Member<T>>{
          member<T>(name, dispid, kGet, {}, VT_BSTR,
                    [field](T& t, C& c) { c.result() = Variant(std::u16string_view(t.*field)); }),
          member<T>(name, dispid, kPut, {in(VT_BSTR)}, VT_EMPTY, [field](T& t, C& c) {
            t.*field = c.arg(0).toString();
            t.setModifiedFlag();
          })};
    };
    const auto flag = [](BOOL T::*field, DISPID dispid, const char16_t* name) {
      return std::vector<Member<T>>{
          member<T>(name, dispid, kGet, {}, VT_BOOL,
                    [field](T& t, C& c) { c.result() = Variant(t.*field != 0); }),
          member<T>(name, dispid, kPut, {in(VT_BOOL)}, VT_EMPTY, [field](T& t, C& c) {
            t.*field = c.arg(0).toBool() ? TRUE : FALSE;
            t.setModifiedFlag();
          })};
    };
    std::vector<Member<T>> members;
    const auto add = [&](std::vector<Member<T>> more) {
      for (auto& m : more) members.push_back(std::move(m));
    };
    add(text(&T::className_, id::ClassName, u"ClassName"));
    add(text(&T::queryName_, id::QueryName, u"QueryName"));
    add(flag(&T::waitForUserInput_, id::WaitForUserInput, u"WaitForUserInput"));
    add(flag(&T::querySelection_, id::QuerySelection, u"QuerySelection"));
    add(text(&T::title_, id::Title, u"Title"));
    add(flag(&T::autoResize_, id::AutoResize, u"AutoResize"));
    add(flag(&T::hideId_, id::HideId, u"HideId"));
    add(flag(&T::hideSelection_, id::HideSelection, u"HideSelection"));
    add({member<T>(u"MaxToDisplay", id::MaxToDisplay, kGet, {}, VT_I4,
                   [](T& t, C& c) { c.result() = Variant(t.maxToDisplay_); }),
         member<T>(u"MaxToDisplay", id::MaxToDisplay, kPut, {in(VT_I4)}, VT_EMPTY,
                   [](T& t, C& c) {
                     t.maxToDisplay_ = c.arg(0).toInt32();
                     t.setModifiedFlag();
                   }),
         member<T>(u"Factory", id::Factory, kGet, {}, VT_DISPATCH,
                   [](T& t, C& c) { c.result() = Variant(t.factory_.get()); }),
         member<T>(u"Factory", id::Factory, kPut, {in(VT_DISPATCH)}, VT_EMPTY,
                   [](T& t, C& c) { t.setFactory(c.arg(0).dispatch()); }),
         member<T>(u"Factory", id::Factory, kPutRef, {in(VT_DISPATCH)}, VT_EMPTY,
                   [](T& t, C& c) { t.setFactory(c.arg(0).dispatch()); }),
         member<T>(u"FindId", id::FindId, kMethod, {}, VT_BSTR,
                   [](T& t, C& c) { c.result() = Variant(t.findId()); }),
         member<T>(u"SetParam", id::SetParam, kMethod, {in(VT_I2), in(VT_BSTR)}, VT_EMPTY,
                   [](T& t, C& c) { t.setParam(c.arg(0).toInt16(), c.arg(1).toString()); })});
    add(activex::stockMembers<T>("About KestoQuery Control", queryString(QueryString::Control)));
    return DispatchTable<T>("KestoQuery", std::move(members));
  }();
  return table;
}

}  // namespace kesto::controls
