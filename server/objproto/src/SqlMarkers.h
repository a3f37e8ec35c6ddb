// Parameter markers of dynamic SQL: the client sends ":q(n)" (n from 0); SQLite binds
// "?N" (N from 1). Markers inside quotes are left alone.
#pragma once

#include <string>
#include <string_view>

namespace kesto::server::objproto {

// The statement with every ":q(n)" outside quotes replaced by "?<n+1>"; `count` is the
// number of parameters (the highest n + 1).
std::string rewriteMarkers(std::string_view sql, int& count);

}  // namespace kesto::server::objproto
