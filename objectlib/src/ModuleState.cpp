#include <kestoobject/ModuleState.h>

#include <automation/DispatchException.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace kesto::object {

namespace {

// Stands for the library's instance when asking for its resources.
const int kModuleInstance = 0;

// Set by the exit handler: the process ends, and what the library still holds goes with it.
bool g_processEnding = false;

void processEnds() {
  g_processEnding = true;
  moduleState().LogFile.close();
}

}  // namespace

ModuleState& moduleState() {
  // Never destroyed: objects that a host releases while the process ends (from its own
  // static destructors) still find it.
  static ModuleState* const state = new ModuleState;
  return *state;
}

void ModuleStart() {
  ModuleState& state = moduleState();
  state.LastErrorText.clear();
  state.Resources = connect::GetLocalizedResources("KestoObject%s.DLL", &kModuleInstance);
  // At the end of the process the exit handlers (and with them the destructors of the
  // services a Factory would use to close) run before the library's own end; at an unload
  // they run after it. The handler tells the two apart.
  std::atexit(processEnds);
}

void ModuleEnd() {
  if (g_processEnding) return;
  ModuleState& state = moduleState();
  // A release takes the Factory out of the list (and may take others with it), so walk a
  // copy and skip what is gone by the time its turn comes.
  const std::vector<LiveFactory*> snapshot = state.LiveFactories;
  for (LiveFactory* factory : snapshot) {
    const auto& live = state.LiveFactories;
    if (std::find(live.begin(), live.end(), factory) != live.end()) factory->releaseFromModule();
  }
  state.LogFile.close();
  connect::FreeLocalizedResources(std::exchange(state.Resources, nullptr), &kModuleInstance);
}

void ResetModuleState() {
  ModuleState& state = moduleState();
  state.LastErrorText.clear();
  state.ServerErrors.clear();
  state.LastErrorCode = kErrorNone;
  state.LiveFactories.clear();
  state.LogFile.close();
  state.Resources = nullptr;
}

void AddLiveFactory(LiveFactory* factory) { moduleState().LiveFactories.push_back(factory); }

void RemoveLiveFactory(LiveFactory* factory) {
  auto& live = moduleState().LiveFactories;
  live.erase(std::remove(live.begin(), live.end(), factory), live.end());
}

void RaiseError(std::uint16_t code, std::string text) {
  automation::DispatchException error(code, std::move(text), code == 0 ? E_FAIL : S_OK);
  error.source = std::string(object::text(TextId::Title));
  throw error;
}

void RaiseClientError(std::string text) { RaiseError(kErrorClient, std::move(text)); }

void RaiseLastError() {
  const ModuleState& state = moduleState();
  RaiseError(state.LastErrorCode, state.LastErrorText);
}

void FillExceptionRecord(EXCEPINFO* record) {
  if (record == nullptr) return;
  ModuleState& state = moduleState();
  automation::DispatchException error(state.LastErrorCode, state.LastErrorText);
  automation::fillExcepInfo(error, record, kProxyErrorSource);
  state.LastErrorCode = kErrorNone;
}

bool Log(std::uint32_t logOn, long factoryIdentity, std::string_view connectText,
         std::string_view text) {
  if (logOn == 0) return false;
  ModuleState& state = moduleState();
  return state.LogFile.write(std::time(nullptr), factoryIdentity, connectText,
                      text.empty() ? std::string_view(state.LastErrorText) : text);
}

}  // namespace kesto::object
