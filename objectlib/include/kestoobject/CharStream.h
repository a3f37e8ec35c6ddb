// The character stream object ("KestoObject.CharStream", dispatch interface ICharStream):
// a stream of text.
#pragma once

#include <kestoobject/Guids.h>
#include <kestoobject/ServerStream.h>

#include <automation/DispatchTable.h>

#include <string_view>

namespace kesto::object {

struct ICharStream : IDispatch {
  static constexpr IID iid = kIidCharStream;
};

class CCharStream final : public automation::DispatchObject<CCharStream, ICharStream>,
                          public ServerStream {
 public:
  static constexpr std::string_view kProgId = "KestoObject.CharStream";
  static const automation::DispatchTable<CCharStream>& dispatchTable();

  IDispatch* dispatch() override { return this; }

 protected:
  void* queryExtra(REFIID riid) override;

 private:
  friend class automation::ComObject<CCharStream, ICharStream>;
  CCharStream(Factory* owner, long ref) : ServerStream(false, owner, ref) {}
  ~CCharStream() override = default;
};

}  // namespace kesto::object
