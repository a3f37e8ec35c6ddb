#include "DateText.h"

#include <cstdio>
#include <ctime>

namespace kesto::odbc {
namespace {

bool digitsAt(std::string_view t, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        value = value * 10 + (t[i] - '0');
    }
    return true;
}

}  // namespace

bool isValidDay(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return day <= (leap ? 29 : 28);
    }
    if (month == 4 || month == 6 || month == 9 || month == 11) return day <= 30;
    return true;
}

bool parseDate(std::string_view t, DateParts& out) {
    if (t.size() < 10 || t[4] != '-' || t[7] != '-') return false;
    DateParts d;
    if (!digitsAt(t, 0, 4, d.year) || !digitsAt(t, 5, 2, d.month) || !digitsAt(t, 8, 2, d.day)) return false;
    if (!isValidDay(d.year, d.month, d.day)) return false;
    out = d;
    return true;
}

bool parseTime(std::string_view t, TimeParts& out) {
    if (t.size() < 8 || t[2] != ':' || t[5] != ':') return false;
    TimeParts p;
    if (!digitsAt(t, 0, 2, p.hour) || !digitsAt(t, 3, 2, p.minute) || !digitsAt(t, 6, 2, p.second)) return false;
    if (p.hour > 23 || p.minute > 59 || p.second > 59) return false;
    out = p;
    return true;
}

bool isValidDate(int year, int month, int day) {
    return year >= 1841 && year <= 9999 && isValidDay(year, month, day);
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

void quotedPart(std::string_view text, std::string& out) {
    const auto first = text.find('\'');
    if (first == std::string_view::npos) return;
    const auto second = text.find('\'', first + 1);
    if (second == std::string_view::npos) return;
    out.assign(text.substr(first + 1, second - first - 1));
}

DateParts today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string formatDate(int year, int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string formatTime(int hour, int minute, int second) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
    return buf;
}

}  // namespace kesto::odbc
