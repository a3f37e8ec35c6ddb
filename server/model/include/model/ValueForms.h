#pragma once
// Text forms of property values on the object protocol, by type code:
//   Text      raw reads in the 7-bit form (incoming values converted back to display text)
//   Integer   "12"; Boolean "1"/"0"; Double/Number/Currency "12.5" (C locale, no exponent)
//   Date      day number, then "," + seconds only when > 0; "" = null (stored as ISO text)
//   Time      seconds of the day; "" = null (stored as "hh:mm:ss")
//   Binary, List   raw bytes

#include <string>
#include <string_view>

#include "model/ClassDef.h"
#include "model/Value.h"

namespace kesto::server::model {

// Stored value -> the text the client reads (UTF-8 for texts, raw bytes for binaries).
std::string toWire(TypeCode type, const Value& stored);

// Text the client sent -> the value to store. Throws ServerError (BadValue) for a number,
// date or time it cannot read; name is used in that error.
Value fromWire(TypeCode type, std::string_view wire, std::string_view name);

// Throws ServerError (LongerThanDeclared, with the property's name) when a text holds more
// characters than the property's declared "VARCHAR(n)" or "CHAR(n)" allows.
void checkDeclaredLength(const PropertyDef& property, const Value& value);

}  // namespace kesto::server::model
