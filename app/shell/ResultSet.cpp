#include "ResultSet.h"

#include "Kestoapi.h"
#include "ServerFehler.h"

#include <QStringList>

#include <vector>

namespace vovida {

ResultSet::ResultSet(const QString& klasse, const QString& abfrage) {
  const kesto::automation::Dispatch& fabrik = kestoapi().FactoryObjekt;
  if (!fabrik) throw ServerFehler(9991, QStringLiteral("Keine Verbindung zum Server"));
  const kesto::automation::Variant v = fabrik.call("ResultSet", alsVariant(klasse), alsVariant(abfrage));
  if (!v.dispatch()) throw ServerFehler(9991, QStringLiteral("Abfrage nicht geöffnet: ") + abfrage);
  ergebnis_ = kesto::automation::Dispatch(v.dispatch());
}

ResultSet::~ResultSet() { ObjektSchliessen(ergebnis_); }

void ResultSet::Execute(const QVariantList& parameter) {
  std::vector<kesto::automation::Arg> args;
  args.reserve(static_cast<std::size_t>(parameter.size()));
  for (const QVariant& p : parameter) args.emplace_back(alsVariant(p));
  ergebnis_.invokeNamed("Execute", DISPATCH_METHOD, args);
}

bool ResultSet::Next() { return ergebnis_.call("Next").toBool(); }

QString ResultSet::GetData(int spalte) const { return alsText(ergebnis_.call("GetData", static_cast<std::int16_t>(spalte))); }

QVariant ResultSet::Wert(int spalte) const { return alsQVariant(ergebnis_.call("GetData", static_cast<std::int16_t>(spalte))); }

QVariantList FirmaParameter(const QStringList& parameter) {
  QVariantList alle{kestoapi().Firma};
  for (const QString& p : parameter) alle << p;
  return alle;
}

}  // namespace vovida
