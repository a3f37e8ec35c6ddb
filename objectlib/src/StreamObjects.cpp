// Stream objects made for stream-valued properties and by ProgID, and the stream reference
// a property write sends.
#include <kestoobject/BinaryStream.h>
#include <kestoobject/CharStream.h>

#include <text/Numbers.h>

namespace kesto::object {

using automation::Variant;

IDispatch* CreateStreamObject(bool binary, Factory* owner, long ref) {
  if (binary) return CBinaryStream::create(owner, ref).detach();
  return CCharStream::create(owner, ref).detach();
}

bool StreamValue(Factory& owner, const ServerText& answer, int conversion, Variant& out) {
  // A binary stream's answer is read like its bytes: the reference arrives raw.
  const long ref = answer.Raw ? text::atoi(answer.Bytes) : text::wtoi(answer.Text);
  if (ref == 0) {
    out = Variant(static_cast<IDispatch*>(nullptr));
    return true;
  }
  VARIANT v;
  v.vt = VT_DISPATCH;
  v.pdispVal = CreateStreamObject(conversion == kConvBinary, &owner, ref);
  out = Variant::attach(v);
  return true;
}

bool StreamReferenceText(IDispatch* object, ServerText& out) {
  out = ServerText{};
  if (ServerStream* stream = ServerStream::native(object)) {
    const std::string digits = std::to_string(stream->ServerReference());
    out.Text.assign(digits.begin(), digits.end());
  }
  return true;
}

}  // namespace kesto::object
