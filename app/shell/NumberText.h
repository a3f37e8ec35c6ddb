// Numbers read from and written as text by German rules, fixed in code so that the
// machine's locale never changes what the user sees.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace vovida {

// A number as the user types it: blanks around it, one sign, digits with "." between
// groups and "," before the decimals. nullopt when the text holds no such number.
std::optional<double> zahlAusText(QStringView text);

// The leading number of a text, with "." before the decimals; blanks anywhere are
// skipped and reading stops at the first other character. No number gives 0.
double Val(QStringView text);

// A number as plain text: no groups, "," before the decimals, at most 15 significant
// digits.
QString zahlText(double value);

// Rounds to the given number of decimals, halves to the even neighbour.
double rundenGerade(double value, int stellen = 0);

// A text as a 32-bit whole number (halves to even). Raises the conversion errors with
// the given source when the text is no number or out of range.
std::int32_t ganzzahl32(QStringView text, const QString& source);

}  // namespace vovida
