// d_Stream: a handle on a binary or character stream object.
#include <kestoobject/KestoObject.h>

#include <kestoobject/ServerStream.h>

#include "ExportedSupport.h"

#include <utility>

using namespace kesto::object;

namespace {

std::string_view orEmpty(const char* text) { return text ? std::string_view(text) : std::string_view(); }

// A path given as ANSI text, as the file system spells it.
std::string pathOf(const char* path) { return kesto::text::utf16ToUtf8(exported::fromAnsi(path)); }

}  // namespace

d_Stream::d_Stream(void* stream) {
  auto* found = static_cast<NativeObject*>(stream);
  if (found && found->nativeKind() == NativeObject::Kind::Stream)
    m_stream = static_cast<ServerStream*>(found);
}

d_Stream::d_Stream(const d_Stream& other) : m_stream(other.m_stream) {
  if (m_stream) m_stream->dispatch()->AddRef();
}

d_Stream& d_Stream::operator=(const d_Stream& other) {
  d_Stream copy(other);
  std::swap(m_stream, copy.m_stream);
  return *this;
}

d_Stream::~d_Stream() {
  if (m_stream) {
    IDispatch* object = std::exchange(m_stream, nullptr)->dispatch();
    exported::releaseQuietly(object);
  }
}

VARIANT d_Stream::GetBuffer() {
  if (!m_stream) {
    VARIANT empty;
    VariantInit(&empty);
    return empty;
  }
  return m_stream->GetData().detach();
}

void d_Stream::SetBuffer(const VARIANT& value) {
  if (m_stream) m_stream->PutData(value);
}

int d_Stream::ReadFromFile(const char* path) { return m_stream && m_stream->FileRead(pathOf(path)) ? 1 : 0; }

int d_Stream::WriteIntoFile(const char* path) { return m_stream && m_stream->FileWrite(pathOf(path)) ? 1 : 0; }

void d_Stream::ReadFromServer() {
  if (m_stream) m_stream->ReadFromServer();
}

void d_Stream::WriteToServer() {
  if (m_stream) m_stream->WriteToServer();
}

BSTR d_Stream::ReadS(int size) { return m_stream ? m_stream->Read(size).detach() : nullptr; }

int d_Stream::WriteS(BYTE* data, int length) {
  if (!m_stream || length < 0 || (!data && length > 0)) return 0;
  return m_stream->Write(Bytes(data, static_cast<std::size_t>(length))) ? 1 : 0;
}

int d_Stream::RewindS() { return m_stream && m_stream->Rewind() ? 1 : 0; }

void d_Stream::Clear() {
  if (m_stream) m_stream->Clear();
}

BSTR d_Stream::GetAttribute(const char* name, const char* defaultValue) {
  return m_stream ? m_stream->GetAttribute(orEmpty(name), orEmpty(defaultValue)).detach() : nullptr;
}

void d_Stream::SetAttribute(const char* name, const char* value) {
  if (m_stream) m_stream->SetAttribute(orEmpty(name), orEmpty(value));
}

int d_Stream::IsDefinedAttribute(const char* name) {
  return m_stream && m_stream->IsDefinedAttribute(orEmpty(name)) ? 1 : 0;
}

BSTR d_Stream::NextAttribute(const char* name) {
  return m_stream ? m_stream->NextAttribute(orEmpty(name)).detach() : nullptr;
}

int d_Stream::DeleteAttribute(const char* name) {
  return m_stream && m_stream->DeleteAttribute(orEmpty(name)) ? 1 : 0;
}
