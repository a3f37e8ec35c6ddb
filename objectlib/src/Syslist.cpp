// The list object's storage: walking, reading and changing elements in place.
#include <kestoobject/Syslist.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>

#include <text/CodePage.h>

#include <algorithm>
#include <cstring>

namespace kesto::object {

using automation::ComPtr;
using automation::Variant;

namespace {

bool isReadableType(std::uint8_t type) {
  return type == kListNarrow || type == kListWide ||
         (type >= kListPositive && type <= kListNegativeDec);
}

std::string utf16Bytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

}  // namespace

CSyslist::CSyslist(std::size_t capacity) : data_(std::max<std::size_t>(capacity, 1), 0) {}

ComPtr<CSyslist> CSyslist::createEmpty() { return create(kNewCapacity); }

ComPtr<CSyslist> CSyslist::fromBytes(std::span<const std::uint8_t> bytes) {
  ComPtr<CSyslist> list = create(bytes.size() + 1);
  if (!bytes.empty()) std::memcpy(list->data_.data(), bytes.data(), bytes.size());
  list->used_ = bytes.size();
  return list;
}

CSyslist* CSyslist::native(IUnknown* object) {
  NativeObject* found = nativeObject(object);
  if (found == nullptr || found->nativeKind() != Kind::Syslist) return nullptr;
  return static_cast<CSyslist*>(found);
}

void* CSyslist::queryExtra(REFIID riid) {
  return riid == kIidNativeObject ? static_cast<NativeObject*>(this) : nullptr;
}

std::size_t CSyslist::step(std::size_t at) const {
  const auto element = ListPeekItem(begin() + at, end());
  if (!element) RaiseClientError(std::string(text(TextId::WrongListFormat)));
  return static_cast<std::size_t>(element->next - begin());
}

long CSyslist::walk(long n, std::size_t& at) const {
  long number = 1;
  at = 0;
  if (rememberedNumber_ >= 1 && rememberedNumber_ <= n) {
    number = rememberedNumber_;
    at = rememberedPlace_;
  }
  while (number < n && at < used_) {
    at = step(at);
    ++number;
  }
  return number;
}

bool CSyslist::reach(long n, std::size_t& at) {
  if (n < 1) return false;
  walk(n, at);
  if (at >= used_) return false;
  rememberedNumber_ = n;
  rememberedPlace_ = at;
  return true;
}

long CSyslist::count() {
  if (keptCount_ >= 0) return keptCount_;
  long number = 0;
  std::size_t at = 0;
  if (rememberedNumber_ >= 1) {
    number = rememberedNumber_ - 1;
    at = rememberedPlace_;
  }
  while (at < used_) {
    at = step(at);
    ++number;
  }
  keptCount_ = number;
  return keptCount_;
}

void CSyslist::ensureCapacity(std::size_t needed) {
  if (needed <= data_.size()) return;
  data_.resize(needed + 16, 0);
}

void CSyslist::putElement(long n, const void* data, std::size_t length, std::uint8_t type) {
  if (n < 1) return;  // no place before the first element
  std::vector<std::uint8_t> element(length + 4);
  const std::size_t elementSize = ListEncodeItem(element.data(), element.size(), data, length, type);
  if (elementSize == 0) RaiseClientError("List element too large");

  std::size_t at = 0;
  const long number = walk(n, at);
  std::size_t oldSize = 0;
  std::size_t padding = 0;
  if (at < used_) {
    const auto old = ListPeekItem(begin() + at, end());
    if (!old) RaiseClientError(std::string(text(TextId::WrongListFormat)));
    if (!old->undefined && !isReadableType(old->type))
      RaiseError(0, formatText(TextId::CannotExtract, old->type));
    oldSize = static_cast<std::size_t>(old->next - (begin() + at));
  } else {
    padding = static_cast<std::size_t>(n - number);
  }

  const std::size_t oldUsed = used_;
  const std::vector<std::uint8_t> tail(data_.begin() + static_cast<std::ptrdiff_t>(at + oldSize),
                                       data_.begin() + static_cast<std::ptrdiff_t>(oldUsed));
  const std::size_t newUsed = at + padding + elementSize + tail.size();
  ensureCapacity(newUsed);
  std::uint8_t* out = data_.data() + at;
  std::memset(out, kListUndefinedByte, padding);
  std::memcpy(out + padding, element.data(), elementSize);
  if (!tail.empty()) std::memcpy(out + padding + elementSize, tail.data(), tail.size());
  if (newUsed < oldUsed) std::memset(data_.data() + newUsed, 0, oldUsed - newUsed);
  used_ = newUsed;

  if (keptCount_ >= 0 && keptCount_ < n) keptCount_ = n;
  forget();
}

Variant CSyslist::item(long index) {
  Variant value = Variant::null();
  std::size_t at = 0;
  if (reach(index, at)) ListItemToVariant(begin() + at, end(), value.get());
  if (value.isNull()) forget();
  return value;
}

void CSyslist::putItem(long index, const Variant& value) {
  if (index < 1) return;
  if (value.isNull()) {
    putElement(index, nullptr, 0, 0);
    return;
  }
  const std::u16string text = value.changedTo(VT_BSTR).toString();
  if (multibyte_) {
    const std::string narrow = text::toNarrow(text, text::CodePage::Ansi);
    putElement(index, narrow.data(), narrow.size(), kListNarrow);
  } else {
    const std::string wide = utf16Bytes(text);
    putElement(index, wide.data(), wide.size(), kListWide);
  }
}

void CSyslist::add(const Variant& value) { putItem(count() + 1, value); }

void CSyslist::remove(long index) {
  if (index < 0) return;
  if (index == 0) index = 1;
  if (index > count()) return;
  std::size_t at = 0;
  if (!reach(index, at)) return;
  const std::size_t size = step(at) - at;
  std::memmove(data_.data() + at, data_.data() + at + size, used_ - at - size);
  std::memset(data_.data() + used_ - size, 0, size);
  used_ -= size;
  --keptCount_;
  forget();
}

ComPtr<CSyslist> CSyslist::itemList(long index) {
  if (index < 1 || index > count()) return nullptr;
  std::size_t at = 0;
  if (!reach(index, at)) return nullptr;
  std::vector<std::uint8_t> element(step(at) - at + kListNumberTextMax);
  std::size_t length = 0;
  int type = 0;
  if (!ListDecodeItem(begin() + at, end(), element.data(), element.size(), length, type))
    RaiseClientError(std::string(text(TextId::WrongListFormat)));
  return fromBytes({element.data(), length});
}

void CSyslist::putItemList(long index, IDispatch* other) {
  CSyslist* list = native(other);
  if (list == nullptr) RaiseClientError(std::string(text(TextId::TypeMismatch)));
  if (list == this) RaiseError(0, std::string(text(TextId::RecursionNotAllowed)));
  if (index < 1) return;
  const std::vector<std::uint8_t> bytes(list->bytes().begin(), list->bytes().end());
  // An empty list still needs a data pointer, or it would be stored as undefined.
  static constexpr std::uint8_t kNothing = 0;
  putElement(index, bytes.empty() ? &kNothing : bytes.data(), bytes.size(), kListNarrow);
}

void CSyslist::replaceData(std::span<const std::uint8_t> bytes) {
  if (bytes.size() + 1 > data_.size()) data_.assign(bytes.size() + 1, 0);
  if (!bytes.empty()) std::memcpy(data_.data(), bytes.data(), bytes.size());
  if (bytes.size() < used_) std::memset(data_.data() + bytes.size(), 0, used_ - bytes.size());
  used_ = bytes.size();
  forgetAll();
}

void CSyslist::set(const Variant& value) {
  if (value.vt() != VT_BSTR) return;
  const std::string bytes = value.toBytes();
  replaceData({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

void CSyslist::clear() {
  std::fill(data_.begin(), data_.end(), 0);
  used_ = 0;
  forgetAll();
}

}  // namespace kesto::object
