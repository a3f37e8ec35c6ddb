#include <controls/list/KestoList.h>

namespace kesto::controls {

std::string listString(ListString id) {
  switch (id) {
    case ListString::Control: return "KestoList Control";
    case ListString::PropPage: return "KestoList Property Page";
    case ListString::General: return "General";
    case ListString::NoResultSet: return "ResultSet not defined.";
    case ListString::ConversionFailed: return "Date Conversion Failed";
    case ListString::NoColumn: return "Column does not exist";
  }
  return {};
}

}  // namespace kesto::controls
