// The dispatch members both stream classes share; only their identifiers differ.
#pragma once

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ServerStream.h>

#include <automation/DispatchTable.h>
#include <text/CodePage.h>

#include <string>
#include <vector>

namespace kesto::object::streams {

// Identifiers that differ between the binary and the character stream. The five
// attribute members follow getAttribute in order.
struct MemberIds {
  DISPID read;
  DISPID rewind;
  DISPID clear;
  DISPID getAttribute;
};

// An argument as 8-bit ANSI text (attribute names and values).
inline std::string ansiArg(const automation::DispatchCall& c, std::size_t i) {
  return text::toNarrow(c.arg(i).toString(), text::CodePage::Ansi);
}

// A path argument as the file system takes it.
inline std::string pathArg(const automation::DispatchCall& c, std::size_t i) {
  return c.arg(i).toUtf8();
}

template <class T>
std::vector<automation::Member<T>> commonMembers(const MemberIds& ids) {
  using namespace automation;
  const DISPID attr = ids.getAttribute;
  return {
      member<T>(u"Data", 1, kGet, {}, VT_VARIANT,
                [](T& s, DispatchCall& c) { c.result() = s.GetData(); }),
      member<T>(u"Data", 1, kPut, {in(VT_VARIANT)}, VT_EMPTY,
                [](T& s, DispatchCall& c) { s.PutData(c.arg(0).raw()); }),
      member<T>(u"oref", 2, kGet, {}, VT_I4,
                [](T& s, DispatchCall& c) {
                  c.result() = Variant(static_cast<std::int32_t>(s.ServerReference()));
                }),
      member<T>(u"_oref", 0, kGet, {}, VT_I4,
                [](T& s, DispatchCall& c) {
                  c.result() = Variant(static_cast<std::int32_t>(s.ServerReference()));
                }),
      member<T>(u"FileRead", 3, kMethod, {in(VT_BSTR)}, VT_BOOL,
                [](T& s, DispatchCall& c) { c.result() = Variant(s.FileRead(pathArg(c, 0))); }),
      member<T>(u"FileWrite", 4, kMethod, {in(VT_BSTR)}, VT_BOOL,
                [](T& s, DispatchCall& c) { c.result() = Variant(s.FileWrite(pathArg(c, 0))); }),
      member<T>(u"Read", ids.read, kMethod, {in(VT_I2)}, VT_BSTR,
                [](T& s, DispatchCall& c) { c.result() = Variant(s.Read(c.arg(0).toInt16())); }),
      member<T>(u"Rewind", ids.rewind, kMethod, {}, VT_BOOL,
                [](T& s, DispatchCall& c) { c.result() = Variant(s.Rewind()); }),
      member<T>(u"Clear", ids.clear, kMethod, {}, VT_EMPTY, [](T& s, DispatchCall&) { s.Clear(); }),
      member<T>(u"GetAttribute", attr, kMethod, {in(VT_BSTR), in(VT_BSTR)}, VT_BSTR,
                [](T& s, DispatchCall& c) {
                  c.result() = Variant(s.GetAttribute(ansiArg(c, 0), ansiArg(c, 1)));
                }),
      member<T>(u"SetAttribute", attr + 1, kMethod, {in(VT_BSTR), in(VT_BSTR)}, VT_EMPTY,
                [](T& s, DispatchCall& c) { s.SetAttribute(ansiArg(c, 0), ansiArg(c, 1)); }),
      member<T>(u"IsDefinedAttribute", attr + 2, kMethod, {in(VT_BSTR)}, VT_BOOL,
                [](T& s, DispatchCall& c) { c.result() = Variant(s.IsDefinedAttribute(ansiArg(c, 0))); }),
      member<T>(u"NextAttribute", attr + 3, kMethod, {in(VT_BSTR)}, VT_BSTR,
                [](T& s, DispatchCall& c) { c.result() = Variant(s.NextAttribute(ansiArg(c, 0))); }),
      member<T>(u"DeleteAttribute", attr + 4, kMethod, {in(VT_BSTR)}, VT_BOOL,
                [](T& s, DispatchCall& c) { c.result() = Variant(s.DeleteAttribute(ansiArg(c, 0))); }),
  };
}

}  // namespace kesto::object::streams
