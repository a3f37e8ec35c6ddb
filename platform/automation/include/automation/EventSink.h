// Outgoing events of a control: the sinks a host advised, and firing a dispatch identifier
// at them with arguments (by-reference ones let a host change the value it was given).
#pragma once

#include <automation/ComObject.h>
#include <automation/Dispatch.h>

#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace kesto::automation {

class EventSink {
 public:
  // A cookie for unadvise; 0 when sink is null.
  DWORD advise(IDispatch* sink);
  bool unadvise(DWORD cookie);
  std::size_t count() const { return sinks_.size(); }

  // Calls every advised sink (DISPATCH_METHOD, arguments in call order). Events are
  // notifications: a sink's failure does not reach the control that fired it, but it is
  // counted so that tests and hosts can see it.
  void fire(DISPID id, std::span<const Arg> args = {});
  std::size_t failures() const { return failures_; }

 private:
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
  DWORD next_ = 1;
  std::size_t failures_ = 0;
};

// A sink that hands every event to a function: the dispatch identifier and the arguments
// in call order (as passed, by-reference ones included).
class FunctionSink final : public ComObject<FunctionSink, IDispatch> {
 public:
  using Handler = std::function<void(DISPID id, std::span<VARIANT* const> args)>;
  explicit FunctionSink(Handler handler) : handler_(std::move(handler)) {}

  HRESULT GetTypeInfoCount(UINT* count) override;
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* info, UINT* argErr) override;

 private:
  Handler handler_;
};

}  // namespace kesto::automation
