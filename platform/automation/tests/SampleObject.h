// A small dispatch object used by the table tests and by the test server library.
#pragma once

#include <automation/DispatchTable.h>

namespace sample {

// {5D6A1E20-7B3C-4F11-A2B4-0C9E8F7A6B51}
constexpr CLSID kClsid{0x5D6A1E20, 0x7B3C, 0x4F11, {0xA2, 0xB4, 0x0C, 0x9E, 0x8F, 0x7A, 0x6B, 0x51}};
constexpr const char* kProgId = "KestoTest.Sample";

class Sample final : public kesto::automation::DispatchObject<Sample> {
 public:
  static const kesto::automation::DispatchTable<Sample>& dispatchTable();

  std::u16string name = u"Anfang";
};

// Class factory for Sample.
IClassFactory* newSampleFactory();

}  // namespace sample
