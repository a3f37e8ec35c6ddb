#include "frmProgrammverlauf.h"

#include <QCloseEvent>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vovida {

namespace {

constexpr int kSpalten = 3;

// A row text fills the columns at its ";"; what is left over stays in the last column.
QStringList spalten(const QString& zeile) {
  QStringList teile = zeile.split(u';');
  while (teile.size() > kSpalten) teile[kSpalten - 1] += u';' + teile.takeAt(kSpalten);
  return teile;
}

}  // namespace

frmProgrammverlauf::frmProgrammverlauf() {
  setWindowTitle(QStringLiteral("Programmverlauf"));
  Verlauf = new QTreeWidget(this);
  Verlauf->setObjectName(QStringLiteral("Verlauf"));
  Verlauf->setColumnCount(kSpalten);
  Verlauf->setHeaderLabels({QStringLiteral("Programmteil"), QStringLiteral("Text"), QStringLiteral("Parameter")});
  Verlauf->setRootIsDecorated(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Verlauf);
}

void frmProgrammverlauf::StatusText(const QString& Programmteil, const QString& Text, const QString& Parameter) {
  const QString zeile = Programmteil + u';' + Text + u';' + Parameter;
  Verlauf->insertTopLevelItem(0, new QTreeWidgetItem(spalten(zeile)));
  while (Verlauf->topLevelItemCount() > kZeilenGrenze)
    delete Verlauf->takeTopLevelItem(Verlauf->topLevelItemCount() - 1);
}

QString frmProgrammverlauf::Zeile(int index) const {
  const QTreeWidgetItem* eintrag = Verlauf->topLevelItem(index);
  if (!eintrag) return {};
  QStringList teile;
  for (int s = 0; s < kSpalten; ++s) teile << eintrag->text(s);
  return teile.join(u';');
}

void frmProgrammverlauf::closeEvent(QCloseEvent* ereignis) {
  ereignis->ignore();
  hide();
}

}  // namespace vovida
