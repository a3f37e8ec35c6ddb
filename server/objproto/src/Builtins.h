// Classes the protocol itself provides: dynamic SQL, the query catalog and (for tests)
// the diagnostic class that produces server output.
#pragma once

#include <string_view>

#include "model/ClassDef.h"

namespace kesto::server::objproto {

inline constexpr std::string_view kDynamicQuery = "%DynamicQuery";
inline constexpr std::string_view kCompiledQuery = "%CompiledQuery";
inline constexpr std::string_view kDiagnostics = "FRX.Diag";

// The built-in class of that name, or nullptr.
const model::ClassDef* builtinClass(std::string_view name, bool diagnostics);

}  // namespace kesto::server::objproto
