#include <automation/EventSink.h>

#include <algorithm>

namespace kesto::automation {

DWORD EventSink::advise(IDispatch* sink) {
  if (!sink) return 0;
  sinks_.emplace_back(next_, ComPtr<IDispatch>(sink));
  return next_++;
}

bool EventSink::unadvise(DWORD cookie) {
  const auto it = std::find_if(sinks_.begin(), sinks_.end(),
                               [&](const auto& s) { return s.first == cookie; });
  if (it == sinks_.end()) return false;
  sinks_.erase(it);
  return true;
}

void EventSink::fire(DISPID id, std::span<const Arg> args) {
  // A copy: a sink may unadvise while it is called.
  const auto sinks = sinks_;
  for (const auto& [cookie, sink] : sinks) {
    try {
      Dispatch(sink).invoke(id, DISPATCH_METHOD, args);
    } catch (const std::exception&) {
      ++failures_;
    }
  }
}

HRESULT FunctionSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT FunctionSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT FunctionSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}

HRESULT FunctionSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* info, UINT*) {
  std::vector<VARIANT*> args;
  if (params)
    for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
  if (result) VariantInit(result);
  return guardInvoke(info, "event sink", [&] {
    handler_(id, args);
    return S_OK;
  });
}

}  // namespace kesto::automation
