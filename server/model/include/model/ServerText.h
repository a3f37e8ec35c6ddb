#pragma once
// The server's text forms. Storage holds display text (UTF-8); the object protocol shows
// some texts in the 7-bit German form, in which
//   ä { ö | ü } ß ~ Ä [ Ö \ Ü ]  and  § (U+00A7) as õ (U+00F5, byte 0xF5 in Windows-1252).
// All functions take and give UTF-8.

#include <string>
#include <string_view>

namespace kesto::server::model {

std::string toSevenBit(std::string_view display);
std::string fromSevenBit(std::string_view sevenBit);

// Search key: upper case (German letters included), then ß -> SS, Ä -> AE, Ö -> OE, Ü -> UE.
std::string toSearchKey(std::string_view display);

// Server date numbers of the application: (year - 1900) * 10000 + month * 100 + day.
// Throws ServerError (BadValue) for an ISO date "yyyy-mm-dd" it cannot read.
std::string isoToServerDate(std::string_view iso);

// Day numbers of the object protocol: days since 1840-12-31 (1841-01-01 = 1).
int isoToDayNumber(std::string_view iso);       // throws ServerError (BadValue)
std::string dayNumberToIso(int day);

}  // namespace kesto::server::model
