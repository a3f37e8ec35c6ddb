// The Qt side every dialog of the plug-in needs: an application to run in, the host's parent
// widget, and the plain message box.
#pragma once

#include <QString>

class QWidget;

namespace kesto::odbcui {

// True when widgets can be shown in this thread: the host's QApplication, or one made here
// when the process has none and a display is configured.
bool ensureApplication();

// The host's widget when `parent` is one of the application's widgets, else null; a value
// that is no widget is never dereferenced.
QWidget* parentWidget(void* parent);

// A modal message box with one OK button.
void messageBox(QWidget* parent, const QString& text, const QString& title);

}  // namespace kesto::odbcui
