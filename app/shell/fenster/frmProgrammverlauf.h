// "Programmverlauf": a log window whose list shows the newest row first. Closing it with
// its close box only hides it, so the rows stay.
#pragma once

#include <QString>
#include <QWidget>

class QTreeWidget;

namespace vovida {

class frmProgrammverlauf : public QWidget {
 public:
  static constexpr const char* kName = "frmProgrammverlauf";
  // The list never holds more rows than this; the oldest go first.
  static constexpr int kZeilenGrenze = 100;
  frmProgrammverlauf();

  // Columns "Programmteil", "Text" and "Parameter".
  QTreeWidget* Verlauf;

  // Adds Programmteil;Text;Parameter as the first row.
  void StatusText(const QString& Programmteil = {}, const QString& Text = {}, const QString& Parameter = {});
  // The row as one text, its columns joined by ";".
  QString Zeile(int index) const;

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
};

}  // namespace vovida
