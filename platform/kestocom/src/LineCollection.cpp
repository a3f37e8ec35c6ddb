#include "LineCollection.h"

#include <algorithm>

namespace kesto::kestocom {

HRESULT LineCollection::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IUnknown::iid || riid == ILineCollection::iid) {
    *object = static_cast<ILineCollection*>(this);
    addRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT LineCollection::Count(std::int32_t* count) {
  if (!count) return E_POINTER;
  *count = static_cast<std::int32_t>(lines_.size());
  return S_OK;
}

HRESULT LineCollection::GetIndex(std::int32_t* index) {
  if (!index) return E_POINTER;
  *index = static_cast<std::int32_t>(index_);
  return S_OK;
}

HRESULT LineCollection::SetIndex(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) > lines_.size()) return E_FAIL;
  index_ = static_cast<std::size_t>(index);
  return S_OK;
}

HRESULT LineCollection::Next(std::int32_t n, LineObject** items, std::int32_t* fetched) {
  if (n < 0) return E_INVALIDARG;
  if (n > 0 && !items) return E_POINTER;
  const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), lines_.size() - index_);
  std::copy_n(lines_.begin() + static_cast<std::ptrdiff_t>(index_), take, items);
  index_ += take;
  if (fetched) *fetched = static_cast<std::int32_t>(take);
  return take < static_cast<std::size_t>(n) ? S_FALSE : S_OK;
}

HRESULT LineCollection::Skip(std::int32_t n) {
  if (n < 0 || index_ + static_cast<std::size_t>(n) >= lines_.size()) return E_FAIL;
  index_ += static_cast<std::size_t>(n);
  return S_OK;
}

HRESULT LineCollection::MoveToEnd() {
  index_ = lines_.size();
  return S_OK;
}

HRESULT LineCollection::Reset() {
  index_ = 0;
  return S_OK;
}

HRESULT LineCollection::Clone(ILineCollection** copy) {
  if (!copy) return E_POINTER;
  *copy = new (std::nothrow) LineCollection(lines_);
  return *copy ? S_OK : E_OUTOFMEMORY;
}

}  // namespace kesto::kestocom
