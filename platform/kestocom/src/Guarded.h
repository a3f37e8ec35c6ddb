// Registry work behind an interface: failures are answered as HRESULTs, never thrown.
#pragma once

#include <automation/Types.h>

#include <exception>
#include <new>

namespace kesto::kestocom {

template <class Work>
HRESULT guarded(Work&& work) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception&) {
    return REGDB_E_WRITEREGDB;
  }
}

}  // namespace kesto::kestocom
