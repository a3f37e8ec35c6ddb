#include "KestoapiHilfen.h"

#include "NumberText.h"
#include "RuntimeError.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <services/Timers.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <thread>
#include <utility>

namespace vovida {

namespace {

EinheitSuche& installierteEinheitSuche() {
  static EinheitSuche suche;
  return suche;
}

}  // namespace

void setEinheitSuche(EinheitSuche suche) { installierteEinheitSuche() = std::move(suche); }

QString EinheitText(const QString& code) { return EinheitText(code, installierteEinheitSuche()); }

QString EinheitText(const QString& code, const EinheitSuche& suche) {
  static const std::array<std::pair<const char16_t*, const char16_t*>, 7> kFest{{
      {u"CBM", u"m³"}, {u"CM", u"cm"}, {u"M", u"lfm"}, {u"ML", u"mm"},
      {u"QM", u"m²"}, {u"ST", u"stk"}, {u"KG", u"kg"},
  }};
  for (const auto& [kuerzel, name] : kFest) {
    if (code == QStringView(kuerzel)) return QString::fromUtf16(name);
  }
  if (!suche) throw std::logic_error("EinheitText: no server look-up installed");
  return suche(code);
}

std::optional<QDate> ServerDatumWandeln(const QString& zahl) {
  const std::optional<double> wert = zahlAusText(zahl);
  if (!wert || *wert < 1 || *wert > 99999999) return std::nullopt;
  const long n = static_cast<long>(*wert);
  const QDate datum(static_cast<int>(n / 10000 + 1900), static_cast<int>(n / 100 % 100),
                    static_cast<int>(n % 100));
  if (!datum.isValid()) return std::nullopt;
  return datum;
}

QString EANPruefziffer(const QString& ziffern, bool nurPruefziffer) {
  int summe = 0;
  int gewicht = 3;
  for (qsizetype i = ziffern.size() - 1; i >= 0; --i) {
    const QChar c = ziffern[i];
    if (c < u'0' || c > u'9') typenUnvertraeglich(QStringLiteral("EANPruefziffer"));
    summe += gewicht * (c.unicode() - u'0');
    gewicht = 4 - gewicht;
  }
  const QString pruefziffer = QString::number((10 - summe % 10) % 10);
  return nurPruefziffer ? pruefziffer : ziffern + pruefziffer;
}

void TextMarkieren(QLineEdit& feld, bool ohneFokus) {
  feld.setSelection(0, static_cast<int>(feld.text().size()));
  if (!ohneFokus) feld.setFocus();
}

long Warten(long hundertstel) {
  using std::chrono::milliseconds;
  const kesto::services::Clock& uhr = kesto::services::timers().clock();
  const milliseconds start = uhr.now();
  const milliseconds ende = start + milliseconds(std::max(0L, hundertstel) * 10);
  milliseconds jetzt = start;
  for (;;) {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    jetzt = uhr.now();
    // A clock that goes back ends the wait as the midnight roll-over did.
    if (jetzt < start || jetzt >= ende) break;
    // A short nap keeps the wait from burning a processor.
    std::this_thread::sleep_for(std::min(milliseconds(10), ende - jetzt));
  }
  if (jetzt < start) return 0;
  return static_cast<long>(rundenGerade((jetzt - start).count() / 1000.0));
}

}  // namespace vovida
