// kestocontrols [--port N] [--connect] [--run] [--screenshot FILE]: the host window of the
// two controls. --port sets the server port (default 1973), --connect signs in at the start,
// --run runs the list's query, --screenshot saves the window as a picture and ends.
#include "ControlsWindow.h"

#include <connect/qt/QtConnectionChooser.h>
#include <services/qt/QtPorts.h>

#include <QApplication>
#include <QTimer>

#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kesto::services::qt::installQtPorts();
  kesto::connect::qt::installQtConnectionChooser();
  bool connect = false, run = false;
  QString screenshot, port;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--connect") == 0)
      connect = true;
    else if (std::strcmp(argv[i], "--run") == 0)
      run = connect = true;
    else if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc)
      port = QString::fromLocal8Bit(argv[++i]);
    else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
      screenshot = QString::fromLocal8Bit(argv[++i]);
  }
  kesto::controls::demo::ControlsWindow window;
  if (!port.isEmpty()) window.setPort(port);
  window.show();
  if (connect && window.connectFactory() && run) {
    window.prepareQuery();
    window.runQuery();
  }
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(300, [&] {
      window.grab().save(screenshot);
      app.quit();
    });
  }
  return app.exec();
}
