// The bar-code control (EAN-13 only): a text, a picture size (member 15) and the picture
// of the text set last (member 8). 12 digits get their check digit; 13 digits must carry
// the right one; anything else gives no picture, which draws nothing.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <map>

namespace kesto::activex {

class Barcode : public QWidget {
 public:
  explicit Barcode(QWidget* parent = nullptr);

  QString Text() const { return text_; }
  void setText(const QString& text);
  // Numbered options the hosts set (7 among them): kept, they change nothing here.
  void setOption(int nummer, bool wert) { optionen_[nummer] = wert; }
  bool option(int nummer) const;

  // Member 15: the picture's size in pixels at 96 dpi; its natural size on the page.
  void RenderSize(int breite, int hoehe);
  // Member 8: the picture of the current text, null when the text is no EAN-13.
  QImage Picture() const;

  // The 13 digits the text stands for, or "" when it is none.
  static QString Ean13(const QString& text);

 protected:
  void paintEvent(QPaintEvent* ereignis) override;

 private:
  QString text_;
  int breite_ = 110;
  int hoehe_ = 50;
  std::map<int, bool> optionen_;
};

}  // namespace kesto::activex
