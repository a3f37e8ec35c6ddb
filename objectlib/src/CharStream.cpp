// ICharStream: the shared stream members and Write of text, sent as ANSI.
#include <kestoobject/CharStream.h>

#include "StreamMembers.h"

namespace kesto::object {

using namespace automation;

void* CCharStream::queryExtra(REFIID riid) {
  return riid == kIidNativeObject ? static_cast<NativeObject*>(this) : nullptr;
}

const DispatchTable<CCharStream>& CCharStream::dispatchTable() {
  using S = CCharStream;
  static const DispatchTable<S> table(std::string(text(TextId::Title)), [] {
    auto members = streams::commonMembers<S>({.read = 5, .rewind = 7, .clear = 8, .getAttribute = 9});
    members.push_back(member<S>(u"Write", 6, kMethod, {in(VT_BSTR)}, VT_BOOL, [](S& s, DispatchCall& c) {
      const std::string ansi = streams::ansiArg(c, 0);
      c.result() = Variant(s.Write({reinterpret_cast<const std::uint8_t*>(ansi.data()), ansi.size()}));
    }));
    return members;
  }());
  return table;
}

}  // namespace kesto::object
