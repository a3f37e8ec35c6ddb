#include "Splash.h"

#include "Startglobale.h"

#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vovida {

Splash::Splash() {
  setWindowFlags(Qt::SplashScreen);
  auto* layout = new QVBoxLayout(this);
  auto* titel = new QLabel(QStringLiteral("Vovida"));
  QFont schrift = titel->font();
  schrift.setPointSize(28);
  schrift.setBold(true);
  titel->setFont(schrift);
  titel->setAlignment(Qt::AlignCenter);
  layout->addWidget(titel, 1);
  StatusBar = new QStatusBar;
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);
  layout->addWidget(StatusBar);
  resize(420, 200);
  setStartstatusAnzeige([this](const QString& text) {
    StatusBar->showMessage(text);
    StatusBar->repaint();
  });
}

Splash::~Splash() { setStartstatusAnzeige(nullptr); }

}  // namespace vovida
