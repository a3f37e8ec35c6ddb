// The result set's dispatch table (IResultSet in dispatch order).
#include <kestoobject/ResultSet.h>

#include <kestoobject/ErrorTexts.h>

#include <vector>

namespace kesto::object {

using namespace automation;

namespace {

std::vector<ArgSpec> sixteenOptional() {
  return std::vector<ArgSpec>(kQueryParamSlots, optional(VT_VARIANT));
}

std::vector<Variant> arguments(const DispatchCall& c) {
  std::vector<Variant> values;
  values.reserve(c.count());
  for (std::size_t i = 0; i < c.count(); ++i) values.push_back(c.arg(i));
  return values;
}

int number(const DispatchCall& c) { return c.arg(0).toInt16(); }

}  // namespace

const DispatchTable<CResultSet>& CResultSet::dispatchTable() {
  using R = CResultSet;
  static const DispatchTable<R> table(
      std::string(text(TextId::Title)),
      {
          member<R>(u"QHandle", 1, kGet, {}, VT_BSTR,
                    [](R& r, DispatchCall& c) {
                      const Bytes h = r.cursor().Handle();
                      if (h.empty()) {
                        c.result().put()->vt = VT_BSTR;  // no handle: a null string
                        return;
                      }
                      c.result() = Variant::bytes({reinterpret_cast<const char*>(h.data()), h.size()});
                    }),
          member<R>(u"Execute", 2, kMethod, sixteenOptional(), VT_BOOL,
                    [](R& r, DispatchCall& c) { c.result() = Variant(r.execute(arguments(c))); }),
          member<R>(u"Next", 3, kMethod, {}, VT_BOOL,
                    [](R& r, DispatchCall& c) { c.result() = Variant(r.cursor().Next() != 0); }),
          member<R>(u"GetColumnCount", 4, kMethod, {}, VT_I2,
                    [](R& r, DispatchCall& c) { c.result() = Variant(r.cursor().ColumnCount()); }),
          member<R>(u"GetData", 5, kMethod, {in(VT_I2)}, VT_VARIANT,
                    [](R& r, DispatchCall& c) { c.result() = r.cursor().GetData(number(c)); }),
          member<R>(u"Close", 6, kMethod, {}, VT_BOOL,
                    [](R& r, DispatchCall& c) { c.result() = Variant(r.cursor().Close() != 0); }),
          member<R>(u"GetColumnName", 7, kMethod, {in(VT_I2)}, VT_BSTR,
                    [](R& r, DispatchCall& c) {
                      c.result() = Variant(std::u16string_view(r.cursor().GetColumnName(number(c))));
                    }),
          member<R>(u"GetParamCount", 8, kMethod, {}, VT_I2,
                    [](R& r, DispatchCall& c) { c.result() = Variant(r.cursor().ParamCount()); }),
          member<R>(u"GetParamName", 9, kMethod, {in(VT_I2)}, VT_BSTR,
                    [](R& r, DispatchCall& c) {
                      c.result() = Variant(std::u16string_view(r.cursor().GetParamName(number(c))));
                    }),
          member<R>(u"GetColumnHeader", 10, kMethod, {in(VT_I2)}, VT_BSTR,
                    [](R& r, DispatchCall& c) {
                      c.result() = Variant(std::u16string_view(r.cursor().GetColumnHeader(number(c))));
                    }),
          member<R>(u"GetDataByName", 11, kMethod, {in(VT_BSTR)}, VT_VARIANT,
                    [](R& r, DispatchCall& c) { c.result() = r.dataByName(c.arg(0).toString()); }),
          member<R>(u"ContainsID", 12, kMethod, {}, VT_I2,
                    [](R& r, DispatchCall& c) { c.result() = Variant(r.cursor().IdColumn()); }),
          member<R>(u"SetParam", 13, kMethod, {in(VT_I2), in(VT_VARIANT)}, VT_EMPTY,
                    [](R& r, DispatchCall& c) { r.setParam(number(c), c.arg(1)); }),
          member<R>(u"Prepare", 14, kMethod, sixteenOptional(), VT_EMPTY,
                    [](R& r, DispatchCall& c) { r.cursor().Prepare(arguments(c)); }),
          member<R>(u"Get", 15, kMethod, {in(VT_BSTR)}, VT_VARIANT,
                    [](R& r, DispatchCall& c) { c.result() = r.dataByName(c.arg(0).toString()); }),
          member<R>(u"IsDataNull", 16, kMethod, {in(VT_I2)}, VT_BOOL,
                    [](R& r, DispatchCall& c) { c.result() = Variant(r.cursor().IsDataNull(number(c)) != 0); }),
      });
  return table;
}

}  // namespace kesto::object
