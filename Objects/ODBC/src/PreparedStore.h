// Texts the server has prepared on this connection, kept so that a statement running the same
// text again takes over the server statement instead of preparing it anew.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::odbc {

struct PreparedEntry {
    std::u16string text;
    std::vector<std::uint8_t> reply;  // the description reply body as received
    std::uint32_t statementId = 0;
    bool inUse = false;
};

class PreparedStore {
public:
    // Idle entries beyond this many are forgotten, oldest first; the server evicts its side.
    static constexpr std::size_t kMaxIdle = 256;

    // Claims the first idle entry with this text; null when none.
    PreparedEntry* claim(std::u16string_view text);
    void add(PreparedEntry entry);
    void release(std::uint32_t statementId);
    void remove(std::u16string_view text, std::uint32_t statementId);
    std::size_t size() const { return entries_.size(); }

private:
    std::list<PreparedEntry> entries_;  // most recently added or released last
};

}  // namespace kesto::odbc
