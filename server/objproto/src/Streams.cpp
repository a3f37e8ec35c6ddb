// Methods of stream objects (request 15 on a stream reference).
#include "Session.h"

#include <algorithm>

namespace kesto::server::objproto {

using model::ServerError;
namespace errc = model::errc;

namespace {

// A Read answer must leave room for the rest of the reply.
constexpr std::size_t kMaxReadBytes = 32000;

}  // namespace

CallResult Session::callStream(StreamObject& s, std::string_view method,
                               std::span<const wire::Element> args) {
  const auto arg = [&](std::size_t i) {
    return i < args.size() ? TextCodec::text(args[i]) : std::string();
  };
  CallResult result;
  result.returned = codec_.element("");
  if (model::equalsNoCase(method, "Read")) {
    const long long wanted = args.empty() ? static_cast<long long>(kMaxReadBytes)
                                          : integerArgument(args[0], "Read");
    const std::size_t n = static_cast<std::size_t>(std::clamp<long long>(wanted, 0, kMaxReadBytes));
    const std::size_t from = std::min(s.position, s.content.size());
    const std::string piece = s.content.substr(from, n);
    s.position = from + piece.size();
    s.rewound = false;
    result.returned = wire::encodeText8(piece);
  } else if (model::equalsNoCase(method, "Write")) {
    if (s.rewound)
      s.content.clear();
    s.rewound = false;
    if (!args.empty())
      s.content += TextCodec::bytes(args[0]);
    s.position = s.content.size();
  } else if (model::equalsNoCase(method, "Rewind")) {
    s.position = 0;
    s.rewound = true;
  } else if (model::equalsNoCase(method, "Clear")) {
    s.content.clear();
    s.position = 0;
  } else if (model::equalsNoCase(method, "GetAttribute")) {
    const auto it = s.attributes.find(arg(0));
    result.returned = codec_.element(it != s.attributes.end() ? it->second : arg(1));
  } else if (model::equalsNoCase(method, "SetAttribute")) {
    s.attributes[arg(0)] = arg(1);
  } else if (model::equalsNoCase(method, "IsDefinedAttribute")) {
    result.returned = codec_.element(s.attributes.count(arg(0)) ? "1" : "0");
  } else if (model::equalsNoCase(method, "NextAttribute")) {
    const std::string name = arg(0);
    const auto it = name.empty() ? s.attributes.begin() : s.attributes.upper_bound(name);
    result.returned = codec_.element(it != s.attributes.end() ? it->first : std::string());
  } else if (model::equalsNoCase(method, "DeleteAttribute")) {
    result.returned = codec_.element(s.attributes.erase(arg(0)) ? "1" : "0");
  } else {
    throw ServerError(errc::UnknownMethod, {"%Stream", std::string(method)});
  }
  return result;
}

}  // namespace kesto::server::objproto
