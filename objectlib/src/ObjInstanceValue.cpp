#include <kestoobject/ObjInstanceValue.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/Syslist.h>

#include <text/CodePage.h>
#include <text/Numbers.h>

#include <charconv>
#include <cmath>
#include <cstring>

namespace kesto::object {

namespace {

constexpr int kDayOffset = 21548;  // server day number of automation date 0
constexpr double kSecondsPerDay = 86400.0;

std::u16string ascii(std::string_view text) { return {text.begin(), text.end()}; }

std::u16string formatInteger(long value) { return ascii(std::to_string(value)); }

// "%f" and "%g" without the process locale.
std::u16string formatReal(double value, std::chars_format format) {
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format, 6);
  if (ec != std::errc{}) return u"0";
  return ascii({buffer, static_cast<std::size_t>(end - buffer)});
}

// The leading decimal real of a server text ("12.5"); 0 when there is none.
double parseReal(std::u16string_view text) {
  std::string narrow;
  for (char16_t ch : text) {
    if (ch > 0x7F) break;
    narrow += static_cast<char>(ch);
  }
  const std::size_t start = narrow.find_first_not_of(" \t");
  if (start == std::string::npos) return 0.0;
  const char* first = narrow.data() + start;
  if (*first == '+') ++first;
  double value = 0.0;
  std::from_chars(first, narrow.data() + narrow.size(), value);
  return value;
}

// Whole days and seconds of a date, seconds rounded, with the carry into the day.
void splitDate(DATE date, long& days, long& seconds) {
  const double whole = std::trunc(date);
  days = static_cast<long>(whole);
  seconds = std::lround(std::fabs(date - whole) * kSecondsPerDay);
  if (seconds >= static_cast<long>(kSecondsPerDay)) {
    seconds = 0;
    days += date < 0 ? -1 : 1;
  }
}

// The value itself when it is held by reference (a variant by reference: its inner value).
VARIANT readThrough(const VARIANT& value) {
  VARIANT plain = value;
  while (plain.vt & VT_BYREF) {
    const VARTYPE inner = plain.vt & ~VT_BYREF;
    void* p = plain.byref;
    if (inner == VT_VARIANT) {
      plain = p ? *static_cast<VARIANT*>(p) : VARIANT{};
      continue;
    }
    plain.vt = inner;
    if (!p) return VARIANT{};
    switch (inner) {
      case VT_I2: plain.iVal = *static_cast<SHORT*>(p); break;
      case VT_I4: plain.lVal = *static_cast<LONG*>(p); break;
      case VT_R4: plain.fltVal = *static_cast<float*>(p); break;
      case VT_R8: plain.dblVal = *static_cast<double*>(p); break;
      case VT_CY: plain.cyVal = *static_cast<CY*>(p); break;
      case VT_DATE: plain.date = *static_cast<DATE*>(p); break;
      case VT_BSTR: plain.bstrVal = *static_cast<BSTR*>(p); break;
      case VT_DISPATCH: plain.pdispVal = *static_cast<IDispatch**>(p); break;
      case VT_BOOL: plain.boolVal = *static_cast<VARIANT_BOOL*>(p); break;
      default: plain.vt = inner | VT_BYREF; return plain;  // no server form; reported below
    }
  }
  return plain;
}

bool refuse(VARTYPE type) {
  moduleState().LastErrorText = formatText(TextId::UnsupportedVariant, static_cast<long>(type));
  return false;
}

std::string bytesOf(BSTR text) {
  return {reinterpret_cast<const char*>(text), SysStringByteLen(text)};
}

std::u16string textOf(BSTR text) { return {text ? text : u"", SysStringLen(text)}; }

}  // namespace

bool ValueAsDate(const VARIANT& given, automation::Variant& out) {
  automation::Variant plain;
  if (FAILED(VariantCopyInd(plain.get(), &given))) return false;
  if (plain.vt() == VT_DATE) {
    out = std::move(plain);
    return true;
  }
  if (plain.vt() == VT_BSTR && SysStringLen(plain.raw().bstrVal) == 0) plain.clear();
  automation::Variant date;
  if (FAILED(VariantChangeType(date.get(), plain.get(), 0, VT_DATE))) {
    moduleState().LastErrorText = std::string(text(TextId::WrongDateFormat));
    return false;
  }
  out = std::move(date);
  return true;
}

std::u16string DateToServerText(DATE date) {
  if (date == 0.0) return {};
  long days = 0;
  long seconds = 0;
  splitDate(date, days, seconds);
  std::u16string text = formatInteger(days + kDayOffset);
  if (seconds > 0) text += u"," + formatInteger(seconds);
  return text;
}

DATE DateFromServerText(std::u16string_view text) {
  if (text.empty()) return 0.0;
  const std::size_t comma = text.find(u',');
  const double day = text::wtoi(text.substr(0, comma)) - kDayOffset;
  const double fraction =
      comma == std::u16string_view::npos ? 0.0 : text::wtoi(text.substr(comma + 1)) / kSecondsPerDay;
  return day > 0 ? day + fraction : day - fraction;
}

std::u16string TimeToServerText(DATE date) {
  if (date == 0.0) return {};
  const double seconds = std::round(std::fabs(date - std::trunc(date)) * kSecondsPerDay);
  return formatReal(seconds, std::chars_format::general);
}

DATE TimeFromServerText(std::u16string_view text) { return parseReal(text) / kSecondsPerDay; }

namespace {

bool convertValue(const VARIANT& given, int conversion, ServerText& out,
                  ObjectToText objectText) {
  const VARIANT value = readThrough(given);
  out = ServerText{};
  switch (value.vt) {
    case VT_I2: out.Text = formatInteger(value.iVal); return true;
    case VT_I4: out.Text = formatInteger(value.lVal); return true;
    case VT_R4: out.Text = formatReal(value.fltVal, std::chars_format::fixed); return true;
    case VT_R8: out.Text = formatReal(value.dblVal, std::chars_format::fixed); return true;
    case VT_CY: {
      BSTR text = nullptr;
      if (FAILED(VarBstrFromCy(value.cyVal, LOCALE_USER_DEFAULT, 0, &text))) return refuse(VT_CY);
      out.Text = textOf(text);
      SysFreeString(text);
      return true;
    }
    case VT_DATE:
      out.Text = conversion == kConvTimeOrStatus ? TimeToServerText(value.date)
                                                 : DateToServerText(value.date);
      return true;
    case VT_BSTR:
      if (conversion == kConvBinary) {
        out.Raw = true;
        out.Bytes = bytesOf(value.bstrVal);
      } else {
        out.Text = textOf(value.bstrVal);
      }
      return true;
    case VT_BOOL: out.Text = value.boolVal ? u"1" : u"0"; return true;
    case VT_DISPATCH:
      if (conversion == kConvList) {
        out.Raw = true;
        if (CSyslist* list = CSyslist::native(value.pdispVal)) {
          const auto bytes = list->bytes();
          out.Bytes.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
        return true;
      }
      return objectText ? objectText(value.pdispVal, conversion, out) : refuse(VT_DISPATCH);
    default: return refuse(value.vt);
  }
}

}  // namespace

bool ValueToServerText(const VARIANT& value, int conversion, ServerText& out,
                       ObjectToText objectText) {
  if (!convertValue(value, conversion, out, objectText)) return false;
  // Binary and list values always travel as bytes; a text given for one goes as ANSI.
  if (!out.Raw && (conversion == kConvBinary || conversion == kConvList)) {
    out.Bytes = text::toNarrow(out.Text, text::CodePage::Ansi);
    out.Text.clear();
    out.Raw = true;
  }
  return true;
}

void AppendServerText(ListBuilder& body, const ServerText& value, bool unicodeServer) {
  if (value.Raw)
    body.raw({reinterpret_cast<const std::uint8_t*>(value.Bytes.data()), value.Bytes.size()});
  else
    body.value(value.Text, unicodeServer);
}

bool ServerTextToValue(const ServerText& value, VARTYPE type, int conversion,
                       automation::Variant& out) {
  const std::u16string& text = value.Text;
  switch (type) {
    case VT_I2: out = static_cast<std::int16_t>(text::wtoi(text)); return true;
    case VT_I4: out = static_cast<std::int32_t>(text::wtoi(text)); return true;
    case VT_R4: out = static_cast<float>(parseReal(text)); return true;
    case VT_R8: out = parseReal(text); return true;
    case VT_CY: {
      CY cy{0};
      if (FAILED(VarCyFromStr(text.c_str(), LOCALE_USER_DEFAULT, 0, &cy))) cy.int64 = 0;
      out = cy;
      return true;
    }
    case VT_DATE:
      out = automation::Variant::date(conversion == kConvTimeOrStatus ? TimeFromServerText(text)
                                                                      : DateFromServerText(text));
      return true;
    case VT_BSTR:
      out = conversion == kConvBinary ? automation::Variant::bytes(value.Bytes)
                                      : automation::Variant(std::u16string_view(text));
      return true;
    case VT_BOOL: out = text::wtoi(text) != 0; return true;
    case VT_DISPATCH:
      if (conversion != kConvList) return false;
      {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(value.Bytes.data());
        auto list = CSyslist::fromBytes({bytes, value.Bytes.size()});
        out = automation::Variant(static_cast<IDispatch*>(list.get()));
      }
      return true;
    default: return refuse(type);
  }
}

namespace {

// The types a by-reference variable can take a server value in.
bool takesServerText(VARTYPE type) {
  switch (type) {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BSTR:
    case VT_BOOL:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool ServerTextToByRef(const ServerText& value, int conversion, VARIANT& target) {
  const VARTYPE type = target.vt & ~VT_BYREF;
  void* p = target.byref;
  if (!(target.vt & VT_BYREF) || !p) return false;
  if (type == VT_VARIANT) {
    VARIANT& inner = *static_cast<VARIANT*>(p);
    if (inner.vt & VT_BYREF) return ServerTextToByRef(value, conversion, inner);
    if (!takesServerText(inner.vt)) return false;
    automation::Variant converted;
    if (!ServerTextToValue(value, inner.vt, conversion, converted)) return false;
    VariantClear(&inner);
    inner = converted.detach();
    return true;
  }
  if (type == VT_DISPATCH) {
    // A list object is refilled in place; other objects are left alone.
    CSyslist* list = conversion == kConvList ? CSyslist::native(*static_cast<IDispatch**>(p)) : nullptr;
    if (!list) return false;
    list->set(automation::Variant::bytes(value.Bytes));
    return true;
  }
  if (!takesServerText(type)) return false;
  automation::Variant converted;
  if (!ServerTextToValue(value, type, conversion, converted)) return false;
  const VARIANT& v = converted.raw();
  switch (type) {
    case VT_I2: *static_cast<SHORT*>(p) = v.iVal; return true;
    case VT_I4: *static_cast<LONG*>(p) = v.lVal; return true;
    case VT_R4: *static_cast<float*>(p) = v.fltVal; return true;
    case VT_R8: *static_cast<double*>(p) = v.dblVal; return true;
    case VT_CY: *static_cast<CY*>(p) = v.cyVal; return true;
    case VT_DATE: *static_cast<DATE*>(p) = v.date; return true;
    case VT_BOOL: *static_cast<VARIANT_BOOL*>(p) = v.boolVal; return true;
    case VT_BSTR: {
      BSTR& slot = *static_cast<BSTR*>(p);
      SysFreeString(slot);
      slot = converted.detach().bstrVal;
      return true;
    }
    default: return false;
  }
}

}  // namespace kesto::object
