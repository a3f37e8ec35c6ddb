#include <kestoobject/ClassInfo.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>

#include <automation/DispatchException.h>
#include <text/CodePage.h>
#include <text/Compare.h>
#include <text/Numbers.h>

#include <set>

namespace kesto::object {

namespace {

constexpr int kKindProperty = 1;
constexpr int kKindMethod = 2;
constexpr int kKindClassMethod = 3;
constexpr int kByRefFlag = 128;

// A server that keeps answering with new keys is not trusted beyond this.
constexpr int kMaxPieces = 10000;

std::string wrongFormat() { return std::string(text(TextId::WrongListFormat)); }

// The data of the one element at p; "Wrong list format" when it is not text.
ListElement requireTextElement(const std::uint8_t* p, const std::uint8_t* end) {
  const auto element = ListPeekItem(p, end);
  if (!element || element->undefined ||
      (element->type != kListNarrow && element->type != kListWide))
    RaiseClientError(wrongFormat());
  return *element;
}

std::vector<ArgumentInfo> parseArgumentCodes(std::u16string_view codes) {
  std::vector<ArgumentInfo> arguments;
  if (codes.empty()) return arguments;
  std::size_t start = 0;
  while (start <= codes.size()) {
    std::size_t comma = codes.find(u',', start);
    if (comma == std::u16string_view::npos) comma = codes.size();
    int code = text::wtoi(codes.substr(start, comma - start));
    ArgumentInfo arg;
    arg.Position = static_cast<int>(arguments.size()) + 2;
    if (code >= kByRefFlag) {
      arg.ByRef = true;
      code -= kByRefFlag;
    }
    const ServerType mapped = MapServerType(code);
    arg.Type = mapped.type;
    arg.Conversion = mapped.conversion;
    arguments.push_back(arg);
    start = comma + 1;
  }
  return arguments;
}

}  // namespace

ServerType MapServerType(int code) {
  switch (code) {
    case 0: return {VT_EMPTY, kConvNone};
    case 1: return {VT_BSTR, kConvBinary};
    case 2: return {VT_DATE, kConvDate};
    case 3: return {VT_R8, kConvDouble};
    case 4: return {VT_DISPATCH, kConvObject};
    case 5: return {VT_I4, kConvInteger};
    case 6: return {VT_DISPATCH, kConvList};
    case 8: return {VT_DATE, kConvTimeOrStatus};
    case 11: return {VT_BSTR, kConvTimeOrStatus};
    case 12: return {VT_DISPATCH, kConvBinary};
    case 13: return {VT_DISPATCH, kConvCharStream};
    case 14: return {VT_R8, kConvNumber};
    case 15: return {VT_CY, kConvCurrency};
    case 16: return {VT_BOOL, kConvBoolean};
    default: return {VT_BSTR, kConvText};
  }
}

std::u16string ExposedMethodName(std::u16string_view serverName) {
  std::u16string exposed;
  if (!serverName.empty() && serverName.front() == u'%') {
    exposed = u"SYS_";
    serverName.remove_prefix(1);
  }
  for (char16_t ch : serverName) exposed += ch == u'%' ? u'_' : ch;
  return exposed;
}

ClassInfo::ClassInfo(std::u16string className, const DescribeRequest& describe)
    : className_(std::move(className)) {
  fetch(describe);
}

void ClassInfo::fetch(const DescribeRequest& describe) {
  ModuleState& state = moduleState();
  const std::string failure = "Failure in GetClassInfo for " + text::utf16ToUtf8(className_) + "\n";
  std::string key;
  std::set<std::string> keysSeen;
  for (int piece = 0; piece < kMaxPieces; ++piece) {
    const auto payload = describe(className_, key);
    if (!payload) {
      state.LastErrorText = failure + state.LastErrorText;
      return;
    }
    try {
      key = ParsePiece(*payload);
    } catch (const automation::DispatchException& e) {
      state.LastErrorText = failure + e.description + "\n" + state.LastErrorText;
      Clear();
      return;
    }
    if (key.empty()) {
      valid_ = true;
      return;
    }
    // A key that comes round again would loop for ever.
    if (!keysSeen.insert(key).second) break;
  }
  state.LastErrorText = failure + wrongFormat() + "\n" + state.LastErrorText;
  Clear();
}

std::string ClassInfo::ParsePiece(std::span<const std::uint8_t> payload) {
  const std::uint8_t* p = payload.data();
  const std::uint8_t* const end = p + payload.size();
  const ListElement outer = requireTextElement(p, end);
  if (outer.length == 0) RaiseClientError(wrongFormat());
  const std::uint8_t* item = outer.data;
  const std::uint8_t* const itemsEnd = outer.data + outer.length;
  while (item < itemsEnd) {
    const ListElement itemList = requireTextElement(item, itemsEnd);
    parseItem(itemList.data, itemList.data + itemList.length);
    item = itemList.next;
  }
  // The last piece may end without a key at all.
  if (outer.next >= end) return {};
  std::string key;
  ListReadNarrow(outer.next, end, key);
  return key;
}

void ClassInfo::parseItem(const std::uint8_t* p, const std::uint8_t* end) {
  int kind = 0;
  std::u16string name;
  int dispId = 0;
  int typeCode = 0;
  p = ListReadInteger(p, end, kind);
  if (kind != kKindProperty && kind != kKindMethod && kind != kKindClassMethod) return;
  p = ListReadWide(p, end, name);
  p = ListReadInteger(p, end, dispId);
  p = ListReadInteger(p, end, typeCode);
  const ServerType mapped = MapServerType(typeCode);
  if (kind == kKindProperty) {
    int flagA = 0;
    int flagB = 0;
    p = ListReadInteger(p, end, flagA);
    ListReadInteger(p, end, flagB);
    PropertyInfo property;
    property.Name = std::move(name);
    property.DispId = dispId;
    property.Type = mapped.type;
    property.Conversion = mapped.conversion;
    if (flagA == 1) {
      property.Prefetch = mapped.type != VT_DISPATCH || typeCode == 4;
      property.Batched = mapped.type != VT_DISPATCH;
    }
    property.DeferredWrite = flagB == 1;
    properties_[dispId] = std::move(property);
    return;
  }
  std::u16string codes;
  int flagC = 0;
  p = ListReadWide(p, end, codes);
  ListReadInteger(p, end, flagC);
  MethodInfo method;
  method.ExposedName = ExposedMethodName(name);
  method.ServerName = std::move(name);
  method.DispId = dispId;
  method.ReturnType = mapped.type;
  method.ReturnConversion = mapped.conversion;
  method.Arguments = parseArgumentCodes(codes);
  method.DeferredCall = flagC == 1 && typeCode == 0;
  methods_[dispId] = std::move(method);
}

DISPID ClassInfo::Lookup(std::u16string_view name) const {
  for (const auto& [id, property] : properties_)
    if (text::equalsNoCase(property.Name, name)) return id;
  for (const auto& [id, method] : methods_)
    if (text::equalsNoCase(method.ExposedName, name)) return id;
  return kNoDispId;
}

const PropertyInfo* ClassInfo::Property(DISPID id) const {
  const auto it = properties_.find(id);
  return it == properties_.end() ? nullptr : &it->second;
}

const MethodInfo* ClassInfo::Method(DISPID id) const {
  const auto it = methods_.find(id);
  return it == methods_.end() ? nullptr : &it->second;
}

void ClassInfo::Clear() {
  properties_.clear();
  methods_.clear();
  valid_ = false;
}

}  // namespace kesto::object
