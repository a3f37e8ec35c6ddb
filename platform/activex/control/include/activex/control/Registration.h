// Self-registration of a control class: the in-process server keys plus what containers
// look for (control and insertable markers, miscellaneous status, toolbox bitmap, type
// library and its version, apartment threading).
#pragma once

#include <automation/Activation.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace kesto::activex {

struct ControlClass {
  automation::ClassRegistration cls;
  GUID typeLib;
  std::string typeLibName;
  std::string version = "1.0";
  std::uint32_t miscStatus = 0;
  int toolboxBitmap = 1;
};

HRESULT registerControl(const ControlClass& control, const std::filesystem::path& library);
HRESULT unregisterControl(const ControlClass& control);

}  // namespace kesto::activex
