#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace vovida {

namespace {

struct Muster {
  QString vorne;             // literal text before the first digit
  int ganzPlaetze = 0;       // digit places of the integer part
  int ganzMindestens = 0;    // of them written always
  bool gruppieren = false;
  bool komma = false;
  // Tokens after the decimal comma: '0' and '#' are digits, anything else is literal.
  struct Zeichen {
    QChar c;
    bool ziffer;
  };
  std::vector<Zeichen> hinten;
  QString ende;              // literal text after the integer part (no decimal comma)
  int nachkomma = 0;
};

[[noreturn]] void unbekannt(QChar c) {
  throw std::invalid_argument("formatNumber: pattern character '" +
                              QString(c).toStdString() + "' is not supported");
}

Muster zerlegen(QStringView pattern) {
  enum class Teil { Vorne, Ganz, Bruch, Ende } teil = Teil::Vorne;
  Muster m;
  int ersteNull = -1;
  auto literal = [&](QChar c) {
    switch (teil) {
      case Teil::Vorne: m.vorne += c; break;
      case Teil::Ganz: teil = Teil::Ende; m.ende += c; break;
      case Teil::Ende: m.ende += c; break;
      case Teil::Bruch: m.hinten.push_back({c, false}); break;
    }
  };
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == u'\\') {
      if (++i < pattern.size()) literal(pattern[i]);
    } else if (c == u'"') {
      for (++i; i < pattern.size() && pattern[i] != u'"'; ++i) literal(pattern[i]);
    } else if (c == u'%' || c == u';' || c == u'E' || c == u'e') {
      unbekannt(c);
    } else if (c == u'0' || c == u'#') {
      if (teil == Teil::Bruch) {
        m.hinten.push_back({c, true});
        ++m.nachkomma;
      } else if (teil == Teil::Ende) {
        unbekannt(c);
      } else {
        teil = Teil::Ganz;
        if (c == u'0' && ersteNull < 0) ersteNull = m.ganzPlaetze;
        ++m.ganzPlaetze;
      }
    } else if (c == u',' && teil == Teil::Ganz) {
      m.gruppieren = true;
    } else if (c == u'.' && (teil == Teil::Vorne || teil == Teil::Ganz)) {
      teil = Teil::Bruch;
      m.komma = true;
    } else {
      literal(c);
    }
  }
  m.ganzMindestens = ersteNull < 0 ? 0 : m.ganzPlaetze - ersteNull;
  return m;
}

// |value| as decimal digits: integer part and exactly `nachkomma` decimals, rounded
// half away from zero after taking 15 significant digits.
void ziffernVon(double betrag, int nachkomma, std::string& ganz, std::string& bruch) {
  char puffer[32];
  std::snprintf(puffer, sizeof puffer, "%.14e", betrag);
  std::string ziffern;
  ziffern.push_back(puffer[0]);
  ziffern.append(puffer + 2, 14);
  const int exponent = std::atoi(puffer + 17);
  const int punkt = exponent + 1;  // digits before the decimal point
  const int n = static_cast<int>(ziffern.size());
  if (punkt <= 0) {
    ganz = "0";
    bruch = std::string(-punkt, '0') + ziffern;
  } else if (punkt >= n) {
    ganz = ziffern + std::string(punkt - n, '0');
    bruch.clear();
  } else {
    ganz = ziffern.substr(0, punkt);
    bruch = ziffern.substr(punkt);
  }
  const bool aufrunden = static_cast<int>(bruch.size()) > nachkomma && bruch[nachkomma] >= '5';
  bruch.resize(nachkomma, '0');
  if (!aufrunden) return;
  std::string alles = ganz + bruch;
  int i = static_cast<int>(alles.size()) - 1;
  for (; i >= 0 && alles[i] == '9'; --i) alles[i] = '0';
  if (i < 0) {
    alles.insert(alles.begin(), '1');
  } else {
    ++alles[i];
  }
  ganz = alles.substr(0, alles.size() - nachkomma);
  bruch = alles.substr(alles.size() - nachkomma);
}

}  // namespace

QString formatNumber(double value, QStringView pattern) {
  if (!std::isfinite(value)) throw std::invalid_argument("formatNumber: value is not finite");
  const Muster m = zerlegen(pattern);

  std::string ganz, bruch;
  ziffernVon(std::fabs(value), m.nachkomma, ganz, bruch);

  const auto erste = ganz.find_first_not_of('0');
  ganz = erste == std::string::npos ? std::string() : ganz.substr(erste);
  if (static_cast<int>(ganz.size()) < m.ganzMindestens) {
    ganz.insert(0, m.ganzMindestens - ganz.size(), '0');
  }
  QString ganzText;
  for (std::size_t i = 0; i < ganz.size(); ++i) {
    if (m.gruppieren && i > 0 && (ganz.size() - i) % 3 == 0) ganzText += u'.';
    ganzText += QLatin1Char(ganz[i]);
  }

  // Optional decimals at the end are left out while they are zero.
  int letzteZiffer = m.nachkomma;
  {
    int k = m.nachkomma;
    for (auto it = m.hinten.rbegin(); it != m.hinten.rend(); ++it) {
      if (!it->ziffer) continue;
      --k;
      if (it->c == u'#' && bruch[k] == '0' && letzteZiffer == k + 1) letzteZiffer = k;
    }
  }
  QString bruchText;
  int k = 0;
  for (const auto& z : m.hinten) {
    if (!z.ziffer) {
      bruchText += z.c;
    } else if (k < letzteZiffer) {
      bruchText += QLatin1Char(bruch[k++]);
    }
  }

  const bool null = (ganz + bruch).find_first_not_of('0') == std::string::npos;
  QString text;
  if (value < 0 && !null) text += u'-';
  text += m.vorne + ganzText;
  if (m.komma) text += u',';
  return text + bruchText + m.ende;
}

}  // namespace vovida
