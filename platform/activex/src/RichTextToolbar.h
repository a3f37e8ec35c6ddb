#pragma once

#include <QToolBar>

#include <functional>
#include <string_view>

class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;

namespace kesto::activex {

class RTFText2;

// The control's toolbar, built from its button list: cfont, csize, new, open, save, cut,
// copy, paste, undo, redo, bold, italic, uline, colour, left, right, centre, bullet; a
// blank (or empty) name is a gap; unknown names are left out. Each button is named as
// in the list.
class RichTextToolbar : public QToolBar {
public:
    RichTextToolbar(RTFText2& control, QTextEdit& editor);

    void setButtons(std::string_view list);

private:
    void addButton(std::string_view name);
    QAction* action(const char* name, const QString& text, const QString& tip);
    QAction* checkable(const char* name, const QString& text, const QString& tip);
    // Sets the style on the button's font and, switched on or off, on a text format.
    using StyleSetter = std::function<void(QFont& look, QTextCharFormat& format, bool on)>;
    void styleToggle(const char* name, const QString& text, const QString& tip, const StyleSetter& set);
    void showFormat(const QTextCharFormat& format);
    void showAlignment();
    void mergeFormat(const QTextCharFormat& format);
    void toggleBullet(bool on);

    RTFText2& control_;
    QTextEdit& editor_;
    QFontComboBox* fontBox_ = nullptr;
    QComboBox* sizeBox_ = nullptr;
};

} // namespace kesto::activex
