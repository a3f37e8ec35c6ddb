#include <automation/DispatchException.h>

#include <text/CodePage.h>

#include <new>

namespace kesto::automation {

DispatchException::DispatchException(std::uint16_t code, std::string description, HRESULT scode)
    : code(code), description(std::move(description)), scode(scode) {}

ComError::ComError(HRESULT hr, const std::string& what) : std::runtime_error(what), hr(hr) {}

namespace {

BSTR allocUtf8(std::string_view utf8) {
  if (utf8.empty()) return nullptr;
  const std::u16string wide = text::utf8ToUtf16(utf8);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string utf8Of(BSTR text) {
  if (!text) return {};
  return text::utf16ToUtf8(std::u16string_view(text, SysStringLen(text)));
}

}  // namespace

void fillExcepInfo(const DispatchException& e, EXCEPINFO* info, std::string_view defaultSource) {
  if (!info) return;
  *info = EXCEPINFO{};  // callers may pass an uninitialised record: overwrite, never free
  info->wCode = e.code;
  info->bstrSource = allocUtf8(e.source.empty() ? defaultSource : std::string_view(e.source));
  info->bstrDescription = allocUtf8(e.description);
  info->bstrHelpFile = allocUtf8(e.helpFile);
  info->dwHelpContext = e.helpContext;
  // A record carries either a code or a failure scode, never both.
  info->scode = e.code != 0 ? 0 : (FAILED(e.scode) ? e.scode : E_FAIL);
}

DispatchException fromExcepInfo(const EXCEPINFO& info) {
  EXCEPINFO filled = info;
  if (filled.pfnDeferredFillIn) filled.pfnDeferredFillIn(&filled);
  DispatchException e(filled.wCode, utf8Of(filled.bstrDescription), filled.scode);
  e.source = utf8Of(filled.bstrSource);
  e.helpFile = utf8Of(filled.bstrHelpFile);
  e.helpContext = filled.dwHelpContext;
  return e;
}

HRESULT translateCurrentException(EXCEPINFO* info, std::string_view defaultSource) noexcept {
  try {
    throw;
  } catch (const DispatchException& e) {
    try {
      fillExcepInfo(e, info, defaultSource);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return DISP_E_EXCEPTION;
  } catch (const ComError& e) {
    return e.hr;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    try {
      fillExcepInfo(DispatchException(0, e.what(), E_FAIL), info, defaultSource);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return DISP_E_EXCEPTION;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace kesto::automation
