#include "ServerFehler.h"

#include <automation/DispatchException.h>

#include <utility>

namespace vovida {

using kesto::automation::Variant;

ServerFehler::ServerFehler(std::int32_t nummer, QString beschreibung)
    : std::runtime_error(beschreibung.toStdString()), nummer_(nummer),
      beschreibung_(std::move(beschreibung)) {}

ServerFehler aktuellerServerFehler() {
  try {
    throw;
  } catch (const ServerFehler& e) {
    return e;
  } catch (const kesto::automation::DispatchException& e) {
    return ServerFehler(e.code != 0 ? e.code : static_cast<std::int32_t>(e.scode),
                        QString::fromStdString(e.description));
  } catch (const kesto::automation::ComError& e) {
    return ServerFehler(static_cast<std::int32_t>(e.hr), QString::fromUtf8(e.what()));
  } catch (const std::exception& e) {
    return ServerFehler(9991, QString::fromUtf8(e.what()));
  }
}

Variant alsVariant(const QString& text) {
  return Variant(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                     static_cast<std::size_t>(text.size())));
}

Variant alsVariant(const QVariant& wert) {
  switch (wert.typeId()) {
    case QMetaType::UnknownType:
      return Variant();
    case QMetaType::Bool:
      return Variant(wert.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
      return Variant(static_cast<std::int32_t>(wert.toInt()));
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::LongLong:
      return Variant(wert.toDouble());
    default:
      return alsVariant(wert.toString());
  }
}

QString alsText(const Variant& wert) {
  if (wert.isEmpty() || wert.isNull()) return QString();
  return QString::fromStdU16String(wert.toString());
}

QVariant alsQVariant(const Variant& wert) {
  const VARTYPE typ = static_cast<VARTYPE>(wert.vt() & ~VT_BYREF);
  switch (typ) {
    case VT_EMPTY:
    case VT_NULL:
      return QVariant();
    case VT_BOOL:
      return wert.toBool();
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
      return wert.toInt32();
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_I8:
    case VT_UI8:
      return wert.toDouble();
    default:
      return alsText(wert);
  }
}

}  // namespace vovida
