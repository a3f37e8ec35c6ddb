#include "NumberText.h"

#include "RuntimeError.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vovida {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// C-locale text to double; from_chars, because strtod follows the process locale,
// which Qt sets from the environment.
double ausCText(const std::string& text) {
  double wert = 0.0;
  const char* anfang = text.data();
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++anfang;
  std::from_chars(anfang, text.data() + text.size(), wert);
  return !text.empty() && text[0] == '-' ? -wert : wert;
}

}  // namespace

std::optional<double> zahlAusText(QStringView text) {
  text = text.trimmed();
  qsizetype i = 0;
  bool negativ = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negativ = text[i] == u'-';
    ++i;
  }
  // Collected as C-locale text for an exact conversion.
  std::string zahl;
  bool ziffern = false;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (isDigit(c)) {
      zahl.push_back(static_cast<char>(c.unicode()));
      ziffern = true;
    } else if (c == u'.' && ziffern) {
      continue;  // group separator
    } else {
      break;
    }
  }
  if (i < text.size() && text[i] == u',') {
    zahl.push_back('.');
    for (++i; i < text.size() && isDigit(text[i]); ++i) {
      zahl.push_back(static_cast<char>(text[i].unicode()));
      ziffern = true;
    }
  }
  if (!ziffern || i != text.size()) return std::nullopt;
  const double wert = ausCText(zahl);
  return negativ ? -wert : wert;
}

double Val(QStringView text) {
  std::string zahl;
  bool punkt = false;
  for (const QChar c : text) {
    if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') continue;
    if (zahl.empty() && (c == u'-' || c == u'+')) {
      zahl.push_back(static_cast<char>(c.unicode()));
    } else if (isDigit(c)) {
      zahl.push_back(static_cast<char>(c.unicode()));
    } else if (c == u'.' && !punkt) {
      zahl.push_back('.');
      punkt = true;
    } else {
      break;
    }
  }
  if (zahl.empty()) return 0.0;
  return ausCText(zahl);
}

QString zahlText(double value) {
  if (value == 0.0) return QStringLiteral("0");  // also for -0
  QString text = QString::number(value, 'g', 15);
  text.replace(u'.', u',');
  return text;
}

double rundenGerade(double value, int stellen) {
  const double faktor = std::pow(10.0, stellen);
  // nearbyint follows the default rounding mode, which rounds halves to even.
  return std::nearbyint(value * faktor) / faktor;
}

std::int32_t ganzzahl32(QStringView text, const QString& source) {
  const std::optional<double> wert = zahlAusText(text);
  if (!wert) typenUnvertraeglich(source);
  const double gerundet = rundenGerade(*wert);
  if (!(gerundet >= std::numeric_limits<std::int32_t>::min() &&
        gerundet <= std::numeric_limits<std::int32_t>::max())) {
    ueberlauf(source);
  }
  return static_cast<std::int32_t>(gerundet);
}

}  // namespace vovida
