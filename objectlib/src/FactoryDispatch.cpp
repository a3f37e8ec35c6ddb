// IFactory: the Factory's members by dispatch identifier.
#include <kestoobject/Factory.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/Profile.h>

#include <automation/Bstr.h>
#include <text/CodePage.h>

namespace kesto::object {

namespace {

using automation::Bstr;
using automation::DispatchCall;
using automation::in;
using automation::kGet;
using automation::kMethod;
using automation::member;
using automation::optional;
using automation::Variant;

Variant objectResult(IDispatch* object) {
  Variant v(object);  // adds a reference
  if (object) object->Release();
  return v;
}

Variant boolResult(bool value) { return Variant(value); }

// Open, OpenEx and OpenId differ only in the request and how the identifier is sent.
automation::Member<Factory> openMember(std::u16string name, DISPID id, std::uint8_t code) {
  return member<Factory>(std::move(name), id, kMethod,
                         {in(VT_BSTR), in(VT_BSTR), optional(VT_VARIANT)}, VT_DISPATCH,
                         [code](Factory& f, DispatchCall& c) {
                           const std::string identifier = c.arg(1).toBytes();
                           const Bytes bytes(reinterpret_cast<const std::uint8_t*>(identifier.data()),
                                             identifier.size());
                           c.result() = objectResult(
                               f.Open(code, c.arg(0).toString(), bytes, c.arg(2).get()));
                         });
}

// The numbered item of the module's server error list (1-based).
std::optional<Bytes> errorItem(long number) {
  if (number < 1) return std::nullopt;
  const auto& errors = moduleState().ServerErrors;
  const std::uint8_t* p = errors.data();
  const std::uint8_t* end = p + errors.size();
  for (long i = 1; p < end; ++i) {
    const auto item = ListPeekItem(p, end);
    if (!item) return std::nullopt;
    if (i == number) return Bytes(item->data ? item->data : p, item->length);
    p = item->next;
  }
  return std::nullopt;
}

// Element `number` (1-based) of an item, or none.
const std::uint8_t* itemElement(Bytes item, long number) {
  const std::uint8_t* p = item.data();
  const std::uint8_t* end = p + item.size();
  for (long i = 1; p && p < end; ++i) {
    if (i == number) return p;
    const auto element = ListPeekItem(p, end);
    p = element ? element->next : nullptr;
  }
  return nullptr;
}

long countElements(Bytes item) {
  long count = 0;
  const std::uint8_t* p = item.data();
  const std::uint8_t* end = p + item.size();
  while (p && p < end) {
    const auto element = ListPeekItem(p, end);
    if (!element) break;
    ++count;
    p = element->next;
  }
  return count;
}

// A missing or zero number means 1.
long numberOr1(const DispatchCall& c, std::size_t i) {
  if (!c.given(i)) return 1;
  const long n = c.arg(i).toInt32();
  return n == 0 ? 1 : n;
}

// Element 1 (id) or 2 (class name) of an object identifier, read locally.
Variant identifierPart(const DispatchCall& c, long number) {
  const std::string oid = c.arg(0).toBytes();
  const auto* data = reinterpret_cast<const std::uint8_t*>(oid.data());
  const std::uint8_t* element = itemElement(Bytes(data, oid.size()), number);
  if (!element) return Variant(Bstr());
  std::u16string text;
  ListReadWide(element, data + oid.size(), text);
  return Variant(std::u16string_view(text));
}

void transaction(Factory& f, int (ServerLink::*command)()) {
  if (f.FlushPendingSets() < 0 || (f.Channel().*command)() != 1)
    f.Raise(moduleState().LastErrorText);
}

std::u16string textArg(const DispatchCall& c, std::size_t i) {
  return c.arg(i).changedTo(VT_BSTR).toString();
}

}  // namespace

const automation::DispatchTable<Factory>& Factory::dispatchTable() {
  static const automation::DispatchTable<Factory> table(
      std::string(text(TextId::Title)),
      {
          member<Factory>(u"Connect", 1, kMethod, {in(VT_BSTR)}, VT_BOOL,
                          [](Factory& f, DispatchCall& c) {
                            c.result() = boolResult(f.Connect(c.arg(0).toString()));
                          }),
          member<Factory>(u"Disconnect", 2, kMethod, {}, VT_BOOL,
                          [](Factory& f, DispatchCall& c) { c.result() = boolResult(f.Disconnect()); }),
          member<Factory>(u"SetLogMask", 3, kMethod, {in(VT_I4)}, VT_EMPTY,
                          [](Factory&, DispatchCall& c) { qntlog::SetMask(c.arg(0).toInt32()); }),
          member<Factory>(u"New", 4, kMethod, {in(VT_BSTR), optional(VT_VARIANT)}, VT_DISPATCH,
                          [](Factory& f, DispatchCall& c) {
                            c.result() = objectResult(
                                f.New(c.arg(0).toString(), c.given(1) ? c.arg(1).get() : nullptr));
                          }),
          openMember(u"Open", 5, ServerLink::kOpenByOid),
          openMember(u"OpenEx", 6, ServerLink::kOpenById),
          openMember(u"OpenId", 7, ServerLink::kOpenById),
          member<Factory>(u"Static", 8, kMethod, {in(VT_BSTR)}, VT_DISPATCH,
                          [](Factory& f, DispatchCall& c) {
                            c.result() = objectResult(f.Static(c.arg(0).toString()));
                          }),
          member<Factory>(u"ConnectDlg", 9, kMethod, {optional(VT_VARIANT)}, VT_BSTR,
                          [](Factory& f, DispatchCall& c) {
                            std::string title;
                            const bool hasTitle = c.given(0) && c.arg(0).vt() == VT_BSTR;
                            if (hasTitle) title = c.arg(0).toUtf8();
                            const auto chosen = f.ConnectDlg(hasTitle ? title.c_str() : nullptr);
                            c.result() = chosen ? Variant(std::string_view(*chosen)) : Variant(Bstr());
                          }),
          member<Factory>(u"IsConnected", 10, kMethod, {}, VT_BOOL,
                          [](Factory& f, DispatchCall& c) { c.result() = boolResult(f.IsConnected()); }),
          member<Factory>(u"ResultSet", 11, kMethod, {in(VT_BSTR), in(VT_BSTR)}, VT_DISPATCH,
                          [](Factory& f, DispatchCall& c) {
                            c.result() = objectResult(f.ResultSet(c.arg(0).toString(), c.arg(1).toString()));
                          }),
          member<Factory>(u"GetClassName", 12, kMethod, {automation::byRef(VT_BSTR)}, VT_BSTR,
                          [](Factory&, DispatchCall& c) { c.result() = identifierPart(c, 2); }),
          member<Factory>(u"GetId", 13, kMethod, {automation::byRef(VT_BSTR)}, VT_BSTR,
                          [](Factory&, DispatchCall& c) { c.result() = identifierPart(c, 1); }),
          member<Factory>(u"GetErrorText", 14, kMethod,
                          {in(VT_I4), optional(VT_VARIANT), optional(VT_VARIANT), optional(VT_VARIANT),
                           optional(VT_VARIANT), optional(VT_VARIANT), optional(VT_VARIANT),
                           optional(VT_VARIANT), optional(VT_VARIANT), optional(VT_VARIANT),
                           optional(VT_VARIANT)},
                          VT_BSTR,
                          [](Factory& f, DispatchCall& c) {
                            ListBuilder item;
                            item.number(c.arg(0).toInt32());
                            for (std::size_t i = 1; i < c.count() && c.given(i); ++i) item.wide(textArg(c, i));
                            if (!item.ok()) f.Raise(std::string(ServerLink::kRequestTooLarge));
                            if (f.FlushPendingSets() < 0) f.Raise(moduleState().LastErrorText);
                            c.result() = Variant(std::string_view(f.Channel().ErrorText(item.bytes())));
                          }),
          member<Factory>(u"SetOutput", 15, kMethod, {in(VT_VARIANT)}, VT_EMPTY,
                          [](Factory& f, DispatchCall& c) {
                            f.Channel().SetOutputObject(c.arg(0).dispatch());
                          }),
          member<Factory>(u"GetLastErrorCount", 16, kMethod, {}, VT_I2,
                          [](Factory&, DispatchCall& c) {
                            const auto& errors = moduleState().ServerErrors;
                            c.result() = Variant(static_cast<std::int16_t>(
                                countElements(Bytes(errors.data(), errors.size()))));
                          }),
          member<Factory>(u"GetLastErrorNumber", 17, kMethod, {optional(VT_VARIANT)}, VT_I4,
                          [](Factory&, DispatchCall& c) {
                            int number = 0;
                            if (const auto item = errorItem(numberOr1(c, 0)); item && !item->empty())
                              ListReadInteger(item->data(), item->data() + item->size(), number);
                            c.result() = Variant(static_cast<std::int32_t>(number));
                          }),
          member<Factory>(u"GetLastErrorParamCount", 18, kMethod, {optional(VT_VARIANT)}, VT_I2,
                          [](Factory&, DispatchCall& c) {
                            const auto item = errorItem(numberOr1(c, 0));
                            const long count = item ? std::max(countElements(*item) - 1, 0L) : 0;
                            c.result() = Variant(static_cast<std::int16_t>(count));
                          }),
          member<Factory>(u"GetLastErrorParam", 19, kMethod, {optional(VT_VARIANT), optional(VT_VARIANT)},
                          VT_BSTR,
                          [](Factory&, DispatchCall& c) {
                            const auto item = errorItem(numberOr1(c, 0));
                            const long param = numberOr1(c, 1);
                            const std::uint8_t* element = item && param > 0 ? itemElement(*item, param + 1) : nullptr;
                            std::u16string text;
                            if (element) ListReadWide(element, item->data() + item->size(), text);
                            c.result() = element ? Variant(std::u16string_view(text)) : Variant(Bstr());
                          }),
          member<Factory>(u"DynamicSQL", 20, kMethod, {in(VT_BSTR)}, VT_DISPATCH,
                          [](Factory& f, DispatchCall& c) {
                            c.result() = objectResult(f.DynamicSQL(c.arg(0).toString()));
                          }),
          member<Factory>(u"TransactionStart", 21, kMethod, {}, VT_EMPTY,
                          [](Factory& f, DispatchCall&) { transaction(f, &ServerLink::TransactionStart); }),
          member<Factory>(u"TransactionRollBack", 22, kMethod, {}, VT_EMPTY,
                          [](Factory& f, DispatchCall&) { transaction(f, &ServerLink::TransactionRollBack); }),
          member<Factory>(u"TransactionCommit", 23, kMethod, {}, VT_EMPTY,
                          [](Factory& f, DispatchCall&) { transaction(f, &ServerLink::TransactionCommit); }),
          member<Factory>(u"TransactionLevel", 24, kMethod, {}, VT_I2,
                          [](Factory& f, DispatchCall& c) {
                            std::int16_t level = 0;
                            if (f.FlushPendingSets() < 0 || f.Channel().TransactionLevel(level) != 1)
                              f.Raise(moduleState().LastErrorText);
                            c.result() = Variant(level);
                          }),
          member<Factory>(u"SetKestoLog", 25, kMethod, {in(VT_I4)}, VT_EMPTY,
                          [](Factory& f, DispatchCall& c) {
                            f.SetKestoLog(static_cast<std::uint32_t>(c.arg(0).toInt32()));
                          }),
          member<Factory>(u"GetConnectionList", 26, kMethod, {}, VT_BSTR,
                          [](Factory&, DispatchCall& c) {
                            c.result() = Variant(std::string_view(GetConnectionList()));
                          }),
          member<Factory>(u"IsMultibyte", 27, kMethod, {}, VT_BOOL,
                          [](Factory& f, DispatchCall& c) { c.result() = boolResult(f.IsMultibyte()); }),
      });
  return table;
}

}  // namespace kesto::object
