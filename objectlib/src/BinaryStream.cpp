// IBinaryStream: the shared stream members, the picture pair and Write of a byte string.
#include <kestoobject/BinaryStream.h>

#include "StreamMembers.h"

namespace kesto::object {

using namespace automation;

void* CBinaryStream::queryExtra(REFIID riid) {
  return riid == kIidNativeObject ? static_cast<NativeObject*>(this) : nullptr;
}

const DispatchTable<CBinaryStream>& CBinaryStream::dispatchTable() {
  using S = CBinaryStream;
  static const DispatchTable<S> table(std::string(text(TextId::Title)), [] {
    auto members = streams::commonMembers<S>({.read = 7, .rewind = 8, .clear = 10, .getAttribute = 11});
    members.push_back(member<S>(u"GetPicture", 5, kMethod, {}, VT_DISPATCH, [](S& s, DispatchCall& c) {
      ComPtr<IPictureDisp> picture = s.GetPicture();
      c.result() = Variant(static_cast<IDispatch*>(picture.get()));
    }));
    members.push_back(member<S>(u"SetPicture", 6, kMethod, {in(VT_DISPATCH)}, VT_EMPTY,
                                [](S& s, DispatchCall& c) { s.SetPicture(c.arg(0).dispatch()); }));
    members.push_back(member<S>(u"Write", 9, kMethod, {byRef(VT_BSTR)}, VT_BOOL, [](S& s, DispatchCall& c) {
      const std::string bytes = c.arg(0).toBytes();
      c.result() = Variant(s.Write({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
    }));
    return members;
  }());
  return table;
}

}  // namespace kesto::object
