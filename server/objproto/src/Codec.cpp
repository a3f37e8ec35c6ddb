#include "Codec.h"

#include <cstdio>
#include <cstdlib>

#include "text/CodePage.h"

namespace kesto::server::objproto {

using model::ServerError;
namespace errc = model::errc;

std::string TextCodec::element(std::string_view utf8) const {
  wire::ListWriter w(wire::kMaxElementData + 4);
  write(w, utf8);
  return w.take();
}

void TextCodec::write(wire::ListWriter& out, std::string_view utf8) const {
  if (utf8.empty()) {
    out.text8("");
    return;
  }
  const std::u16string wide = text::utf8ToUtf16(utf8);
  if (unicode_)
    out.text16(wide);
  else
    out.text8(text::toNarrow(wide, text::CodePage::Ansi));
}

std::string TextCodec::text(const wire::Element& e) {
  if (e.undefined)
    return {};
  switch (e.type) {
    case wire::Text8:
      return text::utf16ToUtf8(text::toWide(e.data, text::CodePage::Ansi));
    case wire::Text16:
      return text::utf16ToUtf8(wire::utf16Value(e));
    case wire::PosInt:
    case wire::NegInt:
      if (const auto v = wire::integerValue(e))
        return std::to_string(*v);
      break;
    case wire::PosDec:
    case wire::NegDec:
      if (const auto v = wire::decimalValue(e)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", *v);
        return buf;
      }
      break;
  }
  throw ServerError(errc::BadValue, {"list element", "type " + std::to_string(e.type)});
}

namespace {

// Parameters of an error text are cut to this many bytes of UTF-8, so that a status of
// ten parameters stays far below the 32,767 bytes a client reads as status length.
constexpr std::size_t kMaxParamBytes = 1000;

std::string_view cutParam(std::string_view p) {
  if (p.size() <= kMaxParamBytes)
    return p;
  std::size_t n = kMaxParamBytes;
  while (n > 0 && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80)
    --n;  // not inside a character
  return p.substr(0, n);
}

}  // namespace

std::string errorList(const ServerError& error, const TextCodec& codec) {
  wire::ListWriter item;
  item.text8(std::to_string(error.code()));
  for (const auto& p : error.params()) {
    const std::string_view cut = cutParam(p);
    codec.write(item, cut.size() < p.size() ? std::string(cut) + "..." : p);
  }
  return nested(item.bytes());
}

std::string failureStatus(const ServerError& error, const TextCodec& codec) {
  return "0 " + errorList(error, codec);
}

long long integerArgument(const wire::Element& e, std::string_view what) {
  const std::string t = TextCodec::text(e);
  char* end = nullptr;
  const long long v = std::strtoll(t.c_str(), &end, 10);
  if (t.empty() || end != t.c_str() + t.size())
    throw ServerError(errc::BadValue, {std::string(what), t});
  return v;
}

std::string nested(std::string_view elements) {
  return wire::encodeText8(elements);
}

}  // namespace kesto::server::objproto
