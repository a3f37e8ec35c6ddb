// The stream engine: the local buffer and the stream methods on the server.
#include <kestoobject/ServerStream.h>

#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ServerLink.h>

#include <text/CodePage.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace kesto::object {

using automation::Bstr;
using automation::ComPtr;
using automation::Variant;

namespace {

constexpr std::string_view kNotEnoughMemory = "Not enough memory";
constexpr std::string_view kInvalidPicture = "Invalid picture";
constexpr std::size_t kFileErrorMax = 80;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void raiseFileError(int error) {
  std::string message = std::strerror(error);
  if (message.size() > kFileErrorMax) message.resize(kFileErrorMax);
  RaiseError(0, std::move(message));
}

File openFile(const std::string& path, const char* mode) {
  File file(std::fopen(path.c_str(), mode));
  if (!file) raiseFileError(errno);
  return file;
}

std::string_view asText(Bytes bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A reply element read as 8-bit text (UTF-16 narrowed to ANSI); nothing reads as "".
std::string narrowResult(const std::vector<std::uint8_t>& element) {
  std::string out;
  if (!element.empty()) ListReadNarrow(element.data(), element.data() + element.size(), out);
  return out;
}

std::u16string wideResult(const std::vector<std::uint8_t>& element) {
  std::u16string out;
  if (!element.empty()) ListReadWide(element.data(), element.data() + element.size(), out);
  return out;
}

int integerResult(const std::vector<std::uint8_t>& element) {
  int value = 0;
  if (!element.empty()) ListReadInteger(element.data(), element.data() + element.size(), value);
  return value;
}

}  // namespace

ServerStream* ServerStream::native(IUnknown* object) {
  NativeObject* found = nativeObject(object);
  if (!found || found->nativeKind() != Kind::Stream) return nullptr;
  return static_cast<ServerStream*>(found);
}

ServerStream::ServerStream(bool binary, Factory* owner, long ref)
    : ref_(ref), binary_(binary), owner_(owner), session_(owner ? owner->Session() : 0) {}

ServerStream::~ServerStream() = default;

std::vector<std::uint8_t> ServerStream::call(std::string_view method, bool readsResult,
                                             const ListBuilder& arguments) {
  if (!owner_->CheckSession(session_)) RaiseLastError();
  ListBuilder body;
  body.number(ref_).narrow(method).narrow(readsResult ? "1" : "0").list(arguments);
  Bytes payload;
  if (owner_->Channel().CallMethod(ServerLink::kInstanceMethod, body, payload) < 0)
    RaiseLastError();
  const std::uint8_t* end = payload.data() + payload.size();
  const std::size_t size = payload.empty() ? 0 : ListElementSize(payload.data(), end);
  if (!payload.empty() && size == 0) RaiseClientError(std::string(text(TextId::WrongListFormat)));
  return {payload.data(), payload.data() + size};
}

void ServerStream::flushPending() {
  if (!owner_->CheckSession(session_) || owner_->FlushPendingSets() < 0) RaiseLastError();
}

void ServerStream::replaceBuffer(std::vector<std::uint8_t> bytes) { buffer_ = std::move(bytes); }

void ServerStream::ReadFromServer() {
  if (!HasServerSide()) return;
  buffer_.clear();
  if (!Rewind()) return;
  std::vector<std::uint8_t> content;
  for (;;) {
    ListBuilder count;
    count.number(static_cast<long>(kPieceBytes));
    const std::string piece = narrowResult(call("Read", true, count));
    if (piece.empty()) break;
    // A server that never ends the stream must not take all memory.
    if (content.size() + piece.size() > kMaxContentBytes)
      RaiseError(0, std::string(kNotEnoughMemory));
    content.insert(content.end(), piece.begin(), piece.end());
  }
  replaceBuffer(std::move(content));
}

void ServerStream::WriteToServer() {
  if (!HasServerSide() || buffer_.empty()) return;
  if (!Rewind()) return;
  for (std::size_t at = 0; at < buffer_.size(); at += kPieceBytes) {
    const std::size_t n = std::min(kPieceBytes, buffer_.size() - at);
    sendWrite(Bytes(buffer_.data() + at, n));
  }
}

void ServerStream::sendWrite(Bytes piece) {
  ListBuilder argument;
  argument.narrow(piece);
  call("Write", false, argument);
}

Variant ServerStream::GetData() {
  ReadFromServer();
  if (binary_) return Variant::bytes(asText(Bytes(buffer_.data(), buffer_.size())));
  try {
    return Variant(std::u16string_view(
        text::toWide(asText(Bytes(buffer_.data(), buffer_.size())), text::CodePage::Ansi)));
  } catch (const std::bad_alloc&) {
    RaiseError(0, std::string(kNotEnoughMemory));
  }
}

void ServerStream::PutData(const VARIANT& value) {
  const VARIANT* v = &value;
  if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal) v = v->pvarVal;
  BSTR text = nullptr;
  if (v->vt == VT_BSTR)
    text = v->bstrVal;
  else if (v->vt == (VT_BSTR | VT_BYREF) && v->pbstrVal)
    text = *v->pbstrVal;
  else
    return;
  const Bytes bytes = bstrBytes(text);
  if (binary_) {
    replaceBuffer({bytes.begin(), bytes.end()});
  } else {
    const std::string ansi = text::toNarrow(
        std::u16string_view(text ? text : u"", SysStringLen(text)), text::CodePage::Ansi);
    replaceBuffer({ansi.begin(), ansi.end()});
  }
  WriteToServer();
}

bool ServerStream::FileRead(const std::string& path) {
  File file = openFile(path, "rb");
  std::vector<std::uint8_t> content;
  std::uint8_t chunk[8192];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
    if (n == 0) break;
    if (content.size() + n > kMaxContentBytes) RaiseError(0, std::string(kNotEnoughMemory));
    content.insert(content.end(), chunk, chunk + n);
  }
  if (std::ferror(file.get())) raiseFileError(errno);
  if (content.empty()) return false;
  replaceBuffer(std::move(content));
  WriteToServer();
  return true;
}

bool ServerStream::FileWrite(const std::string& path) {
  ReadFromServer();
  // Decided before the file is opened: no content must not destroy an existing file.
  if (buffer_.empty()) return false;
  File file = openFile(path, "wb");
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file.get()) != buffer_.size() ||
      std::fflush(file.get()) != 0)
    raiseFileError(errno);
  return true;
}

Bstr ServerStream::Read(int size) {
  if (!HasServerSide() || size <= 0) return Bstr(std::u16string_view());
  ListBuilder count;
  count.number(size);
  const std::vector<std::uint8_t> element = call("Read", true, count);
  if (binary_) return Bstr::fromBytes(narrowResult(element));
  return Bstr(wideResult(element));
}

bool ServerStream::Write(Bytes value) {
  if (!HasServerSide()) return false;
  if (value.empty()) return true;
  if (value.size() <= kSingleWriteMax) {
    sendWrite(value);
    return true;
  }
  // Too long for one message: the pieces append in order, as WriteToServer sends them.
  for (std::size_t at = 0; at < value.size(); at += kPieceBytes)
    sendWrite(value.subspan(at, std::min(kPieceBytes, value.size() - at)));
  return true;
}

bool ServerStream::Rewind() {
  if (!HasServerSide()) return false;
  flushPending();
  ListBuilder nothing;
  nothing.narrow(std::string_view());
  call("Rewind", false, nothing);
  return true;
}

void ServerStream::Clear() {
  if (!HasServerSide()) return;
  flushPending();
  call("Clear", false, ListBuilder());
}

std::vector<std::uint8_t> ServerStream::attributeCall(std::string_view method, bool readsResult,
                                                      std::initializer_list<std::string_view> texts) {
  flushPending();
  ListBuilder arguments;
  for (std::string_view t : texts) arguments.narrow(t);
  return call(method, readsResult, arguments);
}

Bstr ServerStream::GetAttribute(std::string_view name, std::string_view defaultValue) {
  if (!HasServerSide()) return Bstr(std::u16string_view());
  return Bstr(wideResult(attributeCall("GetAttribute", true, {name, defaultValue})));
}

void ServerStream::SetAttribute(std::string_view name, std::string_view value) {
  if (HasServerSide()) attributeCall("SetAttribute", false, {name, value});
}

bool ServerStream::IsDefinedAttribute(std::string_view name) {
  return HasServerSide() && integerResult(attributeCall("IsDefinedAttribute", true, {name})) != 0;
}

Bstr ServerStream::NextAttribute(std::string_view name) {
  if (!HasServerSide()) return Bstr(std::u16string_view());
  return Bstr(wideResult(attributeCall("NextAttribute", true, {name})));
}

bool ServerStream::DeleteAttribute(std::string_view name) {
  return HasServerSide() && integerResult(attributeCall("DeleteAttribute", true, {name})) != 0;
}

ComPtr<IPictureDisp> ServerStream::GetPicture() {
  ReadFromServer();
  if (buffer_.empty()) return nullptr;
  ComPtr<IStream> memory;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.put())))
    RaiseError(0, std::string(kNotEnoughMemory));
  ULONG written = 0;
  LARGE_INTEGER start{};
  if (FAILED(memory->Write(buffer_.data(), static_cast<ULONG>(buffer_.size()), &written)) ||
      FAILED(memory->Seek(start, STREAM_SEEK_SET, nullptr)))
    RaiseError(0, std::string(kNotEnoughMemory));
  ComPtr<IPicture> picture;
  if (FAILED(OleLoadPicture(memory.get(), static_cast<LONG>(buffer_.size()), FALSE, IID_IPicture,
                            picture.putVoid())))
    RaiseError(0, std::string(kInvalidPicture));
  return picture.as<IPictureDisp>();
}

void ServerStream::SetPicture(IUnknown* given) {
  if (!given) {
    replaceBuffer({});
    return;
  }
  ComPtr<IPicture> picture;
  if (FAILED(given->QueryInterface(IID_IPicture, picture.putVoid())) || !picture)
    RaiseError(0, std::string(kInvalidPicture));
  ComPtr<IStream> memory;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.put())))
    RaiseError(0, std::string(kNotEnoughMemory));
  LONG size = 0;
  if (FAILED(picture->SaveAsFile(memory.get(), TRUE, &size)) || size < 0)
    RaiseError(0, std::string(kInvalidPicture));
  HGLOBAL block = nullptr;
  if (FAILED(GetHGlobalFromStream(memory.get(), &block)) || GlobalSize(block) < std::size_t(size))
    RaiseError(0, std::string(kInvalidPicture));
  const auto* data = static_cast<const std::uint8_t*>(GlobalLock(block));
  std::vector<std::uint8_t> bytes(data, data + size);
  GlobalUnlock(block);
  replaceBuffer(std::move(bytes));
  WriteToServer();
}

}  // namespace kesto::object
