#include "frmNamenbestaetigung.h"

#include "Fensterliste.h"
#include "Platzierung.h"
#include "Tastatur.h"
#include "frmPersonalschild.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <activex/ColumnList.h>

namespace vovida {

frmNamenbestaetigung::frmNamenbestaetigung() {
  setObjectName(QString::fromLatin1(kName));
  setWindowTitle(QStringLiteral("Personalschild Namensbestätigung"));
  auto* spalte = new QVBoxLayout(this);
  Namen = new QLineEdit;
  Namen->setObjectName(QStringLiteral("Namen"));
  Namen->setMinimumWidth(260);
  spalte->addWidget(Namen);
  auto* knoepfe = new QHBoxLayout;
  OKButton = new QPushButton(QStringLiteral("OK"));
  OKButton->setObjectName(QStringLiteral("OKButton"));
  CancelButton = new QPushButton(QStringLiteral("Abbrechen"));
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  knoepfe->addStretch(1);
  knoepfe->addWidget(OKButton);
  knoepfe->addWidget(CancelButton);
  spalte->addLayout(knoepfe);
  connect(OKButton, &QPushButton::clicked, this, [this] { Ereignis([this] { OKButton_Click(); }); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { Ereignis([this] { CancelButton_Click(); }); });
  DialogTasten(*this, *Namen, *OKButton, *CancelButton);
}

void frmNamenbestaetigung::Bestaetigen(int zeile) {
  frmPersonalschild& editor = FormHolen<frmPersonalschild>();
  zeile_ = zeile;
  Namen->setText(editor.Namen->List(zeile));
  Zuordnen(*this, &editor);
  ModalZeigen(*this);
}

void frmNamenbestaetigung::OKButton_Click() {
  FormHolen<frmPersonalschild>().Namen->setList(zeile_, Namen->text());
  hide();
}

void frmNamenbestaetigung::CancelButton_Click() { hide(); }

}  // namespace vovida
