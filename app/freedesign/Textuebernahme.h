// The article's description lines into the body of a design, on the document: each of
// the body's first three lines is replaced by a description line where it first occurs
// (without regard to case, keeping its character format), and description lines the body
// has no line for follow as paragraphs of their own.
#pragma once

#include <QString>

class QTextDocument;

namespace vovida {

void TextUebernehmen(QTextDocument& dokument, const QString& bez1, const QString& bez2, const QString& bez3);

}  // namespace vovida
