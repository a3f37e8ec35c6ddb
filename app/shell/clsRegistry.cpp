#include "clsRegistry.h"

#include "NumberText.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace vovida {

namespace {

[[noreturn]] void fehler(std::int32_t nummer, const char* quelle, const QString& text) {
  throw RuntimeError(nummer, QString::fromLatin1(quelle), text);
}

QString zitiert(const QString& text) { return u'"' + text + u'"'; }

bool istHex(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Splits at the last "\"; false when there is none.
bool teilen(const QString& pfad, QString& links, QString& rechts) {
  const qsizetype pos = pfad.lastIndexOf(u'\\');
  if (pos < 0) return false;
  links = pfad.left(pos);
  rechts = pfad.mid(pos + 1);
  return true;
}

}  // namespace

// An opened key, closed when it goes out of scope.
class clsRegistry::Schluessel {
 public:
  explicit Schluessel(HKEY key) : key_(key) {}
  Schluessel(Schluessel&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  Schluessel(const Schluessel&) = delete;
  Schluessel& operator=(const Schluessel&) = delete;
  ~Schluessel() {
    if (key_) RegCloseKey(key_);  // predefined roots close as a no-op
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_;
};

void clsRegistry::setKey(const QString& key) {
  if (key.isEmpty() || key == u"\\") {
    fehler(kUngueltigerSchluessel, "Let Key", QStringLiteral("Ungültiger Schlüssel"));
  }
  key_ = key;
}

void clsRegistry::setKeyExists(bool) { fehler(kNurLesen, "keyExists", QString()); }

HKEY clsRegistry::getRoot(const QString& name) const {
  struct Wurzel {
    const char* kurz;
    const char* lang;
    HKEY key;
  };
  const std::array<Wurzel, 6> wurzeln{{
      {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
      {"HKU", "HKEY_USERS", HKEY_USERS},
      {"HKDD", "HKEY_DYN_DATA", HKEY_DYN_DATA},
      {"HKCC", "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
      {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
  }};
  const QString gross = name.toUpper();
  for (const Wurzel& w : wurzeln) {
    if (gross == QLatin1String(w.kurz) || gross == QLatin1String(w.lang)) return w.key;
  }
  fehler(kUnbekannteWurzel, "getRoot",
         QStringLiteral("Unbekannter Hauptschlüssel: ") + zitiert(name));
}

clsRegistry::Schluessel clsRegistry::OpenKey(const QString& pfad, std::uint32_t zugriff) const {
  const qsizetype pos = pfad.indexOf(u'\\');
  if (pos < 0) return Schluessel(getRoot(pfad));
  const HKEY wurzel = getRoot(pfad.left(pos));
  const QByteArray rest = pfad.mid(pos + 1).toUtf8();
  HKEY key = nullptr;
  const std::int32_t rc = RegOpenKeyEx(wurzel, rest.constData(), 0, zugriff, &key);
  if (rc != ERROR_SUCCESS) {
    fehler(kNichtGeoeffnet, "OpenKey",
           QStringLiteral("Kann Schlüssel nicht öffnen ") + zitiert(pfad) +
               QStringLiteral(", Error # ") + QString::number(rc));
  }
  return Schluessel(key);
}

std::int32_t clsRegistry::delKey() {
  setKey(key_);
  const bool schluesselLoeschen = key_.endsWith(u'\\');
  if (schluesselLoeschen) {
    setKey(key_.chopped(1));
    if (key_.endsWith(u'\\')) {
      fehler(kUngueltigerSchluessel, "delKey", QStringLiteral("Ungültiger Schlüssel!"));
    }
  }
  QString eltern, name;
  if (!teilen(key_, eltern, name)) {
    fehler(kUngueltigerSchluessel, "delKey", QStringLiteral("Ungültiger Schlüssel!"));
  }
  const Schluessel key = OpenKey(eltern, KEY_ALL_ACCESS);
  const QByteArray name8 = name.toUtf8();
  if (!schluesselLoeschen) return RegDeleteValue(key.get(), name8.constData());
  // The platform call refuses a key that still has subkeys: they go first, deepest first.
  clsRegistry unter;
  unter.setKey(key_ + u'\\');
  if (unter.KeyExists()) {
    const QStringList namen = unter.regEnum();
    for (qsizetype i = namen.size() - 1; i >= 0; --i) {
      unter.setKey(key_ + u'\\' + namen[i] + u'\\');
      if (const std::int32_t rc = unter.delKey(); rc != ERROR_SUCCESS) return rc;
    }
  }
  return RegDeleteKey(key.get(), name8.constData());
}

QStringList clsRegistry::regEnum() {
  setKey(key_);
  const Schluessel key = OpenKey(key_, KEY_READ);
  const bool unterschluessel = key_.endsWith(u'\\');
  QStringList namen;
  for (std::uint32_t index = 0;; ++index) {
    std::array<char, 2048> puffer{};
    std::uint32_t laenge = puffer.size();
    const std::int32_t rc =
        unterschluessel
            ? RegEnumKeyEx(key.get(), index, puffer.data(), &laenge, nullptr, nullptr, nullptr,
                           nullptr)
            : RegEnumValue(key.get(), index, puffer.data(), &laenge, nullptr, nullptr, nullptr,
                           nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    // Any other failure ends the listing with an error instead of looping for ever.
    if (rc != ERROR_SUCCESS) {
      fehler(kNichtGeoeffnet, "OpenKey",
             QStringLiteral("Kann Schlüssel nicht öffnen ") + zitiert(key_) +
                 QStringLiteral(", Error # ") + QString::number(rc));
    }
    namen.append(QString::fromUtf8(puffer.data(), laenge));
  }
  return namen;
}

QString clsRegistry::getValue() {
  setKey(key_);
  QString pfad, name;
  if (!teilen(key_, pfad, name)) {
    fehler(kUngueltigerSchluessel, "getValue",
           QStringLiteral("Ungültiger Schlüssel: ") + zitiert(key_));
  }
  const Schluessel key = OpenKey(pfad, KEY_READ);
  const QByteArray name8 = name.toUtf8();

  // A query with no room asks for the type and the size.
  std::uint32_t typ = REG_NONE;
  unsigned char probe = 0;
  std::uint32_t groesse = 0;
  std::int32_t rc = RegQueryValueEx(key.get(), name8.constData(), nullptr, &typ, &probe, &groesse);
  QString ergebnis;
  if (rc == ERROR_MORE_DATA && (typ == REG_SZ || typ == REG_EXPAND_SZ || typ == REG_BINARY ||
                                (typ == REG_DWORD && groesse == 4))) {
    std::vector<unsigned char> daten(groesse);
    rc = RegQueryValueEx(key.get(), name8.constData(), nullptr, &typ, daten.data(), &groesse);
    if (rc == ERROR_SUCCESS) {
      const auto* zeichen = reinterpret_cast<const char*>(daten.data());
      if (typ == REG_BINARY) {
        ergebnis = binaerText(QByteArray(zeichen, groesse));
      } else if (typ == REG_DWORD) {
        const std::uint32_t zahl = daten[0] | daten[1] << 8 | daten[2] << 16 |
                                   std::uint32_t{daten[3]} << 24;
        ergebnis = QString::number(static_cast<std::int32_t>(zahl));
      } else {
        ergebnis = QString::fromUtf8(zeichen, groesse > 0 ? groesse - 1 : 0);
      }
    }
  }
  if (rc != ERROR_SUCCESS) {
    fehler(kNichtGelesen, "getValue", QStringLiteral("Kann Schlüssel nicht lesen ") + zitiert(key_));
  }
  return ergebnis;
}

bool clsRegistry::setValue(const QString& wert, long typ) {
  setKey(key_);
  QString pfad, name;
  if (!teilen(key_, pfad, name)) {
    fehler(kUngueltigerSchluessel, "setValue",
           QStringLiteral("Ungültiger Schlüssel: ") + zitiert(key_));
  }
  // Checked before anything is created: an unknown type writes nothing, which is no
  // success.
  if (typ != REG_SZ && typ != REG_BINARY && typ != REG_DWORD) return false;

  std::int32_t rc = ERROR_SUCCESS;
  HKEY ziel = nullptr;
  const qsizetype pos = pfad.indexOf(u'\\');
  if (pos >= 0) {
    if (!KeyExists() && !autoCreate_) {
      fehler(kNichtAngelegt, "setValue", QStringLiteral("Schlüssel wird nicht angelegt"));
    }
    const HKEY wurzel = getRoot(pfad.left(pos));
    const QByteArray rest = pfad.mid(pos + 1).toUtf8();
    rc = RegCreateKeyEx(wurzel, rest.constData(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &ziel, nullptr);
  } else {
    ziel = getRoot(pfad);
  }
  const Schluessel key(rc == ERROR_SUCCESS ? ziel : nullptr);
  if (!key.get()) {
    fehler(kNichtErstellt, "setValue",
           QStringLiteral("Fehler beim Erstellen/Zugriff auf Schlüssel ") + zitiert(key_) +
               QStringLiteral(" Error #: ") + QString::number(rc));
  }

  QByteArray daten;
  if (typ == REG_SZ) {
    daten = wert.toUtf8();
    daten.append('\0');
  } else if (typ == REG_DWORD) {
    const auto zahl = static_cast<std::uint32_t>(ganzzahl32(wert, QStringLiteral("setValue")));
    for (int verschiebung = 0; verschiebung < 32; verschiebung += 8) {
      daten.append(static_cast<char>(zahl >> verschiebung));
    }
  } else {
    daten = binaerWerte(wert);
  }
  const QByteArray name8 = name.toUtf8();
  rc = RegSetValueEx(key.get(), name8.constData(), 0, static_cast<std::uint32_t>(typ),
                     reinterpret_cast<const unsigned char*>(daten.constData()),
                     static_cast<std::uint32_t>(daten.size()));
  return rc == ERROR_SUCCESS;
}

bool clsRegistry::KeyExists() {
  bool ergebnis = false;
  try {
    setKey(key_);
    if (key_.endsWith(u'\\')) {
      OpenKey(key_, KEY_READ);
    } else {
      getValue();
    }
    ergebnis = true;
  } catch (const RuntimeError&) {
    ergebnis = false;
  }
  letzteExistenz_ = ergebnis;
  return ergebnis;
}

QString binaerText(const QByteArray& bytes) {
  QStringList gruppen;
  for (const char byte : bytes) {
    const auto wert = static_cast<unsigned char>(byte);
    gruppen.append(QStringLiteral("%1").arg(wert, 2, 16, QLatin1Char('0')).toUpper());
  }
  return gruppen.join(u' ');
}

QByteArray binaerWerte(const QString& text) {
  const QString vorbereitet = text.trimmed() + u' ';
  QByteArray bytes;
  QString gruppe;
  for (const QChar c : vorbereitet) {
    if (c != u' ') {
      gruppe += c;
      continue;
    }
    if (gruppe.isEmpty() || !std::all_of(gruppe.begin(), gruppe.end(), istHex)) {
      typenUnvertraeglich(QStringLiteral("setValue"));
    }
    bool ok = false;  // false also when the group overflows 64 bits
    const qulonglong zahl = gruppe.toULongLong(&ok, 16);
    if (!ok || zahl > 255) {
      fehler(clsRegistry::kBinaerzahl, "setValue",
             QStringLiteral("Ungültige Binärzahl (größer als 255): ") + zitiert(vorbereitet));
    }
    bytes.append(static_cast<char>(zahl));
    gruppe.clear();
  }
  return bytes;
}

}  // namespace vovida
