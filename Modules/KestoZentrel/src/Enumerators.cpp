#include "Enumerators.h"

#include "ColourAttributes.h"

#include <kestocom/KestoCOM.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace kesto::zentrel {

void RoutineLabelList::add(std::u16string_view text, std::int32_t lineIndex) {
  const std::u16string& copy = texts_.emplace_back(text);
  items_.push_back({copy.data(), copy.data() + copy.size(), lineIndex});
}

namespace {

// One reference count and QueryInterface for an enumerator interface.
template <class Interface>
class Enumerator : public Interface {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid != IUnknown::iid && riid != Interface::iid) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Enumerator() = default;

 private:
  std::atomic<ULONG> refs_{1};
};

class ColourAttributeEnumerator final : public Enumerator<IEnumColourAttributes> {
 public:
  static constexpr std::uint32_t kEnd = kColourAttributeCount;

  HRESULT Count(std::uint32_t* count) override { return count ? (*count = kEnd, S_OK) : E_POINTER; }
  HRESULT GetIndex(std::uint32_t* index) override {
    return index ? (*index = current_ - origin_, S_OK) : E_POINTER;
  }
  HRESULT SetIndex(std::uint32_t index) override {
    Reset();
    return Skip(index);
  }
  // Moving past the last record stops there with S_FALSE; the step count is never walked.
  HRESULT Skip(std::uint32_t n) override {
    if (n == 0) return S_OK;
    if (n >= kEnd - current_) {
      current_ = kEnd;
      return S_FALSE;
    }
    current_ += n;
    return S_OK;
  }
  HRESULT Next(std::uint32_t n, ColourAttributeItem** items, std::uint32_t* fetched) override {
    if (fetched) *fetched = 0;
    if (n > 0 && !items) return E_POINTER;
    std::uint32_t got = 0;
    for (; got < n && current_ < kEnd; ++got) {
      auto* item = static_cast<ColourAttributeItem*>(COM_MemAlloc(sizeof(ColourAttributeItem)));
      if (!item) {
        // Nothing of a failed call stays with the caller.
        for (std::uint32_t i = 0; i < got; ++i) COM_MemFree(items[i]), items[i] = nullptr;
        current_ -= got;
        return E_OUTOFMEMORY;
      }
      std::memset(item, 0, sizeof *item);
      const ColourAttribute& row = colourAttributes()[current_++];
      item->id = static_cast<std::uint16_t>(row.id);
      const std::size_t length = std::min<std::size_t>(std::char_traits<char16_t>::length(row.name), 256);
      std::memcpy(item->name, row.name, length * sizeof(char16_t));
      item->foreground = row.foreground;
      item->background = row.background;
      items[got] = item;
    }
    if (fetched) *fetched = got;
    return got < n ? S_FALSE : S_OK;
  }
  HRESULT MoveToEnd() override {
    current_ = origin_ = kEnd;
    return S_OK;
  }
  HRESULT Reset() override {
    current_ = origin_ = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumColourAttributes** copy) override {
    if (!copy) return E_POINTER;
    auto* made = new (std::nothrow) ColourAttributeEnumerator(*this);
    *copy = made;
    return made ? S_OK : E_OUTOFMEMORY;
  }

  ColourAttributeEnumerator() = default;

 private:
  ColourAttributeEnumerator(const ColourAttributeEnumerator& other)
      : Enumerator(), current_(other.current_), origin_(other.origin_) {}
  std::uint32_t current_ = 0;
  std::uint32_t origin_ = 0;
};

class RoutineLabelEnumerator final : public Enumerator<IEnumRoutineLabels> {
 public:
  explicit RoutineLabelEnumerator(std::shared_ptr<const RoutineLabelList> labels) : labels_(std::move(labels)) {}

  HRESULT Count(std::uint32_t* count) override { return count ? (*count = size(), S_OK) : E_POINTER; }
  // S_FALSE exactly when fewer than n labels were delivered.
  HRESULT Next(std::uint32_t n, const RoutineLabelItem** items, std::uint32_t* fetched) override {
    if (!items || (n > 1 && !fetched)) return E_POINTER;
    std::uint32_t got = 0;
    for (; got < n && index_ < size(); ++got) items[got] = &labels_->items()[index_++];
    if (fetched) *fetched = got;
    return got < n ? S_FALSE : S_OK;
  }
  HRESULT Skip(std::uint32_t n) override { return SetIndex(n > size() - index_ ? size() : index_ + n); }
  HRESULT MoveToEnd() override {
    index_ = size();
    return S_OK;
  }
  HRESULT Reset() override {
    index_ = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumRoutineLabels** copy) override {
    if (!copy) return E_POINTER;
    *copy = newRoutineLabelEnumerator(labels_);
    return *copy ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT GetIndex(std::uint32_t* index) override { return index ? (*index = index_, S_OK) : E_POINTER; }
  // S_OK when the index was set, S_FALSE when it was clamped to the end.
  HRESULT SetIndex(std::uint32_t index) override {
    if (index < size()) {
      index_ = index;
      return S_OK;
    }
    index_ = size();
    return S_FALSE;
  }

 private:
  std::uint32_t size() const { return static_cast<std::uint32_t>(labels_->items().size()); }
  std::shared_ptr<const RoutineLabelList> labels_;
  std::uint32_t index_ = 0;
};

}  // namespace

IEnumColourAttributes* newColourAttributeEnumerator() { return new (std::nothrow) ColourAttributeEnumerator(); }

IEnumRoutineLabels* newRoutineLabelEnumerator(std::shared_ptr<const RoutineLabelList> labels) {
  if (!labels) return nullptr;
  return new (std::nothrow) RoutineLabelEnumerator(std::move(labels));
}

}  // namespace kesto::zentrel
