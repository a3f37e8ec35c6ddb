// The currency window "Währungsdefinitionen": its labels hold the "EURO" parameters that
// the other windows read; closing it only hides it.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

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

  // Writes the price, formatted, into the box of the merchandise system's main currency
  // ("ATS" or "EUR"); a price that is no number leaves both boxes as they are.
  void Preis_Change(const QLineEdit& preis, QLineEdit& ats, QLineEdit& eur);

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
};

// The menu command: shows the window, not modal, and reads the parameters again.
void PreisinfoZeigen();

}  // namespace vovida
