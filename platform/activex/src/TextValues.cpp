// Numbers the preview takes as text: point lists and picture extents.
#include "activex/PreviewError.h"
#include "activex/VSPrinter.h"

#include <charconv>
#include <cmath>

namespace kesto::activex {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads a number with "." as decimal point from the front of `s` and drops it.
bool takeNumber(std::string_view& s, double& value)
{
    s = trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || !std::isfinite(value))
        return false;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    return true;
}

[[noreturn]] void badPointList(std::string_view text)
{
    throw PreviewError(PreviewError::invalidValue, "Ungültige Punktliste: \"" + std::string(text) + "\"");
}

} // namespace

std::vector<Point> parsePointList(std::string_view pointList)
{
    std::vector<Point> points;
    if (trim(pointList).empty())
        return points;
    std::string_view rest = pointList;
    while (true) {
        const auto comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        double x = 0, y = 0;
        if (!takeNumber(item, x) || !takeNumber(item, y) || !trim(item).empty())
            badPointList(pointList);
        points.push_back({units(x), units(y)});
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return points;
}

PictureExtent pictureExtent(std::string_view text)
{
    std::string_view rest = text;
    double value = 0;
    if (takeNumber(rest, value)) {
        rest = trim(rest);
        if (rest.empty())
            return units(value);
        if (rest == "%" && value >= 0)
            return Percent{value};
    }
    throw PreviewError(PreviewError::invalidValue, "Ungültige Bildgröße: \"" + std::string(text) + "\"");
}

} // namespace kesto::activex
