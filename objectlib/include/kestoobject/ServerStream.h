// A stream of a server object (a stream-valued property): a local copy of its content and
// piecewise reads and writes of the stream on the server. A stream without a Factory or
// without a server reference is a local buffer only; its server operations do nothing.
//
// Every server call is request 15 on the stream's reference: [ref "%d"][method name]
// ["1" when the result is read, else "0"][one 8-bit element holding the arguments].
// A failed request raises the module's last error (code and text).
//
// Binary streams keep their bytes as they are. Character streams keep Windows-1252 text
// in the buffer, as the server stores it: Data, Read and Write all convert with the ANSI
// code page, so that every path gives the same text and SQL readers see the same letters.
#pragma once

#include <kestoobject/Factory.h>
#include <kestoobject/ObjInstanceValue.h>

#include <automation/Bstr.h>
#include <automation/ComPtr.h>
#include <automation/Picture.h>
#include <automation/Variant.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::object {

class ServerStream : public NativeObject {
 public:
  static constexpr std::size_t kPieceBytes = 15000;       // Read count and Write piece
  static constexpr std::size_t kSingleWriteMax = 60000;   // longer Write values go in pieces
  static constexpr std::size_t kMaxContentBytes = std::size_t{1} << 30;

  // The library's own stream behind object, or null. Borrowed, like nativeObject().
  static ServerStream* native(IUnknown* object);

  // The automation object itself; no reference added.
  virtual IDispatch* dispatch() = 0;

  bool IsBinary() const { return binary_; }
  long ServerReference() const { return ref_; }
  // The Factory whose connection the reference belongs to, or null for a local stream.
  const Factory* OwnerFactory() const { return owner_.get(); }
  bool HasServerSide() const { return owner_ && ref_ != 0; }
  // The local copy; for a character stream OEM text.
  const std::vector<std::uint8_t>& Buffer() const { return buffer_; }

  // Data: reloads a server stream first; binary -> byte string, character -> UTF-16.
  automation::Variant GetData();
  // Takes a string (others are ignored), then writes it to the server.
  void PutData(const VARIANT& value);
  // 1 when a non-empty file replaced the content; an empty file changes nothing.
  bool FileRead(const std::string& path);
  // 1 when the content was written; with no content the file is left untouched.
  bool FileWrite(const std::string& path);
  void ReadFromServer();
  void WriteToServer();

  // size bytes from the server's current position; Read does not touch the buffer.
  automation::Bstr Read(int size);
  // Sends the bytes as they are (callers give a character stream ANSI text). 0 without a
  // server side; an empty value sends nothing.
  bool Write(Bytes value);
  bool Rewind();
  void Clear();

  automation::Bstr GetAttribute(std::string_view name, std::string_view defaultValue);
  void SetAttribute(std::string_view name, std::string_view value);
  bool IsDefinedAttribute(std::string_view name);
  automation::Bstr NextAttribute(std::string_view name);
  bool DeleteAttribute(std::string_view name);

  // Null when the stream is empty.
  automation::ComPtr<IPictureDisp> GetPicture();
  void SetPicture(IUnknown* picture);

  Kind nativeKind() const override { return Kind::Stream; }

 protected:
  ServerStream(bool binary, Factory* owner, long ref);
  ~ServerStream();

 private:
  // One request 15; the first element of the reply's payload, copied.
  std::vector<std::uint8_t> call(std::string_view method, bool readsResult,
                                 const ListBuilder& arguments);
  // The queued property sets of the Factory go first; a failure raises.
  void flushPending();
  // An attribute call (after flushPending) with 8-bit texts as its arguments.
  std::vector<std::uint8_t> attributeCall(std::string_view method, bool readsResult,
                                          std::initializer_list<std::string_view> texts);
  void sendWrite(Bytes piece);
  void replaceBuffer(std::vector<std::uint8_t> bytes);

  std::vector<std::uint8_t> buffer_;
  long ref_ = 0;
  bool binary_ = true;
  automation::ComPtr<Factory> owner_;
  std::uint32_t session_ = 0;  // the connection its server stream belongs to
};

// A new stream automation object with one reference: a local one (owner null, ref 0) as
// made by ProgID, or one bound to the server stream ref of the Factory's connection.
IDispatch* CreateStreamObject(bool binary, Factory* owner, long ref);

// A stream-valued property's server text (the stream's reference) as a new stream object
// of the kind the conversion code names (65 binary, 66 character). Reference 0 gives no
// object.
bool StreamValue(Factory& owner, const ServerText& answer, int conversion,
                 automation::Variant& out);

// The server text of a stream object written to a stream-valued property: "%d" of its
// server reference (0 for a local stream); the empty text for another object.
bool StreamReferenceText(IDispatch* object, ServerText& out);

}  // namespace kesto::object
