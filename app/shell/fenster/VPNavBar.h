// The page and zoom bar beside the main window's preview: it mirrors the shown page,
// the page count and the zoom, lets the user page and zoom, and, when the user pages,
// moves the current sign editor to the article of the page now shown.
#pragma once

#include <QString>
#include <QStringView>
#include <QWidget>

class QComboBox;
class QLabel;
class QScrollBar;

namespace kesto::activex {
class VSPrinter;
}

namespace vovida {

// The number a zoom text stands for: the text up to the first "%", read by Val.
// "150%" gives 150, "Seitenbreite" 0.
double GetVal(QStringView s);

class VPNavBar : public QWidget {
 public:
  static constexpr const char* kName = "VPNav";
  // vorschau is the main window's preview; without one every handler does nothing.
  explicit VPNavBar(kesto::activex::VSPrinter* vorschau, QWidget* parent = nullptr);

  QComboBox* cmbZoom;
  QLabel* Label1;
  QScrollBar* scrlPage;
  QLabel* lblPage;

  // Brings the bar up to date from the preview; with ruecksynchronisieren also moves the
  // sign editor of the current kind to the article of the shown page.
  void Synchronize(bool ruecksynchronisieren = false);

  void cmbZoom_Click();
  void cmbZoom_KeyDown(int taste);
  void cmbZoom_LostFocus();
  void scrlPage_Change();

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void editorNachziehen(int seite);

  kesto::activex::VSPrinter* vorschau_;
  bool beschaeftigt_ = false;
};

}  // namespace vovida
