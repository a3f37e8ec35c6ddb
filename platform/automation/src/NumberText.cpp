// Numbers and currency as text, in the locale facts of kesto_services.
#include "VarText.h"

#include <services/Locale.h>
#include <text/CodePage.h>
#include <text/Compare.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace kesto::automation::vartext {

namespace {

struct Separators {
  char16_t decimal = u',';
  char16_t thousands = u'.';
};

Separators separators() {
  const auto facts = services::localeFacts();
  Separators s;
  if (!facts.decimalSeparator.empty()) s.decimal = static_cast<char16_t>(facts.decimalSeparator[0]);
  if (!facts.thousandsSeparator.empty())
    s.thousands = static_cast<char16_t>(facts.thousandsSeparator[0]);
  return s;
}

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// A number split into its decimal digits and a power of ten: value = digits x 10^exponent.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading zeros; empty means 0
  long exponent = 0;
};

// Thousands separators count only between groups of exactly three digits ("1.234.567");
// anything else is not a number, so "1.5" is refused rather than read as 15.
std::optional<Decimal> scanDecimal(std::u16string_view text) {
  const Separators sep = separators();
  std::size_t i = 0, n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  while (n > i && isBlank(text[n - 1])) --n;
  Decimal d;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) d.negative = text[i++] == u'-';
  bool anyDigit = false;
  std::size_t groupDigits = 0;
  bool grouped = false;
  auto takeDigit = [&](char16_t c) {
    anyDigit = true;
    if (!d.digits.empty() || c != u'0') d.digits.push_back(static_cast<char>(c));
  };
  for (; i < n; ++i) {
    const char16_t c = text[i];
    if (isDigit(c)) {
      takeDigit(c);
      ++groupDigits;
    } else if (c == sep.thousands && sep.thousands != sep.decimal && anyDigit &&
               (grouped ? groupDigits == 3 : groupDigits <= 3)) {
      grouped = true;
      groupDigits = 0;
    } else {
      break;
    }
  }
  if (grouped && groupDigits != 3) return std::nullopt;
  if (i < n && text[i] == sep.decimal) {
    for (++i; i < n && isDigit(text[i]); ++i) {
      takeDigit(text[i]);
      --d.exponent;
    }
  }
  if (!anyDigit) return std::nullopt;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    bool negExp = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) negExp = text[i++] == u'-';
    if (i == n || !isDigit(text[i])) return std::nullopt;
    long e = 0;
    for (; i < n && isDigit(text[i]); ++i)
      if (e < 100000) e = e * 10 + (text[i] - u'0');
    d.exponent += negExp ? -e : e;
  }
  if (i != n) return std::nullopt;
  return d;
}

}  // namespace

std::u16string formatReal(double value, int digits) {
  char buffer[64];
  const auto res = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::general, digits);
  std::u16string out = widen(std::string_view(buffer, static_cast<std::size_t>(res.ptr - buffer)));
  const char16_t decimal = separators().decimal;
  for (auto& c : out) {
    if (c == u'.') c = decimal;
    if (c == u'e') c = u'E';
  }
  return out;
}

std::u16string formatInteger(std::int64_t value) {
  char buffer[24];
  const auto res = std::to_chars(buffer, buffer + sizeof buffer, value);
  return widen(std::string_view(buffer, static_cast<std::size_t>(res.ptr - buffer)));
}

std::u16string formatUnsigned(std::uint64_t value) {
  char buffer[24];
  const auto res = std::to_chars(buffer, buffer + sizeof buffer, value);
  return widen(std::string_view(buffer, static_cast<std::size_t>(res.ptr - buffer)));
}

std::u16string formatCurrency(std::int64_t scaled) {
  const bool negative = scaled < 0;
  const std::uint64_t magnitude =
      negative ? std::uint64_t(0) - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  std::u16string out = negative ? u"-" : u"";
  out += formatUnsigned(magnitude / 10000);
  std::uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::u16string digits = formatUnsigned(fraction);
    digits.insert(0, 4 - digits.size(), u'0');
    while (digits.back() == u'0') digits.pop_back();
    out += separators().decimal;
    out += digits;
  }
  return out;
}

std::optional<double> parseReal(std::u16string_view text) {
  const auto d = scanDecimal(text);
  if (!d) return std::nullopt;
  std::string ascii = d->negative ? "-" : "";
  ascii += d->digits.empty() ? "0" : d->digits;
  ascii += "e" + std::to_string(d->exponent);
  double value = 0;
  const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Too small underflows to zero; too large is no representable number.
    if (d->exponent < 0) return d->negative ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (res.ec != std::errc()) return std::nullopt;
  return value;
}

CyParse parseCurrency(std::u16string_view text, std::int64_t& scaled) {
  const auto d = scanDecimal(text);
  if (!d) return CyParse::NotNumber;
  const long shift = d->exponent + 4;  // digits x 10^shift
  const std::string& digits = d->digits;
  const long keep = static_cast<long>(digits.size()) + std::min(shift, 0L);
  unsigned __int128 value = 0;
  const unsigned __int128 limit = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) + 1;
  for (long i = 0; i < keep; ++i) {
    value = value * 10 + static_cast<unsigned>(digits[static_cast<std::size_t>(i)] - '0');
    if (value > limit) return CyParse::Overflow;
  }
  for (long i = 0; i < shift && value != 0; ++i) {
    value *= 10;
    if (value > limit) return CyParse::Overflow;
  }
  if (keep >= 0 && keep < static_cast<long>(digits.size())) {
    // Round the dropped digits half to even.
    const char first = digits[static_cast<std::size_t>(keep)];
    const bool restNonZero = digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) != std::string::npos;
    if (first > '5' || (first == '5' && (restNonZero || (value & 1)))) ++value;
  }
  if (value == limit && !d->negative) return CyParse::Overflow;
  if (value > limit) return CyParse::Overflow;
  scaled = d->negative ? static_cast<std::int64_t>(std::uint64_t(0) - static_cast<std::uint64_t>(value))
                       : static_cast<std::int64_t>(value);
  return CyParse::Ok;
}

std::optional<bool> parseBoolWord(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  const auto facts = services::localeFacts();
  if (text::equalsNoCase(text, u"True") || text::equalsNoCase(text, text::utf8ToUtf16(facts.trueText)))
    return true;
  if (text::equalsNoCase(text, u"False") || text::equalsNoCase(text, text::utf8ToUtf16(facts.falseText)))
    return false;
  return std::nullopt;
}

}  // namespace kesto::automation::vartext
