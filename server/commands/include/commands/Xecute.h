#pragma once
// Command lines of "FRX.Windows" "Xecute": matched against a fixed list of forms, never
// run as code; every argument is parsed strictly and bound as an SQL parameter.

#include <string>
#include <string_view>

#include "model/ClassDef.h"

namespace kesto::server::commands {

// Runs one line; returns its output text (display form). A line that matches no form,
// or whose arguments do not parse, throws ServerError 5008 and changes nothing.
std::string xecute(model::CallContext& ctx, std::string_view line);

}  // namespace kesto::server::commands
