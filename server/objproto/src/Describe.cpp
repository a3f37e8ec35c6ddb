// Request 1: the class description, split into pieces with continuation keys.
#include "Builtins.h"
#include "Session.h"

namespace kesto::server::objproto {

using model::ServerError;
namespace errc = model::errc;

const model::ClassDef& Session::findClass(std::string_view name) const {
  if (const auto* cls = builtinClass(name, options_.diagnostics, options_.testClasses))
    return *cls;
  if (const auto* cls = catalog_.find(name))
    return *cls;
  throw ServerError(errc::UnknownClass, {std::string(name)});
}

Reply Session::describeClass(wire::ListReader& body) {
  const std::string className = TextCodec::text(body.next());
  const auto keyElement = body.tryNext();
  const std::string key = keyElement ? TextCodec::text(*keyElement) : std::string();
  const model::ClassDef& cls = findClass(className);
  const auto items = model::describe(cls);

  std::size_t first = 0;
  if (!key.empty()) {
    if (key.find_first_not_of("0123456789") != std::string::npos || key.size() > 6 ||
        std::stoul(key) == 0 || std::stoul(key) >= items.size())
      throw ServerError(errc::BadValue, {"continuation key", key});
    first = std::stoul(key);
  }

  wire::ListWriter outer(wire::kMaxElementData);
  std::size_t next = first;
  for (; next < items.size(); ++next) {
    const auto& it = items[next];
    wire::ListWriter item;
    item.integer(it.kind);
    codec_.write(item, it.name);
    item.integer(it.dispid);
    item.integer(static_cast<int>(it.type));
    if (it.kind == 1)
      item.integer(it.flagA);
    else
      item.text8(it.argCodes);
    item.integer(it.flagB);
    const std::string element = nested(item.bytes());
    // At least one item per piece, so that every piece makes progress.
    if (next > first && outer.size() + element.size() > options_.describePieceBytes)
      break;
    outer.encoded(element);
  }
  Reply reply;
  wire::ListWriter payload;
  payload.text8(outer.bytes());
  payload.text8(next < items.size() ? std::to_string(next) : std::string());
  reply.payload = payload.take();
  return reply;
}

}  // namespace kesto::server::objproto
