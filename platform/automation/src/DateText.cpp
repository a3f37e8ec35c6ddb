// Dates as text: "dd.MM.yyyy[ hh:mm:ss]" out; that, "d.M.yy" and ISO "yyyy-MM-dd" in.
#include "VarText.h"

#include <cmath>
#include <cstdio>

namespace kesto::automation::vartext {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long daysFromCivil(long y, long m, long d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long kEpoch = daysFromCivil(1899, 12, 30);
constexpr double kMinDate = -657434.0;       // 0100-01-01
constexpr double kMaxDate = 2958465.999995;  // 9999-12-31 23:59:59

int daysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : days[m - 1];
}

class Cursor {
 public:
  explicit Cursor(std::u16string_view t) : t_(t) {}
  bool atEnd() const { return i_ == t_.size(); }
  // Reads min..max digits.
  bool number(int minDigits, int maxDigits, int& value, int* count = nullptr) {
    int n = 0;
    value = 0;
    while (n < maxDigits && i_ < t_.size() && t_[i_] >= u'0' && t_[i_] <= u'9') {
      value = value * 10 + (t_[i_++] - u'0');
      ++n;
    }
    if (count) *count = n;
    return n >= minDigits;
  }
  bool take(char16_t c) {
    if (i_ < t_.size() && t_[i_] == c) return ++i_, true;
    return false;
  }
  bool blanks() {
    const std::size_t start = i_;
    while (i_ < t_.size() && (t_[i_] == u' ' || t_[i_] == u'T')) ++i_;
    return i_ > start;
  }
  std::size_t pos() const { return i_; }
  void reset(std::size_t p) { i_ = p; }

 private:
  std::u16string_view t_;
  std::size_t i_ = 0;
};

bool readTime(Cursor& c, int& h, int& mi, int& s) {
  s = 0;
  if (!c.number(1, 2, h) || !c.take(u':') || !c.number(2, 2, mi)) return false;
  if (c.take(u':') && !c.number(2, 2, s)) return false;
  return h <= 23 && mi <= 59 && s <= 59;
}

bool readDate(Cursor& c, int& y, int& m, int& d) {
  const std::size_t start = c.pos();
  int first = 0, digits = 0;
  if (!c.number(1, 4, first, &digits)) return false;
  if (digits == 4 && c.take(u'-')) {  // yyyy-MM-dd
    y = first;
    if (!c.number(1, 2, m) || !c.take(u'-') || !c.number(1, 2, d)) return false;
  } else if (digits <= 2 && c.take(u'.')) {  // dd.MM.yyyy or d.M.yy
    d = first;
    int yearDigits = 0;
    if (!c.number(1, 2, m) || !c.take(u'.') || !c.number(2, 4, y, &yearDigits)) return false;
    if (yearDigits == 3) return false;
    if (yearDigits == 2) y += y < 30 ? 2000 : 1900;
  } else {
    c.reset(start);
    return false;
  }
  return y >= 100 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}

}  // namespace

bool isValidDate(DATE value) { return value >= kMinDate && value <= kMaxDate; }

DATE makeDate(int year, int month, int day, int hour, int minute, int second) {
  const double days = static_cast<double>(daysFromCivil(year, month, day) - kEpoch);
  const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return days >= 0 ? days + time : days - time;
}

std::optional<std::u16string> formatDate(DATE value) {
  if (!isValidDate(value)) return std::nullopt;
  long day = static_cast<long>(std::trunc(value));
  long seconds = std::lround(std::fabs(value - static_cast<double>(day)) * 86400.0);
  if (seconds >= 86400) {  // rounding reached midnight: the next calendar day
    seconds -= 86400;
    ++day;
  }
  int y, m, d;
  civilFromDays(day + kEpoch, y, m, d);
  char date[32], time[32];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d", d, m, y);
  std::snprintf(time, sizeof time, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  std::string out;
  if (day == 0)
    out = time;  // a time of day alone
  else if (seconds == 0)
    out = date;
  else
    out = std::string(date) + " " + time;
  return std::u16string(out.begin(), out.end());
}

std::optional<DATE> parseDate(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  Cursor c(text);
  int y = 1899, m = 12, d = 30, h = 0, mi = 0, s = 0;
  if (readDate(c, y, m, d)) {
    if (c.blanks() && !readTime(c, h, mi, s)) return std::nullopt;
  } else {
    c.reset(0);
    if (!readTime(c, h, mi, s)) return std::nullopt;
  }
  if (!c.atEnd()) return std::nullopt;
  return makeDate(y, m, d, h, mi, s);
}

}  // namespace kesto::automation::vartext
