// Element readers on top of the framing: raw copies, typed texts, integers, VARIANTs.
#include <kestoobject/ListReaders.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ModuleState.h>

#include <automation/VariantData.h>
#include <text/CodePage.h>
#include <text/Numbers.h>

#include <cstring>
#include <new>

namespace kesto::object {

namespace {

// An element read as text: the data of types 1 and 2, or the decimal text of a number
// (then type 1, written into scratch).
struct ItemText {
  const std::uint8_t* data;
  std::size_t length;
  int type;
  const std::uint8_t* next;
  bool number;  // decimal text in scratch
};

[[noreturn]] void raiseWrongFormat() { RaiseClientError(std::string(text(TextId::WrongListFormat))); }

[[noreturn]] void raiseCannotExtract(int type) {
  RaiseError(0, formatText(TextId::CannotExtract, type));
}

bool isNumberType(int type) { return type >= kListPositive && type <= kListNegativeDec; }

// False when malformed; throws for the undefined element and unreadable types.
bool readItemText(const std::uint8_t* p, const std::uint8_t* end,
                             char (&scratch)[kListNumberTextMax], ItemText& out) {
  const auto element = ListPeekItem(p, end);
  if (!element) return false;
  if (element->undefined) RaiseClientError(std::string(text(TextId::UndefinedElement)));
  out.next = element->next;
  if (element->type == kListNarrow || element->type == kListWide) {
    out.data = element->data;
    out.length = element->length;
    out.type = element->type;
    out.number = false;
    return true;
  }
  if (!isNumberType(element->type)) raiseCannotExtract(element->type);
  ListNumber number;
  const int decoded = ListDecodeNumber(element->data, number, element->type, element->length);
  // A number that does not decode reads as the empty text.
  out.length = decoded > 0 ? ListFormatNumber(number, scratch, sizeof scratch) : 0;
  out.data = reinterpret_cast<const std::uint8_t*>(scratch);
  out.type = kListNarrow;
  out.number = true;
  return true;
}

// As readItemText, but a malformed element is "Wrong list format".
ItemText requireItemText(const std::uint8_t* p, const std::uint8_t* end,
                         char (&scratch)[kListNumberTextMax]) {
  ItemText item;
  if (!readItemText(p, end, scratch, item)) raiseWrongFormat();
  return item;
}

// Into `result`, keeping its storage (a reused buffer takes no allocation).
void assignWide(std::u16string& result, const std::uint8_t* data, std::size_t length) {
  result.assign((length + 1) / 2, u'\0');
  for (std::size_t i = 0; i < length; ++i)
    result[i / 2] = static_cast<char16_t>(result[i / 2] | (data[i] << (8 * (i % 2))));
}

void assignAnsi(std::u16string& result, std::string_view ansi) {
  result.resize(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); ++i)
    result[i] = text::toWideChar(static_cast<unsigned char>(ansi[i]), text::CodePage::Ansi);
}

std::u16string wideFromBytes(const std::uint8_t* data, std::size_t length) {
  std::u16string result;
  assignWide(result, data, length);
  return result;
}

std::string_view asChars(const ItemText& item) {
  return {reinterpret_cast<const char*>(item.data), item.length};
}

}  // namespace

const std::uint8_t* ListDecodeItem(const std::uint8_t* element, const std::uint8_t* end,
                                   std::uint8_t* dst, std::size_t capacity,
                                   std::size_t& outLength, int& outType) {
  char scratch[kListNumberTextMax];
  ItemText item;
  if (!readItemText(element, end, scratch, item)) return nullptr;
  // Number texts carry a terminating NUL; element data is copied as it is.
  const std::size_t needed = item.length + (item.number ? 1 : 0);
  if (needed > capacity) RaiseClientError("List element too large");
  if (item.length > 0) std::memcpy(dst, item.data, item.length);
  if (item.number) dst[item.length] = 0;
  outLength = item.length;
  outType = item.type;
  return item.next;
}

const std::uint8_t* ListReadInteger(const std::uint8_t* p, const std::uint8_t* end,
                                    int& value) {
  char scratch[kListNumberTextMax];
  value = 0;
  const ItemText item = requireItemText(p, end, scratch);
  value = item.type == kListWide ? text::wtoi(wideFromBytes(item.data, item.length))
                                 : text::atoi(asChars(item));
  return item.next;
}

const std::uint8_t* ListReadWide(const std::uint8_t* p, const std::uint8_t* end,
                                 std::u16string& result) {
  char scratch[kListNumberTextMax];
  const ItemText item = requireItemText(p, end, scratch);
  if (item.type == kListWide)
    assignWide(result, item.data, item.length);
  else
    assignAnsi(result, asChars(item));
  return item.next;
}

const std::uint8_t* ListReadNarrow(const std::uint8_t* p, const std::uint8_t* end,
                                   std::string& result) {
  char scratch[kListNumberTextMax];
  const ItemText item = requireItemText(p, end, scratch);
  result = item.type == kListWide
               ? text::toNarrow(wideFromBytes(item.data, item.length), text::CodePage::Ansi)
               : std::string(asChars(item));
  return item.next;
}

const std::uint8_t* ListItemToVariant(const std::uint8_t* p, const std::uint8_t* end,
                                      VARIANT* out) {
  const auto element = ListPeekItem(p, end);
  if (!element) raiseWrongFormat();
  VariantClear(out);
  if (element->undefined) {
    out->vt = VT_NULL;
    return element->next;
  }
  const auto type = element->type;
  if (type == kListNarrow || type == kListWide) {
    BSTR value;
    if (type == kListNarrow) {
      const std::u16string wide = text::toWide(
          {reinterpret_cast<const char*>(element->data), element->length}, text::CodePage::Ansi);
      value = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    } else {
      value = SysAllocStringByteLen(reinterpret_cast<const char*>(element->data),
                                    static_cast<UINT>(element->length));
    }
    if (value == nullptr) throw std::bad_alloc();
    out->vt = VT_BSTR;
    out->bstrVal = value;
    return element->next;
  }
  if (!isNumberType(type)) raiseCannotExtract(type);
  ListNumber number;
  switch (ListDecodeNumber(element->data, number, type, element->length)) {
    case kListNumberInteger:
      out->vt = VT_I4;
      out->lVal = number.integer;
      break;
    case kListNumberReal:
      out->vt = VT_R8;
      out->dblVal = number.real;
      break;
    default:
      out->vt = VT_NULL;
      break;
  }
  return element->next;
}

std::size_t WideToAnsiInPlace(std::uint8_t* buffer, std::size_t byteLength) {
  const std::string narrow =
      text::toNarrow(wideFromBytes(buffer, byteLength & ~std::size_t{1}), text::CodePage::Ansi);
  std::memcpy(buffer, narrow.data(), narrow.size());
  return narrow.size();
}

}  // namespace kesto::object
