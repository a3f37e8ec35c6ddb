// The library's one module-wide state: last error, server error list, live Factory objects
// and the debug log, plus the ways errors reach callers.
#pragma once

#include <kestoobject/DebugLog.h>
#include <kestoobject/ErrorTexts.h>

#include <connect/Connect.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct EXCEPINFO;

namespace kesto::object {

// What the module needs of a live Factory object.
class LiveFactory {
 public:
  // Gives up the reference the module's list stands for (module end). May remove the
  // Factory from the list and destroy it.
  virtual void releaseFromModule() = 0;

 protected:
  ~LiveFactory() = default;
};

struct ModuleState {
  std::string LastErrorText;  // UTF-8; emptied by every server request
  std::vector<std::uint8_t> ServerErrors;  // list value: one nested list per error
  std::uint16_t LastErrorCode = kErrorNone;
  std::vector<LiveFactory*> LiveFactories;
  DebugLog LogFile;
  connect::ResourceHandle Resources = nullptr;  // localized resource library, if any
};

ModuleState& moduleState();

// Module start: empties the last error and takes the localized resources.
void ModuleStart();
// Module end: releases one reference of every live Factory, closes the log and gives the
// resources back. Safe when a release takes the Factory out of the list.
void ModuleEnd();
// Back to the state of a freshly loaded module (for tests); closes the log.
void ResetModuleState();

void AddLiveFactory(LiveFactory* factory);
void RemoveLiveFactory(LiveFactory* factory);

// Dispatch exceptions with the library's title as source. Code 0 carries E_FAIL.
[[noreturn]] void RaiseError(std::uint16_t code, std::string text);
[[noreturn]] void RaiseClientError(std::string text);  // code 9991
// Raises LastErrorCode with LastErrorText.
[[noreturn]] void RaiseLastError();

inline constexpr std::string_view kProxyErrorSource = "Kesto ObjectSystem";

// For a failed proxy call: fills the caller's record (if any) with LastErrorCode, the
// source "Kesto ObjectSystem" and LastErrorText, then resets LastErrorCode to 9990.
void FillExceptionRecord(EXCEPINFO* record);

// A Factory's log entry: written only when its logOn (the "Debug" switch it read) is
// nonzero. The entry holds the time, "Factory <id> connected to <connect text>", and text,
// or LastErrorText when text is empty. False when nothing was written; an entry whose file
// cannot be opened is dropped, and the next one tries again.
bool Log(std::uint32_t logOn, long factoryIdentity, std::string_view connectText,
         std::string_view text);

}  // namespace kesto::object
