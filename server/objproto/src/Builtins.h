// Classes the protocol itself provides: dynamic SQL, the query catalog and, for tests, the
// diagnostic class that produces server output and the classes the query lookup meets at
// its limits (a query of twelve parameters, a class without queries).
#pragma once

#include <string_view>

#include "model/ClassDef.h"

namespace kesto::server::objproto {

inline constexpr std::string_view kDynamicQuery = "%DynamicQuery";
inline constexpr std::string_view kCompiledQuery = "%CompiledQuery";
inline constexpr std::string_view kDiagnostics = "FRX.Diag";
inline constexpr std::string_view kManyParameters = "FRX.TestVieleParameter";
inline constexpr std::string_view kNoQueries = "FRX.TestOhneAbfrage";

// The built-in class of that name, or nullptr; the test classes only when switched on.
const model::ClassDef* builtinClass(std::string_view name, bool diagnostics,
                                    bool testClasses = false);

}  // namespace kesto::server::objproto
