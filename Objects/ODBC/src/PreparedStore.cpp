#include "PreparedStore.h"

#include <algorithm>

namespace kesto::odbc {

PreparedEntry* PreparedStore::claim(std::u16string_view text) {
    for (auto& e : entries_) {
        if (!e.inUse && e.text == text) {
            e.inUse = true;
            return &e;
        }
    }
    return nullptr;
}

void PreparedStore::add(PreparedEntry entry) {
    entries_.push_back(std::move(entry));
    std::size_t idle = static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(), [](const auto& e) { return !e.inUse; }));
    for (auto it = entries_.begin(); idle > kMaxIdle && it != entries_.end();) {
        if (!it->inUse) {
            it = entries_.erase(it);
            --idle;
        } else {
            ++it;
        }
    }
}

void PreparedStore::release(std::uint32_t statementId) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->statementId == statementId && it->inUse) {
            it->inUse = false;
            // Released entries count as recently used.
            entries_.splice(entries_.end(), entries_, it);
            return;
        }
    }
}

void PreparedStore::remove(std::u16string_view text, std::uint32_t statementId) {
    entries_.remove_if([&](const PreparedEntry& e) { return e.statementId == statementId && e.text == text; });
}

}  // namespace kesto::odbc
