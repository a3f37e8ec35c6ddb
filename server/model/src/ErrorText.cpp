#include "model/ErrorText.h"

#include "model/ClassDef.h"

namespace kesto::server::model {

namespace {

struct Entry {
  int code;
  const char* german;
  const char* english;
};

constexpr Entry kTexts[] = {
    {5001, "Klasse '%1' ist nicht bekannt", "Class '%1' does not exist"},
    {5002, "Objekt '%2' der Klasse '%1' existiert nicht", "Object '%2' of class '%1' does not exist"},
    {5003, "Eigenschaft '%2' der Klasse '%1' ist nicht bekannt", "Property '%2' of class '%1' does not exist"},
    {5004, "Methode '%2' der Klasse '%1' ist nicht bekannt", "Method '%2' of class '%1' does not exist"},
    {5005, "Ungültige Objektreferenz %1", "Invalid object reference %1"},
    {5006, "Abfrage '%2' der Klasse '%1' ist nicht bekannt", "Query '%2' of class '%1' does not exist"},
    {5007, "Ungültiges Abfrage-Handle", "Invalid query handle"},
    {5008, "Befehl nicht erlaubt: %1", "Command not allowed: %1"},
    {5009, "SQL-Fehler: %1", "SQL error: %1"},
    {5010, "Ungültiger Wert '%2' für '%1'", "Invalid value '%2' for '%1'"},
    {5011, "Namensraum '%1' ist nicht bekannt", "Namespace '%1' does not exist"},
    {5012, "Schlüssel '%1' existiert bereits", "Key '%1' already exists"},
    {5013, "Pflichtfeld '%1' fehlt", "Required field '%1' missing"},
    {5014, "Zu viele Argumente für '%1'", "Too many arguments for '%1'"},
    {5015, "Stream-Fehler: %1", "Stream error: %1"},
    {5016, "Wert zu lang für eine Antwort: %1", "Value too long for one reply: %1"},
    {5017, "Wert für '%1' zu lang: höchstens %2 Zeichen", "Value for '%1' too long: at most %2 characters"},
};

}  // namespace

std::string errorText(int code, std::span<const std::string> params, std::string_view language) {
  const bool german = language.size() >= 2 && equalsNoCase(language.substr(0, 2), "DE");
  const char* pattern = nullptr;
  for (const auto& e : kTexts)
    if (e.code == code) pattern = german ? e.german : e.english;
  if (!pattern) {
    std::string out = (german ? "Fehler " : "Error ") + std::to_string(code);
    for (const auto& p : params) out += " " + p;
    return out;
  }
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      const std::size_t index = std::size_t(p[1] - '1');
      if (index < params.size()) out += params[index];
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace kesto::server::model
