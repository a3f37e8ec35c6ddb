// The list object ("KestoObject.syslist"): a server list value offered to automation
// clients as a collection. It keeps the list encoded and reads, replaces, adds and removes
// elements in place. Element numbers are 1-based.
#pragma once

#include <kestoobject/Factory.h>
#include <kestoobject/ListValue.h>

#include <automation/DispatchTable.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kesto::object {

// The one enumerator of a list is the list object itself: its references are the list's.
class CSyslist final
    : public automation::DispatchObject<CSyslist, IDispatch, IEnumVARIANT>,
      public NativeObject {
 public:
  static constexpr std::size_t kNewCapacity = 1024;

  // An empty list as made by ProgID.
  static automation::ComPtr<CSyslist> createEmpty();
  // A list around a copy of the given encoded bytes.
  static automation::ComPtr<CSyslist> fromBytes(std::span<const std::uint8_t> bytes);
  // The library's own list object behind `object`, or null for anything else. Borrowed:
  // valid while the caller holds `object`.
  static CSyslist* native(IUnknown* object);

  static const automation::DispatchTable<CSyslist>& dispatchTable();

  // The encoded list, its used length only.
  std::span<const std::uint8_t> bytes() const { return {data_.data(), used_}; }
  std::size_t capacity() const { return data_.size(); }

  long count();
  // Puts one element at number n (from 1), padding with undefined elements when the list
  // is shorter. Null data with length 0 puts the undefined element.
  void putElement(long n, const void* data, std::size_t length, std::uint8_t type);

  bool isMultibyte() const { return multibyte_; }
  void setMultibyte(bool on) { multibyte_ = on; }

  // Automation members.
  automation::Variant item(long index);
  void putItem(long index, const automation::Variant& value);
  void add(const automation::Variant& value);
  void remove(long index);
  automation::ComPtr<CSyslist> itemList(long index);
  void putItemList(long index, IDispatch* other);
  void set(const automation::Variant& value);
  void clear();

  // IEnumVARIANT
  HRESULT Next(ULONG count, VARIANT* values, ULONG* fetched) override;
  HRESULT Skip(ULONG count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumVARIANT** copy) override;

  Kind nativeKind() const override { return Kind::Syslist; }

 protected:
  void* queryExtra(REFIID riid) override;

 private:
  friend class automation::ComObject<CSyslist, IDispatch, IEnumVARIANT>;
  explicit CSyslist(std::size_t capacity);

  const std::uint8_t* begin() const { return data_.data(); }
  const std::uint8_t* end() const { return data_.data() + used_; }
  // Offset just past the element at offset `at`; throws for a malformed element.
  std::size_t step(std::size_t at) const;
  // Steps towards element n (from the remembered position when it lies on the way); at
  // becomes its offset, or the used length when the list ends first. Returns the number
  // of the element at `at`.
  long walk(long n, std::size_t& at) const;
  // Offset of element n, or nothing when the list ends first (remembers it when found).
  bool reach(long n, std::size_t& at);
  void forget() { rememberedNumber_ = -1; rememberedPlace_ = 0; }
  void forgetAll() { forget(); keptCount_ = -1; }
  void ensureCapacity(std::size_t needed);
  void replaceData(std::span<const std::uint8_t> bytes);

  std::vector<std::uint8_t> data_;  // size() is the capacity; bytes past used_ stay zero
  std::size_t used_ = 0;
  long rememberedNumber_ = -1;
  std::size_t rememberedPlace_ = 0;
  long keptCount_ = -1;
  bool multibyte_ = false;
  long enumPosition_ = 0;
};

}  // namespace kesto::object
