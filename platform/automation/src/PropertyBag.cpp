#include <automation/PropertyBag.h>

#include <text/CodePage.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kesto::automation {

using nlohmann::json;

namespace {

std::string versionText(std::uint32_t v) {
  return std::to_string(v >> 16) + "." + std::to_string(v & 0xFFFF);
}

std::uint32_t parseVersion(const std::string& text) {
  const auto dot = text.find('.');
  try {
    if (dot == std::string::npos) throw std::invalid_argument(text);
    const unsigned long major = std::stoul(text.substr(0, dot));
    const unsigned long minor = std::stoul(text.substr(dot + 1));
    if (major > 0xFFFF || minor > 0xFFFF) throw std::out_of_range(text);
    return makeVersion(static_cast<std::uint16_t>(major), static_cast<std::uint16_t>(minor));
  } catch (const std::logic_error&) {
    throw std::runtime_error("property bag: bad version \"" + text + "\"");
  }
}

[[noreturn]] void damaged(std::string_view name, const char* expected) {
  throw std::runtime_error("property bag: \"" + std::string(name) + "\" is not " + expected);
}

}  // namespace

const json* PropertyBag::find(std::string_view name) const {
  const auto it = values_.find(std::string(name));
  return it == values_.end() ? nullptr : &*it;
}

std::string PropertyBag::toJson() const {
  json doc{{"version", versionText(version_)}, {"properties", values_}};
  return doc.dump(2);
}

PropertyBag PropertyBag::fromJson(std::string_view text) {
  json doc = json::parse(text, nullptr, false);
  if (doc.is_discarded() || !doc.is_object()) throw std::runtime_error("property bag: not a JSON object");
  PropertyBag bag;
  if (const auto v = doc.find("version"); v != doc.end()) {
    if (!v->is_string()) throw std::runtime_error("property bag: version is not a text");
    bag.version_ = parseVersion(v->get<std::string>());
  }
  if (const auto p = doc.find("properties"); p != doc.end()) {
    if (!p->is_object()) throw std::runtime_error("property bag: properties is not an object");
    bag.values_ = *p;
  }
  return bag;
}

void PropertyBag::save(const std::filesystem::path& file) const {
  const auto temp = file.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << toJson() << '\n';
    if (!out.flush()) throw std::runtime_error("property bag: cannot write " + temp);
  }
  std::error_code ec;
  std::filesystem::rename(temp, file, ec);
  if (ec) throw std::runtime_error("property bag: cannot replace " + file.string() + ": " + ec.message());
}

PropertyBag PropertyBag::load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("property bag: cannot read " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return fromJson(text.str());
}

void PropExchange::exchangeVersion(std::uint32_t version) {
  if (!loading_) {
    bag_.setVersion(version);
    return;
  }
  if ((bag_.version() >> 16) > (version >> 16))
    throw std::runtime_error("property bag: version " + versionText(bag_.version()) +
                             " is newer than " + versionText(version));
}

template <class T, class Read, class Write>
void PropExchange::run(std::string_view name, T& field, const std::optional<T>& def, Read read,
                       Write write) {
  if (!loading_) {
    bag_.set(name, write(field));
    return;
  }
  if (const json* value = bag_.find(name))
    field = read(*value);
  else if (def)
    field = *def;
}

void PropExchange::exchange(std::string_view name, std::int16_t& field, std::optional<std::int16_t> def) {
  run(name, field, def,
      [&](const json& j) {
        if (!j.is_number_integer() || j.get<long long>() < INT16_MIN || j.get<long long>() > INT16_MAX)
          damaged(name, "a 16-bit integer");
        return j.get<std::int16_t>();
      },
      [](std::int16_t v) { return json(v); });
}

void PropExchange::exchange(std::string_view name, std::int32_t& field, std::optional<std::int32_t> def) {
  run(name, field, def,
      [&](const json& j) {
        if (!j.is_number_integer() || j.get<long long>() < INT32_MIN || j.get<long long>() > INT32_MAX)
          damaged(name, "a 32-bit integer");
        return j.get<std::int32_t>();
      },
      [](std::int32_t v) { return json(v); });
}

void PropExchange::exchangeBool(std::string_view name, BOOL& field, std::optional<bool> def) {
  std::optional<BOOL> d;
  if (def) d = *def ? TRUE : FALSE;
  run(name, field, d,
      [&](const json& j) -> BOOL {
        if (!j.is_boolean()) damaged(name, "true or false");
        return j.get<bool>() ? TRUE : FALSE;
      },
      [](BOOL v) { return json(v != 0); });
}

void PropExchange::exchangeColour(std::string_view name, OLE_COLOR& field, std::optional<OLE_COLOR> def) {
  run(name, field, def,
      [&](const json& j) {
        if (!j.is_number_unsigned() || j.get<unsigned long long>() > 0xFFFFFFFFull)
          damaged(name, "a colour");
        return j.get<OLE_COLOR>();
      },
      [](OLE_COLOR v) { return json(v); });
}

void PropExchange::exchange(std::string_view name, std::u16string& field, std::optional<std::u16string> def) {
  run(name, field, def,
      [&](const json& j) {
        if (!j.is_string()) damaged(name, "a text");
        return text::utf8ToUtf16(j.get<std::string>());
      },
      [](const std::u16string& v) { return json(text::utf16ToUtf8(v)); });
}

void PropExchange::exchange(std::string_view name, FontDesc& field, std::optional<FontDesc> def) {
  run(name, field, def,
      [&](const json& j) {
        if (!j.is_object()) damaged(name, "a font");
        FontDesc f;
        try {
          f.name = text::utf8ToUtf16(j.at("name").get<std::string>());
          f.size = j.at("size").get<std::int64_t>();
          f.italic = j.value("italic", false);
          f.underline = j.value("underline", false);
          f.strikethrough = j.value("strikethrough", false);
          f.weight = j.value("weight", std::int16_t{400});
          f.charset = j.value("charset", std::int16_t{0});
        } catch (const json::exception&) {
          damaged(name, "a font");
        }
        return f;
      },
      [](const FontDesc& f) {
        return json{{"name", text::utf16ToUtf8(f.name)}, {"size", f.size}, {"italic", f.italic},
                    {"underline", f.underline}, {"strikethrough", f.strikethrough},
                    {"weight", f.weight}, {"charset", f.charset}};
      });
}

}  // namespace kesto::automation
