#pragma once

#include <QString>

#include <string_view>

namespace kesto::activex {

// Texts of the model are UTF-8.
inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace kesto::activex
