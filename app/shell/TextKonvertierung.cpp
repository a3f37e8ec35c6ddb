#include "TextKonvertierung.h"

#include <QStringList>

#include <array>
#include <utility>

namespace vovida {

namespace {

using Paar = std::pair<const char16_t*, const char16_t*>;

// Screen character and the character the server keeps for it, in conversion order.
constexpr std::array<Paar, 8> kServerzeichen{{
    {u"ä", u"{"}, {u"ö", u"|"}, {u"ü", u"}"}, {u"ß", u"~"},
    {u"Ä", u"["}, {u"Ö", u"\\"}, {u"Ü", u"]"}, {u"§", u"õ"},
}};

constexpr std::array<Paar, 4> kSuchschluessel{{
    {u"ß", u"SS"}, {u"Ä", u"AE"}, {u"Ö", u"OE"}, {u"Ü", u"UE"},
}};

// The rich-text markup characters come first, so that the escapes added later stay
// intact; without them a typed brace or backslash would break the document.
constexpr std::array<Paar, 10> kRichText{{
    {u"\\", u"\\\\"}, {u"{", u"\\{"}, {u"}", u"\\}"},
    {u"ä", u"\\'e4"}, {u"ö", u"\\'f6"}, {u"ü", u"\\'fc"}, {u"ß", u"\\'df"},
    {u"Ä", u"\\'C4"}, {u"Ö", u"\\'d6"}, {u"Ü", u"\\'dc"},
}};

template <std::size_t N>
QString ersetzeAlle(QString text, const std::array<Paar, N>& tabelle, bool rueckwaerts = false) {
  for (const auto& [links, rechts] : tabelle) {
    const QString von = QString::fromUtf16(rueckwaerts ? rechts : links);
    const QString zu = QString::fromUtf16(rueckwaerts ? links : rechts);
    text = TextErsetzen(text, von, zu, true);
  }
  return text;
}

QString gross(const QString& text) {
  QString ergebnis = text;
  for (QChar& c : ergebnis) c = c.toUpper();
  return ergebnis;
}

}  // namespace

QString TextKonvertieren(const QString& text, const QString& modus, bool grossSchreiben) {
  const QString t = grossSchreiben ? gross(text) : text;
  if (modus == u"RTF") return ersetzeAlle(t, kRichText);
  if (modus == u"FerrixSUCHE") return ersetzeAlle(t, kSuchschluessel);
  if (modus == u"Ferrix") return ersetzeAlle(t, kServerzeichen, true);
  if (modus == u"GUIFerrix") return ersetzeAlle(t, kServerzeichen);
  return t;
}

QString TextErsetzen(const QString& text, const QString& suche, const QString& ersatz,
                     bool ganzerText) {
  const QString such = ganzerText ? suche : suche.left(1);
  const QString mit = ganzerText ? ersatz : ersatz.left(1);
  if (such.isEmpty()) return text;
  QString ergebnis;
  ergebnis.reserve(text.size());
  for (qsizetype i = 0; i < text.size();) {
    if (QStringView(text).sliced(i).startsWith(such)) {
      ergebnis += mit;
      i += such.size();
    } else {
      ergebnis += text[i++];
    }
  }
  return ergebnis;
}

QString TeilString(const QString& text, const QString& trenner, int nr, const QString& vorgabe) {
  if (nr < 1) return vorgabe;
  QString feld;
  if (trenner.isEmpty()) {
    if (nr == 1) feld = text;
  } else {
    const QStringList felder = text.split(trenner.front());
    if (nr <= felder.size()) feld = felder[nr - 1];
  }
  return feld.isEmpty() ? vorgabe : feld;
}

}  // namespace vovida
