#include "activex/MaskEdit.h"

#include <QKeyEvent>
#include <QValidator>

namespace kesto::activex {

namespace {

// Typed text and text set by the program alike go through the mask.
class MaskenPruefer : public QValidator {
 public:
  MaskenPruefer(const MaskEdit& feld, QObject* eltern) : QValidator(eltern), feld_(feld) {}
  State validate(QString& text, int& pos) const override {
    const QString neu = feld_.maskiert(text);
    if (neu.size() < text.size()) pos = std::min<int>(pos, int(neu.size()));
    text = neu;
    return Acceptable;
  }

 private:
  const MaskEdit& feld_;
};

}  // namespace

MaskEdit::MaskEdit(const QString& maske) {
  int laenge = 0;
  for (const QChar c : maske) {
    if (c == u'>') {
      gross_ = true;
    } else {
      ++laenge;
      if (c == u'9') nurZiffern_ = true;
    }
  }
  setMaxLength(laenge > 0 ? laenge : 32767);
  setValidator(new MaskenPruefer(*this, this));
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (Change) Change();
  });
}

QString MaskEdit::maskiert(const QString& text) const {
  QString aus;
  for (const QChar c : text) {
    if (nurZiffern_ && !c.isDigit()) continue;
    if (c.unicode() < 0x20) continue;
    aus += c;
  }
  // Upper case letter by letter, so that "ß" stays one character.
  if (gross_)
    for (QChar& c : aus)
      if (c != u'ß') c = c.toUpper();
  return aus.left(maxLength());
}

int MaskEdit::tastenCode(int qtTaste) {
  switch (qtTaste) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Delete:
      return 46;
    default:
      break;
  }
  if ((qtTaste >= Qt::Key_0 && qtTaste <= Qt::Key_9) || (qtTaste >= Qt::Key_A && qtTaste <= Qt::Key_Z))
    return qtTaste;  // Qt's codes match the Windows ones here
  return 0;
}

void MaskEdit::keyReleaseEvent(QKeyEvent* ereignis) {
  QLineEdit::keyReleaseEvent(ereignis);
  const int code = tastenCode(ereignis->key());
  if (code == 0 || ereignis->isAutoRepeat() || !KeyUp) return;
  int shift = 0;
  if (ereignis->modifiers() & Qt::ShiftModifier) shift |= 1;
  if (ereignis->modifiers() & Qt::ControlModifier) shift |= 2;
  if (ereignis->modifiers() & Qt::AltModifier) shift |= 4;
  KeyUp(code, shift);
}

}  // namespace kesto::activex
