// The company-wide size of a sign kind with a free size: width "@" height in millimetres,
// a parameter of group "PLAKAT". What is stored is always two numbers: a box is checked
// before anything is written, and a stored value that is no number reads as the default.
#pragma once

#include <QString>

#include <optional>

class QLineEdit;

namespace vovida {

// The number in a size or position box ("%" and the thousands points ignored), or nothing.
std::optional<double> Boxwert(const QLineEdit& box);

// Checks the digits of the box and that it holds a number; otherwise says so in German,
// selects the box's text and gives false.
bool MassGeprueft(QLineEdit& feld, int vorkomma, int nachkomma);

// Reads the parameter into the boxes, piece 1 and piece 2. A missing parameter leaves
// them empty; a stored value that is no pair of numbers fills in the default and says so
// once.
void SchildgroesseLesen(const QString& schluessel, QLineEdit& breite, QLineEdit& hoehe);

// Writes the boxes as the parameter when both hold a size above 0; otherwise says which
// box is wrong and writes nothing. True when written.
bool SchildgroesseSpeichern(const QString& schluessel, QLineEdit& breite, QLineEdit& hoehe);

}  // namespace vovida
