// The binary stream object ("KestoObject.BinaryStream", dispatch interface IBinaryStream):
// a stream of bytes, for example a picture.
#pragma once

#include <kestoobject/Guids.h>
#include <kestoobject/ServerStream.h>

#include <automation/DispatchTable.h>

#include <string_view>

namespace kesto::object {

struct IBinaryStream : IDispatch {
  static constexpr IID iid = kIidBinaryStream;
};

class CBinaryStream final : public automation::DispatchObject<CBinaryStream, IBinaryStream>,
                            public ServerStream {
 public:
  static constexpr std::string_view kProgId = "KestoObject.BinaryStream";
  static const automation::DispatchTable<CBinaryStream>& dispatchTable();

  IDispatch* dispatch() override { return this; }

 protected:
  void* queryExtra(REFIID riid) override;

 private:
  friend class automation::ComObject<CBinaryStream, IBinaryStream>;
  CBinaryStream(Factory* owner, long ref) : ServerStream(true, owner, ref) {}
  ~CBinaryStream() override = default;
};

}  // namespace kesto::object
