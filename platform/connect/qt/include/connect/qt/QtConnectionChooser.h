// The connection chooser as a window: the saved connections to pick from and a field for
// a connect text of one's own. Programs with windows install it once the QApplication
// exists; tests keep the scripted chooser.
//
//   QApplication app(argc, argv);
//   kesto::connect::qt::installQtConnectionChooser();
#pragma once

#include <connect/ConnectionChooser.h>

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QListWidget;

namespace kesto::connect::qt {

// The window behind one ConnectionDialog: "Verbindungen" lists the saved connections by
// name, "Verbindungstext" takes the connect text (picking a saved connection fills it).
class ConnectionWindow : public QDialog {
  Q_OBJECT
 public:
  ConnectionWindow(const char* title, const std::vector<SavedConnection>& saved,
                   QWidget* parent = nullptr);
  // What OK hands back: the saved connection's choice text while its own text stands in
  // the field, else the field's text.
  std::string choice() const;

 private:
  void picked();
  void update();

  std::vector<SavedConnection> saved_;
  QListWidget* list_;
  QLineEdit* text_;
  QDialogButtonBox* buttons_;
};

class QtConnectionChooser : public ConnectionChooser {
 public:
  std::optional<std::string> choose(const char* title,
                                    const std::vector<SavedConnection>& saved) override;
};

// Installs the window as the process's chooser, also for libraries loaded into the
// program that carry their own copy of the connection library (the object library).
// Throws std::logic_error without a QApplication.
void installQtConnectionChooser();

}  // namespace kesto::connect::qt
