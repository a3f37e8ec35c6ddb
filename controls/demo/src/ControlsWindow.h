// kestocontrols: a host window for the two data-bound controls, as a form designer and a
// running form would hold them: a Factory, a query for the list, the lookup, the event
// log, design mode, property pages and saved properties.
#pragma once

#include <activex/control/Control.h>
#include <automation/Dispatch.h>

#include <QMainWindow>

#include <array>
#include <filesystem>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kesto::controls::demo {

class ControlsWindow final : public QMainWindow {
 public:
  ControlsWindow();
  ~ControlsWindow() override;

  void setPort(const QString& port);
  bool connectFactory();   // "Verbinden"
  void prepareQuery();     // "ResultSet"
  void prepareSql();       // "DynamicSQL"
  void runQuery();         // "Run"
  void findId();           // "FindId"
  void setDesignMode(bool on);
  void saveProperties();
  void loadProperties();
  void showPages(bool list);
  void log(const QString& line);

 private:
  QWidget* buildFactoryRow();
  QWidget* buildQueryRows();
  QWidget* buildControls();
  template <class F>
  void guarded(F&& action);
  std::filesystem::path bagFile(const char* control) const;

  automation::Dispatch factory_;
  automation::Dispatch list_, query_;
  automation::ComPtr<activex::IControl> listControl_, queryControl_;
  std::unique_ptr<activex::SimpleSite> listSite_, querySite_;

  QLineEdit* server_ = nullptr;
  QLineEdit* port_ = nullptr;
  QLabel* status_ = nullptr;
  QLineEdit* className_ = nullptr;
  QLineEdit* queryName_ = nullptr;
  QLineEdit* sql_ = nullptr;
  std::array<QLineEdit*, 10> params_{};
  QCheckBox* designMode_ = nullptr;
  QLabel* foundId_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QWidget* listHost_ = nullptr;
  QWidget* queryHost_ = nullptr;
};

}  // namespace kesto::controls::demo
