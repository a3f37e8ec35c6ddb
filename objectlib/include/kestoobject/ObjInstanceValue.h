// Values between automation and their server text form, by automation type and the
// conversion code of the property or argument (see ClassInfo.h).
#pragma once

#include <kestoobject/ClassInfo.h>
#include <kestoobject/ListBuilder.h>

#include <automation/Variant.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kesto::object {

// A value's server text: UTF-16 text, or raw bytes (binary strings and lists).
struct ServerText {
  bool Raw = false;
  std::u16string Text;
  std::string Bytes;
};

// The server form of a value. By-reference values are read through. An object value
// yields the text the objectText callback gives for it (the proxy knows references); a
// type without a server form sets the last-error text and returns false.
using ObjectToText = bool (*)(IDispatch* object, int conversion, ServerText& out);
bool ValueToServerText(const VARIANT& value, int conversion, ServerText& out,
                       ObjectToText objectText);

// Appends the element of a value as it enters a request body: raw bytes as an 8-bit
// element (without a trailing terminator); otherwise UTF-16 when the server is a Unicode
// server, else 8-bit text in the ANSI code page.
void AppendServerText(ListBuilder& body, const ServerText& value, bool unicodeServer);

// A value given for a date property or argument: a date as it is, anything else converted
// to a date (an empty text counts as no date). False with "Wrong DATE format." as the
// last error when it does not convert.
bool ValueAsDate(const VARIANT& given, automation::Variant& out);

// Dates: "day number[,seconds]" with day number = whole days + 21548, seconds rounded to
// the nearest second and given whenever not 0; date 0 is the empty text.
std::u16string DateToServerText(DATE date);
DATE DateFromServerText(std::u16string_view text);
// Time of day: the seconds ("%g"); date 0 is the empty text.
std::u16string TimeToServerText(DATE date);
DATE TimeFromServerText(std::u16string_view text);

// A value read from the server as the automation type of its property or method: numbers,
// dates, currency, strings, booleans and lists. Objects of other kinds are not handled
// here (false, with nothing set). Raw bytes come as `bytes`, texts as `text`.
bool ServerTextToValue(const ServerText& value, VARTYPE type, int conversion,
                       automation::Variant& out);

// The same rules as for a result value, writing into a caller's by-reference variable by
// the variable's own type. False when the variable's type takes no server value.
bool ServerTextToByRef(const ServerText& value, int conversion, VARIANT& target);

}  // namespace kesto::object
