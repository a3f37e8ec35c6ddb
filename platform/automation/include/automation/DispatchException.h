// The C++ form of a dispatch exception: members throw it, and every Invoke boundary turns
// it into an EXCEPINFO and DISP_E_EXCEPTION (and client helpers turn an EXCEPINFO back).
#pragma once

#include <automation/Interfaces.h>

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace kesto::automation {

struct DispatchException : std::exception {
  DispatchException(std::uint16_t code, std::string description /*UTF-8*/, HRESULT scode = 0);

  const char* what() const noexcept override { return description.c_str(); }

  std::uint16_t code = 0;
  std::string description;  // UTF-8
  std::string source;       // UTF-8; empty = the boundary's default source
  std::string helpFile;
  std::uint32_t helpContext = 0;
  HRESULT scode = 0;
};

// A failed call that carries only a result code (for helpers outside Invoke).
struct ComError : std::runtime_error {
  ComError(HRESULT hr, const std::string& what);
  HRESULT hr;
};

// Fills `info` (which may be null) from `e`; an empty source becomes `defaultSource`.
// Keeps the rule: a nonzero code has scode 0, code 0 has a failure scode (E_FAIL if none).
void fillExcepInfo(const DispatchException& e, EXCEPINFO* info, std::string_view defaultSource);

// The reverse, for callers: reads the record (and runs its deferred fill-in) without
// freeing it.
DispatchException fromExcepInfo(const EXCEPINFO& info);

// Runs `body` (returning HRESULT) and converts what it throws: DispatchException ->
// DISP_E_EXCEPTION with the record filled, ComError -> its code, std::bad_alloc ->
// E_OUTOFMEMORY, any other std::exception -> DISP_E_EXCEPTION with its text, code 0.
template <class Body>
HRESULT guardInvoke(EXCEPINFO* info, std::string_view defaultSource, Body&& body) noexcept;

HRESULT translateCurrentException(EXCEPINFO* info, std::string_view defaultSource) noexcept;

template <class Body>
HRESULT guardInvoke(EXCEPINFO* info, std::string_view defaultSource, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return translateCurrentException(info, defaultSource);
  }
}

}  // namespace kesto::automation
