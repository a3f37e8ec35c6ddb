// Locale facts of the workstation. The ported programs were used in Germany, and their
// visible numbers and dates follow German rules whatever the machine's locale says.
#pragma once

#include <string>

namespace kesto::services {

struct LocaleFacts {
  std::string languageAbbreviation = "DEU";
  std::string decimalSeparator = ",";
  std::string thousandsSeparator = ".";
  std::string listSeparator = ";";
  std::string dateFormat = "dd.MM.yyyy";
  std::string timeFormat = "HH:mm:ss";
  std::string trueText = "Wahr";
  std::string falseText = "Falsch";
};

LocaleFacts localeFacts();
// Tests may pin other facts; resetLocaleFacts() restores the German ones.
void setLocaleFacts(const LocaleFacts& facts);
void resetLocaleFacts();

}  // namespace kesto::services
