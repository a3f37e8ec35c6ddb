#pragma once

// The rich-text control: an editor with a toolbar built from a button list, whose content
// is read and written as rich-text code or loaded from and saved to files. Its members
// carry the control's dispatch identifiers in their comments.
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>

class QTextEdit;
class QToolBar;
class QTextDocument;

namespace kesto::activex {

class RichTextToolbar;

class RTFText2 : public QWidget {
public:
    // Notifications the control raises, numbered as the windows handle them.
    static constexpr int contentChanged = 11;
    using EventHandler = std::function<void(int event)>;
    // Asked for a file to open (save false) or to save to; empty answer: cancelled.
    using FileChooser = std::function<std::string(bool save, const std::string& current)>;
    // Asked for a text colour (0x00BBGGRR from the current one); false: cancelled.
    using ColourChooser = std::function<bool(unsigned& colour)>;

    // Content formats of Save.
    static constexpr int richTextFormat = 1;
    static constexpr int plainTextFormat = 2;

    explicit RTFText2(QWidget* parent = nullptr);
    ~RTFText2() override;

    // 0x68030036: button names separated by "|", a blank for a gap between groups.
    const std::string& ButtonList() const { return buttonList_; }
    void setButtonList(std::string_view list);

    // 0x68030014: kept; our toolbar speaks German on its own.
    const std::string& LanguageFile() const { return languageFile_; }
    void setLanguageFile(std::string_view path) { languageFile_ = path; }

    // 0x6803002F, member 0: the family of text without a font of its own.
    std::string DefaultFontName() const;
    void setDefaultFontName(std::string_view name);

    // 0x68030024 and 0x68030023, centimetres: the text runs from the left margin to the
    // right margin's distance from the right edge of an A4 page.
    double LeftMargin() const { return leftMarginCm_; }
    void setLeftMargin(double cm);
    double RightMargin() const { return rightMarginCm_; }
    void setRightMargin(double cm);

    // 0x68030021, 0x68030022, 0x68030004, 0x68030029: display options, kept.
    double DisplayOption(int member) const;
    void setDisplayOption(int member, double value) { displayOptions_[member] = value; }

    // 0x68030026: True lays the text out afresh.
    void setRefresh(bool on);
    // 0x68030028: editing state of the content.
    bool EditState() const { return editState_; }
    void setEditState(bool on) { editState_ = on; }
    // 0x6803002D: set once a file or a template was loaded.
    bool Loaded() const { return loaded_; }
    void setLoaded(bool on) { loaded_ = on; }

    // 0x68030030: the file the caller hands to Load.
    const std::string& FileName() const { return fileName_; }
    void setFileName(std::string_view path) { fileName_ = path; }

    // 0x6003005F: 0 when loaded; another number (content unchanged) when the file is
    // missing, unreadable, too large or broken rich-text code. A file that is no rich-text
    // code loads as plain text.
    int Load(const std::string& path);
    // 0x60030068: format 1 rich-text code, 2 plain text (Windows-1252, lines ended by CRLF).
    // 0 when written.
    int Save(int format, const std::string& path) const;

    // 0x6803002A: the whole content as rich-text code.
    std::string Rtf() const;
    void setRtf(std::string_view code);

    void setEventHandler(EventHandler handler) { eventHandler_ = std::move(handler); }
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    void setColourChooser(ColourChooser chooser) { colourChooser_ = std::move(chooser); }

    QTextEdit* editor() const { return editor_; }
    QToolBar* toolbar() const;
    QTextDocument* document() const;

    // What the toolbar's file buttons do.
    void newDocument();
    void openDocument();
    void saveDocument();
    void chooseColour();

private:
    void applyMargins();
    void raise(int event);

    QTextEdit* editor_;
    RichTextToolbar* toolbar_;
    std::string buttonList_;
    std::string languageFile_;
    std::string fileName_;
    double leftMarginCm_ = 0, rightMarginCm_ = 0;
    std::map<int, double> displayOptions_;
    bool editState_ = false;
    bool loaded_ = false;
    bool replacing_ = false;  // content set by a caller, not edited
    EventHandler eventHandler_;
    FileChooser fileChooser_;
    ColourChooser colourChooser_;
};

} // namespace kesto::activex
