// The host's rendering of a control's property pages: one tab per page, items bound to the
// control's properties by name (read when shown, written by OK and Apply); the stock font
// and colour pages as the framework offers them.
#pragma once

#include <activex/control/Control.h>

#include <QDialog>

class QTabWidget;

namespace kesto::activex {

class PropertyPageDialog final : public QDialog {
 public:
  PropertyPageDialog(IDispatch* control, std::vector<PropertyPage> pages, QWidget* parent = nullptr);
  // Writes every item to the control; a refused value is shown in a message box and the
  // rest still go. False when one was refused.
  bool apply();

 private:
  struct Binding {
    QWidget* editor;
    PropertyPageItem::Kind kind;
    std::u16string property;
    DISPID id;
  };
  QWidget* makePage(const PropertyPage& page);
  QWidget* makeFontPage();
  QWidget* makeColourPage();
  void load();

  automation::ComPtr<IDispatch> control_;
  std::vector<PropertyPage> pages_;
  std::vector<Binding> bindings_;
  QTabWidget* tabs_;
};

}  // namespace kesto::activex
