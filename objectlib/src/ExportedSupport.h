// Small pieces the exported handle classes share.
#pragma once

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ModuleState.h>

#include <automation/Bstr.h>
#include <automation/Variant.h>
#include <text/CodePage.h>

#include <string>
#include <string_view>

namespace kesto::object::exported {

// A release made by a destructor: errors of the final release must not escape it.
template <class T>
void releaseQuietly(T*& object) noexcept {
  if (!object) return;
  try {
    object->Release();
  } catch (...) {
  }
  object = nullptr;
}

inline std::u16string fromAnsi(const char* text) {
  return text ? kesto::text::toWide(text, kesto::text::CodePage::Ansi) : std::u16string();
}

inline std::string toAnsi(std::u16string_view text) {
  return kesto::text::toNarrow(text, kesto::text::CodePage::Ansi);
}

inline BSTR newBstr(std::u16string_view text) { return automation::Bstr(text).detach(); }

// The string of a result for the caller; null when the value is no string.
inline BSTR detachBstr(automation::Variant& value) {
  if (value.vt() != VT_BSTR) return nullptr;
  VARIANT raw = value.detach();
  return raw.bstrVal;
}

inline std::string lastErrorAnsi() {
  return toAnsi(kesto::text::utf8ToUtf16(moduleState().LastErrorText));
}

[[noreturn]] inline void raiseTypeMismatch() {
  RaiseClientError(std::string(text(TextId::TypeMismatch)));
}

}  // namespace kesto::object::exported
