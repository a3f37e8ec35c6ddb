// Date and time text rules shared by the value writers and readers.
#pragma once

#include <string>
#include <string_view>

namespace kesto::odbc {

struct DateParts {
    int year = 0, month = 0, day = 0;
};
struct TimeParts {
    int hour = 0, minute = 0, second = 0;
};

// dddd-dd-dd in the first 10 characters, month and day rules, no year range.
bool parseDate(std::string_view text, DateParts& out);
// dd:dd:dd in the first 8 characters, at most 23:59:59.
bool parseTime(std::string_view text, TimeParts& out);
// Year 1841 to 9999, then the month and day rules.
bool isValidDate(int year, int month, int day);
bool isValidDay(int year, int month, int day);
int hexDigitValue(char c);
// The characters between the first two single quotes; out unchanged without two quotes.
void quotedPart(std::string_view text, std::string& out);
// Today's local date.
DateParts today();

std::string formatDate(int year, int month, int day);
std::string formatTime(int hour, int minute, int second);

}  // namespace kesto::odbc
