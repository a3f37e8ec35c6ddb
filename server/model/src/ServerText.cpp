#include "model/ServerText.h"

#include <cstdint>
#include <cstdio>

#include "model/ServerError.h"

namespace kesto::server::model {

namespace {

// Walks UTF-8 text code point by code point; malformed bytes are handed on one by one
// with valid == false so that callers copy them unchanged.
template <typename Fn>
void forEachCodePoint(std::string_view s, Fn&& fn) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    bool valid = len != 0 && i + len <= s.size();
    char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (std::size_t k = 1; valid && k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c >> 6) != 2) valid = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!valid) len = 1;
    fn(valid ? cp : char32_t(b), s.substr(i, len), valid);
    i += len;
  }
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

struct Pair {
  char32_t display;
  char32_t seven;
};

constexpr Pair kPairs[] = {
    {U'\u00E4', U'{'}, {U'\u00F6', U'|'}, {U'\u00FC', U'}'}, {U'\u00DF', U'~'},
    {U'\u00C4', U'['}, {U'\u00D6', U'\\'}, {U'\u00DC', U']'}, {U'\u00A7', U'\u00F5'},
};

template <typename Map>
std::string mapText(std::string_view s, Map&& map) {
  std::string out;
  out.reserve(s.size());
  forEachCodePoint(s, [&](char32_t cp, std::string_view bytes, bool valid) {
    if (valid)
      map(out, cp);
    else
      out += bytes;
  });
  return out;
}

char32_t upper(char32_t cp) {
  if (cp >= U'a' && cp <= U'z') return cp - 0x20;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
  return cp;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return std::int64_t(era) * 146097 + std::int64_t(doe) - 719468;
}

struct Ymd {
  int y;
  unsigned m, d;
};

Ymd civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {int(yoe + era * 400 + (m <= 2)), m, d};
}

Ymd parseIso(std::string_view iso) {
  auto digits = [&](std::size_t pos, std::size_t n) {
    int v = 0;
    for (std::size_t i = pos; i < pos + n; ++i) {
      if (iso[i] < '0' || iso[i] > '9') throw ServerError(errc::BadValue, {"Datum", std::string(iso)});
      v = v * 10 + (iso[i] - '0');
    }
    return v;
  };
  if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-')
    throw ServerError(errc::BadValue, {"Datum", std::string(iso)});
  Ymd ymd{digits(0, 4), unsigned(digits(5, 2)), unsigned(digits(8, 2))};
  const Ymd check = civilFromDays(daysFromCivil(ymd.y, ymd.m, ymd.d));
  if (ymd.m < 1 || ymd.m > 12 || ymd.d < 1 || check.m != ymd.m || check.d != ymd.d)
    throw ServerError(errc::BadValue, {"Datum", std::string(iso)});
  return ymd;
}

const std::int64_t kDayZero = daysFromCivil(1840, 12, 31);

}  // namespace

std::string toSevenBit(std::string_view display) {
  return mapText(display, [](std::string& out, char32_t cp) {
    for (const auto& p : kPairs)
      if (p.display == cp) return appendUtf8(out, p.seven);
    appendUtf8(out, cp);
  });
}

std::string fromSevenBit(std::string_view sevenBit) {
  return mapText(sevenBit, [](std::string& out, char32_t cp) {
    for (const auto& p : kPairs)
      if (p.seven == cp) return appendUtf8(out, p.display);
    appendUtf8(out, cp);
  });
}

std::string toSearchKey(std::string_view display) {
  return mapText(display, [](std::string& out, char32_t cp) {
    switch (cp = upper(cp)) {
      case U'\u00DF': out += "SS"; break;
      case U'\u00C4': out += "AE"; break;
      case U'\u00D6': out += "OE"; break;
      case U'\u00DC': out += "UE"; break;
      default: appendUtf8(out, cp);
    }
  });
}

std::string isoToServerDate(std::string_view iso) {
  const Ymd d = parseIso(iso);
  return std::to_string((d.y - 1900) * 10000 + int(d.m) * 100 + int(d.d));
}

int isoToDayNumber(std::string_view iso) {
  const Ymd d = parseIso(iso);
  return static_cast<int>(daysFromCivil(d.y, d.m, d.d) - kDayZero);
}

std::string dayNumberToIso(int day) {
  const Ymd d = civilFromDays(kDayZero + day);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", d.y, d.m, d.d);
  return buf;
}

}  // namespace kesto::server::model
