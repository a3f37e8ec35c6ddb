// A control's saved properties: a version and named values, kept as JSON. Controls read and
// write them through PropExchange, in one function for both directions, as the property
// exchange of the platform does; a key that is missing on load gives the default (or keeps
// the field when there is none).
#pragma once

#include <automation/Font.h>
#include <automation/SystemColours.h>

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kesto::automation {

constexpr std::uint32_t makeVersion(std::uint16_t major, std::uint16_t minor) {
  return (static_cast<std::uint32_t>(major) << 16) | minor;
}

class PropertyBag {
 public:
  PropertyBag() = default;

  std::uint32_t version() const { return version_; }
  void setVersion(std::uint32_t version) { version_ = version; }
  bool has(std::string_view name) const { return values_.contains(std::string(name)); }
  const nlohmann::json* find(std::string_view name) const;
  void set(std::string_view name, nlohmann::json value) { values_[std::string(name)] = std::move(value); }
  void erase(std::string_view name) { values_.erase(std::string(name)); }

  // {"version": "1.0", "properties": {...}}. fromJson throws std::runtime_error with the
  // reason when the text is not such a document.
  std::string toJson() const;
  static PropertyBag fromJson(std::string_view text);
  // Written through a temporary file and a rename; failures throw std::runtime_error.
  void save(const std::filesystem::path& file) const;
  static PropertyBag load(const std::filesystem::path& file);

 private:
  std::uint32_t version_ = 0;
  nlohmann::json values_ = nlohmann::json::object();
};

class PropExchange {
 public:
  PropExchange(PropertyBag& bag, bool loading) : bag_(bag), loading_(loading) {}
  bool loading() const { return loading_; }

  // Saving writes `version`; loading accepts it and every older one (the fields then take
  // what the older bag has and defaults for the rest) and refuses a newer major version.
  void exchangeVersion(std::uint32_t version);
  std::uint32_t loadedVersion() const { return bag_.version(); }

  // A value of the wrong kind is a damaged bag: std::runtime_error naming the key.
  void exchange(std::string_view name, std::int16_t& field, std::optional<std::int16_t> def = {});
  void exchange(std::string_view name, std::int32_t& field, std::optional<std::int32_t> def = {});
  void exchangeBool(std::string_view name, BOOL& field, std::optional<bool> def = {});
  void exchangeColour(std::string_view name, OLE_COLOR& field, std::optional<OLE_COLOR> def = {});
  void exchange(std::string_view name, std::u16string& field, std::optional<std::u16string> def = {});
  void exchange(std::string_view name, FontDesc& field, std::optional<FontDesc> def = {});

 private:
  template <class T, class Read, class Write>
  void run(std::string_view name, T& field, const std::optional<T>& def, Read read, Write write);

  PropertyBag& bag_;
  bool loading_;
};

}  // namespace kesto::automation
