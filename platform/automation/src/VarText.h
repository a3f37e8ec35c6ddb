// Text forms of numbers, currency, dates and booleans as the user sees them: the locale
// facts of kesto_services (decimal comma, "dd.MM.yyyy"), never the machine's C locale.
#pragma once

#include <automation/Types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kesto::automation::vartext {

// Up to `digits` significant digits, shortest form; exponent form ("1E+20", "1E-05") as
// the platform's %G would choose it.
std::u16string formatReal(double value, int digits);
std::u16string formatInteger(std::int64_t value);
std::u16string formatUnsigned(std::uint64_t value);
std::u16string formatCurrency(std::int64_t scaled);  // value x 10 000, trailing zeros dropped
// "dd.MM.yyyy", "dd.MM.yyyy hh:mm:ss" or "hh:mm:ss", rounded to the nearest second.
// nullopt outside the years 100 to 9999.
std::optional<std::u16string> formatDate(DATE value);

// Blanks around, a sign, digits with optional thousands groups, the decimal separator,
// an exponent. nullopt when the text is no number.
std::optional<double> parseReal(std::u16string_view text);
// Exact to the fourth decimal (rounded half to even beyond); nullopt also on overflow.
enum class CyParse { Ok, NotNumber, Overflow };
CyParse parseCurrency(std::u16string_view text, std::int64_t& scaled);
// "dd.MM.yyyy", "d.M.yy", ISO "yyyy-MM-dd", each with an optional " hh:mm[:ss]", or a
// time alone.
std::optional<DATE> parseDate(std::u16string_view text);
// "True"/"False" and the locale's words, any case.
std::optional<bool> parseBoolWord(std::u16string_view text);

// Calendar arithmetic on DATE (days since 1899-12-30).
bool isValidDate(DATE value);
DATE makeDate(int year, int month, int day, int hour, int minute, int second);

}  // namespace kesto::automation::vartext
