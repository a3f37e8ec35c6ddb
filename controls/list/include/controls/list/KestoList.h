// KestoList: the list control that shows the rows of one server query in the hosted
// ListView. Identity, dispatch identifiers and strings are fixed here for the control, its
// hosts and the query-lookup dialog that embeds it.
#pragma once

#include <activex/control/Control.h>
#include <controls/data/LoadAllOrNothing.h>
#include <activex/control/ListView.h>
#include <controls/data/QuerySource.h>

#include <automation/Dispatch.h>

#include <memory>
#include <optional>
#include <string>

namespace kesto::controls {

inline constexpr CLSID kClsidKestoList{
    0xC76ADD35, 0xEA7C, 0x11D1, {0xA3, 0x32, 0x00, 0x00, 0xF8, 0x77, 0x3C, 0xDC}};
inline constexpr IID kIidDKestoList{
    0xF4D7DECF, 0xEB39, 0x11D1, {0xA3, 0x33, 0x00, 0x00, 0xF8, 0x77, 0x3C, 0xDC}};
inline constexpr IID kIidDKestoListEvents{
    0xF4D7DED0, 0xEB39, 0x11D1, {0xA3, 0x33, 0x00, 0x00, 0xF8, 0x77, 0x3C, 0xDC}};
inline constexpr GUID kLibidKestoList{
    0xF4D7DECE, 0xEB39, 0x11D1, {0xA3, 0x33, 0x00, 0x00, 0xF8, 0x77, 0x3C, 0xDC}};
inline constexpr CLSID kClsidKestoListPropPage{
    0xF4D7DED1, 0xEB39, 0x11D1, {0xA3, 0x33, 0x00, 0x00, 0xF8, 0x77, 0x3C, 0xDC}};
inline constexpr const char* kKestoListProgId = "KESTOLIST.KestoListCtrl.1";
inline constexpr const char* kKestoListPropPageProgId = "KESTOLIST.KestoListPropPage.1";
inline constexpr std::uint32_t kKestoListMiscStatus = 0x30191;

// _DKestoList.
namespace list_dispid {
enum : DISPID {
  MinToDisplay = 1, HideSelection, HideColumnHeaders, MaxToDisplay, HideId, Factory, Autosize,
  Connect, Clear, GetData, GetSelectedIndex, SetAlignment, SetColumnWidth, ResultSet, Run,
  ClearData, GetColumnCount, GetParamCount, GetColumnName, GetParamName, GetColumnHeader,
  GetIndexCount, GetDataByName, AutosizeColumnByHeader, AutosizeColumnByData, GetIdColumn,
  DynamicSQL,
};
}

// The string table.
enum class ListString { Control = 1, PropPage = 2, General = 200, NoResultSet = 201,
                        ConversionFailed = 202, NoColumn = 203 };
std::string listString(ListString id);  // UTF-8

inline constexpr std::uint16_t kErrorNoResultSet = 9000;
inline constexpr std::uint16_t kErrorDynamicSql = 201;
inline constexpr int kListViewChildId = 100;

class CKestoListCtrl final : public activex::Control<CKestoListCtrl> {
 public:
  CKestoListCtrl();
  ~CKestoListCtrl() override;
  static const automation::DispatchTable<CKestoListCtrl>& dispatchTable();

  void exchange(automation::PropExchange& px);
  void Load(automation::PropertyBag& bag) override { loadAllOrNothing(*this, bag); }
  std::vector<activex::PropertyPage> PropertyPages() const override;

  // Properties (dispids 1 to 7).
  std::int16_t minToDisplay() const { return minToDisplay_; }
  void setMinToDisplay(std::int16_t value);
  BOOL hideSelection() const { return hideSelection_; }
  void setHideSelection(BOOL value);
  BOOL hideColumnHeaders() const { return hideColumnHeaders_; }
  void setHideColumnHeaders(BOOL value);
  std::int32_t maxToDisplay() const { return maxToDisplay_; }
  void setMaxToDisplay(std::int32_t value);
  BOOL hideId() const { return hideId_; }
  void setHideId(BOOL value);
  automation::ComPtr<IDispatch> factory() const;
  void setFactory(IDispatch* factory);
  BOOL autosize() const { return autosize_; }
  void setAutosize(BOOL value);

  // Queries and data (dispids 8 to 27).
  BOOL connect(const std::u16string& connection);
  void clear();
  std::u16string getData(std::int32_t index, std::int16_t column);
  std::int32_t getSelectedIndex();
  void setAlignment(std::int32_t column, std::int32_t alignment);
  void setColumnWidth(std::int32_t column, float width);
  BOOL resultSet(const std::u16string& className, const std::u16string& queryName);
  BOOL run(std::span<const automation::Variant> params);
  void clearData();
  std::int16_t getColumnCount();
  std::int16_t getParamCount();
  std::u16string getColumnName(std::int16_t n);
  std::u16string getParamName(std::int16_t n);
  std::u16string getColumnHeader(std::int16_t n);
  std::int32_t getIndexCount();
  std::u16string getDataByName(std::int32_t index, const std::u16string& columnName);
  void autosizeColumnByHeader(std::int16_t column);
  void autosizeColumnByData(std::int16_t column);
  std::int16_t getIdColumn();
  BOOL dynamicSql(const std::u16string& statement);

  // For tests and hosts of this module: the hosted ListView (null before the window).
  activex::ListViewControl* listView() const { return listView_.get(); }
  bool hasQuery() const { return static_cast<bool>(query_); }
  float savedIdWidth() const { return savedIdWidth_; }

 protected:
  void onCreate() override;
  void onSize(int width, int height) override;
  void onDraw(QPainter& painter, const QRect& bounds) override;
  void onDestroy() override;
  void onColoursChanged() override;
  void onFontChanged() override;

 private:
  automation::Dispatch listViewDispatch() const;
  Query& preparedQuery() const;  // 9000 when there is none
  void replaceDatabase(std::unique_ptr<Database> db);
  void dropQuery();
  BOOL prepare(bool dynamic, const std::u16string& a, const std::u16string& b);
  void applyIdColumn();
  // The prepared query's column headers into the ListView (with its ID column and widths).
  void showColumnHeaders();
  void autosizeAll(std::int16_t columns);
  void autosizeColumn(std::int16_t column, activex::LONG_PTR how);
  void sendFullRowStyle();

  automation::ComPtr<activex::ListViewControl> listView_;
  std::unique_ptr<activex::SimpleSite> childSite_;
  DWORD listViewCookie_ = 0;
  std::unique_ptr<Database> database_;
  std::unique_ptr<Query> query_;
  float savedIdWidth_ = 0.0f;
  std::int32_t idColumn_ = -1;
  BOOL autosize_ = FALSE;
  std::int16_t minToDisplay_ = 50;
  BOOL hideSelection_ = TRUE;
  BOOL hideColumnHeaders_ = FALSE;
  std::int32_t maxToDisplay_ = -1;
  BOOL hideId_ = FALSE;
};

}  // namespace kesto::controls
