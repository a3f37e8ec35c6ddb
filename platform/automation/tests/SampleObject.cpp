#include "SampleObject.h"

namespace sample {

using namespace kesto::automation;

const DispatchTable<Sample>& Sample::dispatchTable() {
  static const DispatchTable<Sample> table(
      "KestoTest",
      {
          // Add(a, [b]) = a + b, b defaulting to 10.
          member<Sample>(u"Add", 1, kMethod, {in(VT_I4), optional(VT_I4)}, VT_I4,
                         [](Sample&, DispatchCall& c) {
                           const int b = c.given(1) ? c.arg(1).toInt32() : 10;
                           c.result() = Variant(c.arg(0).toInt32() + b);
                         }),
          // Twice(ByRef n): n := 2n, returns the old value as text.
          member<Sample>(u"Twice", 2, kMethod, {byRef(VT_I4)}, VT_BSTR,
                         [](Sample&, DispatchCall& c) {
                           const int n = c.arg(0).toInt32();
                           c.setRef(0, Variant(2 * n));
                           c.result() = Variant(n);
                         }),
          // Fail(code, text): raises a dispatch exception.
          member<Sample>(u"Fail", 3, kMethod, {in(VT_I2), in(VT_BSTR)}, VT_EMPTY,
                         [](Sample&, DispatchCall& c) {
                           throw DispatchException(static_cast<std::uint16_t>(c.arg(0).toInt32()),
                                                   c.arg(1).toUtf8());
                         }),
          member<Sample>(u"Name", 4, kGet, {}, VT_BSTR,
                         [](Sample& s, DispatchCall& c) { c.result() = Variant(s.name); }),
          member<Sample>(u"Name", 4, kPut, {in(VT_BSTR)}, VT_EMPTY,
                         [](Sample& s, DispatchCall& c) { s.name = c.arg(0).toString(); }),
          member<Sample>(u"Count", 5, kGet, {}, VT_I4,
                         [](Sample&, DispatchCall& c) { c.result() = Variant(3); }),
          // Stamp(date): the date as text, to check argument conversion.
          member<Sample>(u"Stamp", 6, kMethod, {in(VT_DATE)}, VT_BSTR,
                         [](Sample&, DispatchCall& c) { c.result() = c.arg(0); }),
      });
  return table;
}

namespace {

class Factory final : public ComObject<Factory, IClassFactory> {
 public:
  HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return Sample::create()->QueryInterface(riid, object);
  }
  HRESULT LockServer(BOOL lock) override {
    lock ? lockModule() : unlockModule();
    return S_OK;
  }
};

}  // namespace

IClassFactory* newSampleFactory() { return Factory::create().detach(); }

}  // namespace sample
