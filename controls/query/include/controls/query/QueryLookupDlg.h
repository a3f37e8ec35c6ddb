// The Query Lookup dialog: lists the queries of a class, one labelled entry row per
// parameter of the selected query, runs the query into an embedded KestoList (made by its
// class identifier and driven by dispatch identifier only) and ends with the object ID of
// the selected row. Items carry their template numbers as object names ("item205").
#pragma once

#include <controls/data/QuerySource.h>
#include <controls/query/KestoQuery.h>
#include <controls/query/LookupLayout.h>

#include <activex/control/Control.h>
#include <automation/Dispatch.h>

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kesto::controls {

class CQueryLookupDlg final : public QDialog {
 public:
  CQueryLookupDlg(const LookupSettings& settings, QWidget* parent = nullptr);
  ~CQueryLookupDlg() override;

  // The chosen ID; nothing when the dialog was cancelled or the row had none.
  const std::optional<std::u16string>& chosenId() const { return chosenId_; }
  const LookupMetrics& metrics() const { return metrics_; }
  int parameterCount() const { return count_; }
  // The embedded list control, for hosts that look at it.
  IDispatch* list() const { return list_.object(); }
  // False when the list control could not be made (a box said so): there is nothing to show.
  bool usable() const { return static_cast<bool>(listControl_); }

  // Handlers, named after the item and notification they answer.
  void OnSelChangeQueryName();  // CBN_SELCHANGE of 205
  void OnQuery();               // BN_CLICKED of 257
  void OnSelect();              // BN_CLICKED of 258 and the list's DblClick
  void OnChangeArgument(int k); // EN_CHANGE of 260 + k - 1

 protected:
  void resizeEvent(QResizeEvent* e) override;  // WM_SIZE

 private:
  void OnInitDialog();
  void buildItems();
  void createList();
  void copyFontToList();
  void listQueries();
  // Runs a handler; an error it raises is shown in a box and the dialog stays usable.
  template <class F>
  void guarded(F&& handler);
  automation::Variant listCall(DISPID id, std::vector<automation::Arg> args = {});
  void listPut(DISPID id, automation::Arg value);
  void autoResizeColumns();

  LookupSettings settings_;
  LookupMetrics metrics_;
  std::unique_ptr<Database> database_;
  std::array<std::u16string, 10> argumentTexts_;
  std::array<std::u16string, 10> names_;
  std::array<automation::Variant, 10> arguments_;
  int count_ = 0;
  int clientWidth_ = 0, clientHeight_ = 0, heightNow_ = 0;
  std::optional<std::u16string> chosenId_;

  QLabel* queryLabel_ = nullptr;       // 280
  QComboBox* queryBox_ = nullptr;      // 205
  QGroupBox* group_ = nullptr;         // 236
  std::array<QLabel*, 10> labels_{};   // 240..249
  std::array<QLineEdit*, 10> edits_{}; // 260..269
  QPushButton* queryButton_ = nullptr; // 257
  QPushButton* cancelButton_ = nullptr;// 2
  QPushButton* selectButton_ = nullptr;// 258
  std::unique_ptr<activex::SimpleSite> listSite_;
  automation::ComPtr<activex::IControl> listControl_;
  automation::Dispatch list_;
  DWORD listCookie_ = 0;
};

}  // namespace kesto::controls
