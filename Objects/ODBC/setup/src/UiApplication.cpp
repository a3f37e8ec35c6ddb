#include "UiApplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QWidget>

namespace kesto::odbcui {

bool ensureApplication() {
    if (QCoreApplication* core = QCoreApplication::instance())
        return qobject_cast<QApplication*>(core) && QThread::currentThread() == core->thread();
    // Without any display Qt would end the whole process; the driver's caller may be a service.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    static int argc = 1;
    static char name[] = "kestoodbc-ui";
    static char* argv[] = {name, nullptr};
    // Lives as long as the process: the plug-in is loaded once and never unloaded.
    new QApplication(argc, argv);
    return true;
}

QWidget* parentWidget(void* parent) {
    if (!parent) return nullptr;
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* w : widgets)
        if (static_cast<void*>(w) == parent) return w;
    return nullptr;
}

void messageBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setObjectName("messageBox");
    box.exec();
}

}  // namespace kesto::odbcui
