// The program speaks German: Qt's own dialogs (colour, print and file dialogs, message box
// buttons) are translated, and Qt's widgets format numbers and dates in the German locale.
#pragma once

namespace kesto::services::qt {

// Call once the QApplication exists. Loads Qt's German translations from Qt's translation
// folder and makes German (Germany) the default locale. False when no translation was
// found (the dialogs then stay in English); the locale is set either way.
bool installGermanUi();

}  // namespace kesto::services::qt
