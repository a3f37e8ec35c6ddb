// Numbers formatted with a format pattern, by German rules: "," before the decimals,
// "." between groups of thousands, halves rounded away from zero.
#pragma once

#include <QString>
#include <QStringView>

namespace vovida {

// The pattern language of the application's formats ("##,###,##0.00", "##,###,##0.-",
// "##0\%", "000"):
//   0  a digit that is always written       #  a digit written only when it counts
//   ,  between integer digits: group the thousands
//   .  the decimal comma                    \x or "text"  x or text as it stands
// Any other character stands for itself. The value is taken with 15 significant digits,
// as the user would read it, before it is rounded.
// Throws std::invalid_argument for a value that is not finite and for the pattern
// characters this formatter does not know ("%" unescaped, ";", "E", "e").
QString formatNumber(double value, QStringView pattern);

}  // namespace vovida
