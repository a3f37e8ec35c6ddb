// The currency window "Währungsdefinitionen": its labels hold the "EURO" parameters that
// the other windows read; closing it only hides it.
#pragma once

#include <QWidget>

class QLabel;

namespace vovida {

class Preisinfo : public QWidget {
 public:
  static constexpr const char* kName = "Preisinfo";
  Preisinfo();

  QLabel* ENDDAT;
  QLabel* ETHW;
  QLabel* ETNW;
  QLabel* KASSAHW;
  QLabel* WWSHW;
  QLabel* Code;
  QLabel* Faktor;

  // Reads the seven parameters of group "EURO" into the labels.
  void Anzeige();

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
};

}  // namespace vovida
