#include "Textuebernahme.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <array>

namespace vovida {

namespace {

// The first occurrence of the text in the body, without regard to case; null when none.
QTextCursor finden(QTextDocument& dokument, const QString& text) {
  if (text.isEmpty()) return {};
  return dokument.find(text, 0);
}

void ersetzen(QTextDocument& dokument, const QString& alt, const QString& neu) {
  QTextCursor c = finden(dokument, alt);
  if (c.isNull()) return;
  // Inserting over the selection keeps the format of its first character.
  c.insertText(neu);
}

// A paragraph of its own after the first occurrence of the anchor.
void dahinter(QTextDocument& dokument, const QString& anker, const QString& neu) {
  QTextCursor c = finden(dokument, anker);
  if (c.isNull()) return;
  c.clearSelection();
  const QTextCharFormat format = c.charFormat();
  c.insertBlock();
  c.insertText(neu, format);
}

}  // namespace

void TextUebernehmen(QTextDocument& dokument, const QString& bez1, const QString& bez2, const QString& bez3) {
  // The body's lines as a plain-text copy reads them: none for an empty body.
  std::array<QString, 3> zeilen;
  int gelesen = 0;
  if (!dokument.isEmpty()) {
    for (QTextBlock b = dokument.begin(); b.isValid() && gelesen < 3; b = b.next()) zeilen[gelesen++] = b.text();
  }
  const std::array<QString, 3> bez{bez1, bez2, bez3};
  for (int k = 0; k < gelesen; ++k) ersetzen(dokument, zeilen[k], bez[k]);
  if (!bez2.isEmpty() && gelesen == 1) dahinter(dokument, bez1, bez2);
  if (!bez3.isEmpty() && gelesen < 3) dahinter(dokument, bez2, bez3);
}

}  // namespace vovida
