// The environment handle record.
#pragma once

#include "Errors.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kesto::odbc {

struct Connection;

struct Environment : HandleBase {
    static constexpr std::size_t kMaxConnections = 255;

    std::uint32_t reserved = 0;
    std::vector<Connection*> connections;
    std::u16string version = u"4.0.818.0";
};

}  // namespace kesto::odbc
