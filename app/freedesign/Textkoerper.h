// The rich-text body of a design as the store and the layout use it: its rich-text code,
// saved to and loaded from files, and the template flag. The main window's rich-text
// control and the editor's hidden one both serve through this interface.
#pragma once

#include <QString>

class QTextDocument;

namespace kesto::activex {
class RTFText2;
}

namespace vovida {

class Textkoerper {
 public:
  virtual ~Textkoerper() = default;
  virtual QString RichText() const = 0;
  virtual void setRichText(const QString& code) = 0;
  // Saves the content as rich-text code; throws std::runtime_error with a German text
  // when the file cannot be written.
  virtual void SaveFile(const QString& pfad) = 0;
  // 0 when the file was loaded; anything else leaves the content as it was.
  virtual int LoadFile(const QString& pfad) = 0;
  virtual bool Vorlage() const = 0;
  virtual void setVorlage(bool an) = 0;
  // The formatted content, for edits on the document; nullptr when the body holds only
  // code. After such an edit, geaendert() lays the text out afresh.
  virtual QTextDocument* Dokument() { return nullptr; }
  virtual void geaendert() {}
};

// A body that holds the rich-text code as it stands, read and written as Windows-1252
// bytes; what the program uses until a formatting control serves.
class RtfCodeKoerper final : public Textkoerper {
 public:
  QString RichText() const override { return code_; }
  void setRichText(const QString& code) override { code_ = code; }
  void SaveFile(const QString& pfad) override;
  int LoadFile(const QString& pfad) override;
  bool Vorlage() const override { return vorlage_; }
  void setVorlage(bool an) override { vorlage_ = an; }

 private:
  QString code_;
  bool vorlage_ = false;
};

// A body on a rich-text control: the main window's RTF or the editor's hidden RTFText.
// The template flag is the control's loaded flag.
class RtfSteuerelementKoerper final : public Textkoerper {
 public:
  explicit RtfSteuerelementKoerper(kesto::activex::RTFText2& steuerelement) : rtf_(steuerelement) {}
  QString RichText() const override;
  void setRichText(const QString& code) override;
  void SaveFile(const QString& pfad) override;
  int LoadFile(const QString& pfad) override;
  bool Vorlage() const override;
  void setVorlage(bool an) override;
  QTextDocument* Dokument() override;
  void geaendert() override;

 private:
  kesto::activex::RTFText2& rtf_;
};

}  // namespace vovida
