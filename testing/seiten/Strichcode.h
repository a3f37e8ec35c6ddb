// Reading an EAN-13 bar code back from a picture, as a scanner reads it: along one line
// through its bars, module by module.
#pragma once

#include <QImage>
#include <QString>

namespace kesto::test {

// The 13 digits the bars encode, read along the line at 30 % of the picture's height; ""
// when the bars do not decode.
QString eanLesen(const QImage& bild);

}  // namespace kesto::test
