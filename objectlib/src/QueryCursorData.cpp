// Reading the query cursor's current row and its descriptions, and the marker rewrite of
// dynamic statements.
#include <kestoobject/QueryCursor.h>

#include <kestoobject/ClassInfo.h>
#include <kestoobject/ErrorTexts.h>
#include <kestoobject/Factory.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ObjInstanceValue.h>

#include <text/Compare.h>
#include <text/Numbers.h>

#include <algorithm>

namespace kesto::object {

using automation::Variant;

namespace {

template <class Char>
std::basic_string<Char> rewriteMarkers(std::basic_string_view<Char> statement) {
  std::basic_string<Char> out;
  out.reserve(statement.size() + 16);
  bool inSingle = false;
  bool inDouble = false;
  int marker = 0;
  for (const Char c : statement) {
    if (c == Char('\'') && !inDouble) inSingle = !inSingle;
    if (c == Char('"') && !inSingle) inDouble = !inDouble;
    if (c == Char('?') && !inSingle && !inDouble) {
      const std::string replaced = ":q(" + std::to_string(marker++) + ")";
      out.append(replaced.begin(), replaced.end());
      continue;
    }
    out.push_back(c);
  }
  return out;
}

}  // namespace

// The server sends an empty string of a plain string column as 8-bit text of one NUL byte.
bool QueryCursor::isServerEmptyString(const Field& field, const std::uint8_t* element,
                                      const std::uint8_t* next) {
  return field.conversion == kConvText && field.type == VT_BSTR && next - element == 3 &&
         element[0] == 3 && element[1] == kListNarrow && element[2] == 0;
}

std::u16string RewriteStatementMarkers(std::u16string_view statement) {
  return rewriteMarkers(statement);
}

std::string RewriteStatementMarkers(std::string_view statement) {
  return rewriteMarkers(statement);
}

const std::uint8_t* QueryCursor::columnElement(int column) const {
  if (!hasRow_ || column > static_cast<int>(columns_.size()) || columns_.empty()) return nullptr;
  const std::uint8_t* end = rows_.data() + rows_.size();
  const std::uint8_t* p = rows_.data() + currentRow_;
  for (int c = 1; c < column; ++c) {
    const std::size_t size = ListElementSize(p, end);
    if (size == 0) RaiseClientError(std::string(text(TextId::WrongListFormat)));
    p += size;
  }
  if (ListElementSize(p, end) == 0) RaiseClientError(std::string(text(TextId::WrongListFormat)));
  return p;
}

Variant QueryCursor::GetData(int column) {
  requireOpen();
  const std::uint8_t* element = columnElement(column);
  if (!element) return Variant();
  const Field& field = columns_[static_cast<std::size_t>(std::max(column, 1) - 1)];
  const std::uint8_t* end = rows_.data() + rows_.size();
  const auto peeked = ListPeekItem(element, end);
  if (!peeked) RaiseClientError(std::string(text(TextId::WrongListFormat)));
  if (peeked->undefined) return Variant::null();

  ServerText value;
  if (isServerEmptyString(field, element, peeked->next)) {
    // The server's empty string is one NUL byte: it reads as the empty text, not as NUL.
  } else if (field.conversion == kConvBinary || field.conversion == kConvList) {
    value.Raw = true;
    value.Bytes.assign(reinterpret_cast<const char*>(peeked->data), peeked->length);
  } else {
    ListReadWide(element, end, value.Text);
  }
  Variant out;
  if (ServerTextToValue(value, field.type, field.conversion, out)) return out;
  if (field.type == VT_DISPATCH && field.conversion == kConvObject) {
    const long ref = text::wtoi(value.Text);
    IDispatch* proxy = ref > 0 ? owner_->ProxyForRef(ref) : nullptr;
    if (ref > 0 && !proxy) raiseServerError();
    VARIANT adopted;
    VariantInit(&adopted);
    adopted.vt = VT_DISPATCH;
    adopted.pdispVal = proxy;
    return Variant::attach(adopted);
  }
  return Variant(std::u16string_view(value.Text));
}

int QueryCursor::IsDataNull(int column) {
  requireOpen();
  const std::uint8_t* element = columnElement(column);
  if (!element) return 1;
  const Field& field = columns_[static_cast<std::size_t>(std::max(column, 1) - 1)];
  const std::uint8_t* end = rows_.data() + rows_.size();
  const auto peeked = ListPeekItem(element, end);
  if (!peeked) RaiseClientError(std::string(text(TextId::WrongListFormat)));
  if (peeked->undefined) return 1;
  if (isServerEmptyString(field, element, peeked->next)) return 0;
  std::u16string value;
  ListReadWide(element, end, value);
  return value.empty() || value[0] == u'\0' ? 1 : 0;
}

std::u16string QueryCursor::GetColumnName(int column) const {
  if (column > static_cast<int>(columns_.size()) || columns_.empty()) return {};
  return columns_[static_cast<std::size_t>(std::max(column, 1) - 1)].name;
}

std::u16string QueryCursor::GetColumnHeader(int column) const {
  if (column > static_cast<int>(columns_.size()) || columns_.empty()) return {};
  const Field& field = columns_[static_cast<std::size_t>(std::max(column, 1) - 1)];
  return field.header.empty() ? field.name : field.header;
}

std::u16string QueryCursor::GetParamName(int param) const {
  if (param > static_cast<int>(params_.size()) || params_.empty()) return {};
  return params_[static_cast<std::size_t>(std::max(param, 1) - 1)].name;
}

int QueryCursor::ColumnNumber(std::u16string_view name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (text::equalsNoCase(name, columns_[i].name)) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace kesto::object
