#include <kestoobject/ErrorTexts.h>

#include <stdexcept>

namespace kesto::object {

std::string_view text(TextId id) {
  switch (id) {
    case TextId::ClassNameOfRefFailed: return "Failed to return classname for oref %s";
    case TextId::ClassNotReleased:
      return "Class  %s  not released. \n Disconnect will not be performed!";
    case TextId::ClassNameMissing: return "Failure to create class. Name missing.";
    case TextId::CreateFailed: return "Failure to create %s.";
    case TextId::ThirdParamInteger: return " Third parameter should be an Integer.";
    case TextId::FourthParamInteger: return " Forth parameter should be an Integer.";
    case TextId::QueryNameMissing: return "Failure to create query. Name are missing";
    case TextId::WrongArgumentCount: return "Wrong number of arguments";
    case TextId::UnsupportedVariant:
      return "Variant of Variant ByRef Data type %d  is not currently supported ";
    case TextId::CannotExtract: return "Can not extract from List. Type %d.";
    case TextId::WrongListFormat: return "Wrong list format";
    case TextId::UndefinedElement: return "Undefined List element";
    case TextId::QueryAlreadyOpen: return "Query already open.  Call Close() before Execute().";
    case TextId::QueryNotOpen: return "Query not open.  Run Execute.";
    case TextId::RecursionNotAllowed: return "Recursion not allowed.";
    case TextId::WrongDateFormat: return "Wrong DATE format.";
    case TextId::ColumnMissing: return "Column does not exist";
    case TextId::TypeMismatch: return "Type mismatch";
    case TextId::NotConnected: return "Factory not connected to server";
    case TextId::Title: return "KestoObject";
  }
  throw std::out_of_range("no such text in the library's string table");
}

std::string formatText(TextId id, std::string_view arg) {
  std::string result(text(id));
  for (std::size_t at = result.find('%'); at != std::string::npos && at + 1 < result.size();
       at = result.find('%', at + 1)) {
    if (result[at + 1] == 's' || result[at + 1] == 'd') {
      result.replace(at, 2, arg);
      break;
    }
  }
  return result;
}

std::string formatText(TextId id, long arg) { return formatText(id, std::to_string(arg)); }

}  // namespace kesto::object
