// The enumerator over line objects that the colouring scanner reads.
#pragma once

#include "ComObject.h"

#include <kestocom/Interfaces.h>

#include <new>
#include <vector>

namespace kesto::kestocom {

class LineCollection final : public ILineCollection, public RefCounted {
 public:
  explicit LineCollection(std::vector<LineObject*> lines) : lines_(std::move(lines)) {}

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return addRef(); }
  ULONG Release() override { return release(); }

  HRESULT Count(std::int32_t* count) override;
  HRESULT GetIndex(std::int32_t* index) override;
  HRESULT SetIndex(std::int32_t index) override;
  HRESULT Next(std::int32_t n, LineObject** items, std::int32_t* fetched) override;
  HRESULT Skip(std::int32_t n) override;
  HRESULT MoveToEnd() override;
  HRESULT Reset() override;
  HRESULT Clone(ILineCollection** copy) override;

 private:
  std::vector<LineObject*> lines_;
  std::size_t index_ = 0;
};

}  // namespace kesto::kestocom
