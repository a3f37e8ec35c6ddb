#pragma once

#include <compare>

// A length on the preview page. The page unit is 1/57 mm ("units"); millimetres and
// typographic points convert through named constructors only, so that a bare number
// never passes for a length of the wrong unit.

namespace kesto::activex {

inline constexpr double unitsPerMm = 57.0;
inline constexpr double mmPerPoint = 25.4 / 72.0;
inline constexpr double unitsPerPoint = unitsPerMm * mmPerPoint;

class Length {
public:
    constexpr Length() = default;

    static constexpr Length fromUnits(double u) { return Length(u); }
    static constexpr Length fromMm(double m) { return Length(m * unitsPerMm); }
    static constexpr Length fromPoints(double p) { return Length(p * unitsPerPoint); }

    constexpr double units() const { return units_; }
    constexpr double mm() const { return units_ / unitsPerMm; }
    constexpr double points() const { return units_ / unitsPerPoint; }

    constexpr Length operator+(Length o) const { return Length(units_ + o.units_); }
    constexpr Length operator-(Length o) const { return Length(units_ - o.units_); }
    constexpr Length operator-() const { return Length(-units_); }
    constexpr Length operator*(double f) const { return Length(units_ * f); }
    constexpr Length operator/(double f) const { return Length(units_ / f); }
    constexpr double operator/(Length o) const { return units_ / o.units_; }
    constexpr Length& operator+=(Length o) { units_ += o.units_; return *this; }
    constexpr Length& operator-=(Length o) { units_ -= o.units_; return *this; }
    constexpr auto operator<=>(const Length&) const = default;

private:
    constexpr explicit Length(double u) : units_(u) {}
    double units_ = 0;
};

constexpr Length units(double u) { return Length::fromUnits(u); }
constexpr Length mm(double m) { return Length::fromMm(m); }
constexpr Length points(double p) { return Length::fromPoints(p); }

struct Point {
    Length x, y;
    constexpr bool operator==(const Point&) const = default;
};

// A box given by its top-left corner and its extent.
struct Box {
    Length left, top, width, height;
    constexpr bool operator==(const Box&) const = default;
};

} // namespace kesto::activex
