#pragma once
// The article search of the command lines: a first page by filters, further pages later.
// The hit list is kept per data folder and (FIRMA, FIL, PERSONAL), not per connection,
// because the application reconnects after 30 s idle and pages on.

#include <array>
#include <string>

#include "model/ClassDef.h"

namespace kesto::server::commands {

// term, main group, subgroup, supplier, department, status, listing
using SearchFilters = std::array<std::string, 7>;

inline constexpr std::size_t kHitsPerPage = 4;
inline constexpr const char* kEntrySeparator = "\xC3\xBF";  // "ÿ", character 255 between entries

std::string firstSearchPage(model::CallContext& ctx, const SearchFilters& filters);
std::string nextSearchPage(model::CallContext& ctx);

// Fields of a search reply: the delimiters 255 ("ÿ") and 96 ("`") taken out.
std::string searchField(std::string text);

}  // namespace kesto::server::commands
