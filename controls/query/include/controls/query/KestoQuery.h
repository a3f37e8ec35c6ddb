// KestoQuery: the query-lookup control. It holds the lookup settings, shows a fixed
// picture, and runs the Query Lookup dialog in FindId.
#pragma once

#include <activex/control/Control.h>
#include <controls/data/LoadAllOrNothing.h>

#include <automation/Bstr.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QImage;

namespace kesto::controls {

inline constexpr CLSID kClsidKestoQuery{
    0xC37EFBE9, 0xBC76, 0x11D2, {0xB6, 0x5D, 0x00, 0x00, 0xF8, 0x7C, 0x27, 0x80}};
inline constexpr IID kIidDKestoQuery{
    0xC37EFBE7, 0xBC76, 0x11D2, {0xB6, 0x5D, 0x00, 0x00, 0xF8, 0x7C, 0x27, 0x80}};
inline constexpr IID kIidDKestoQueryEvents{
    0xC37EFBE8, 0xBC76, 0x11D2, {0xB6, 0x5D, 0x00, 0x00, 0xF8, 0x7C, 0x27, 0x80}};
inline constexpr GUID kLibidKestoQuery{
    0xC37EFBE6, 0xBC76, 0x11D2, {0xB6, 0x5D, 0x00, 0x00, 0xF8, 0x7C, 0x27, 0x80}};
inline constexpr CLSID kClsidKestoQueryPropPage{
    0xC37EFBEA, 0xBC76, 0x11D2, {0xB6, 0x5D, 0x00, 0x00, 0xF8, 0x7C, 0x27, 0x80}};
inline constexpr const char* kKestoQueryProgId = "KESTOQUERY.KestoQueryCtrl.1";
inline constexpr std::uint32_t kKestoQueryMiscStatus = 0x20591;

namespace query_dispid {
enum : DISPID {
  ClassName = 1, QueryName, WaitForUserInput, QuerySelection, Title, AutoResize, HideId,
  HideSelection, MaxToDisplay, Factory, FindId, SetParam,
};
}

enum class QueryString { Control = 1, PropPage = 2, General = 200, NoQueries = 201,
                         NoIdQueries = 202, TooManyParams = 203, NeedFactory = 204 };
std::string queryString(QueryString id);  // UTF-8

// The picture the control shows: 32 x 32 pixels.
inline constexpr int kPictureSize = 32;
QImage queryPicture();

// What FindId hands the dialog.
struct LookupSettings {
  automation::ComPtr<IDispatch> factory;
  std::u16string className, queryName, title;
  bool runAtOnce = false, querySelection = true, autoResize = false, hideId = false,
       hideSelection = false;
  std::int32_t maxToDisplay = -1;
  std::array<std::optional<std::u16string>, 10> presetArguments;
};

class CKestoQueryCtrl final : public activex::Control<CKestoQueryCtrl> {
 public:
  static const automation::DispatchTable<CKestoQueryCtrl>& dispatchTable();
  void exchange(automation::PropExchange& px);
  void Load(automation::PropertyBag& bag) override { loadAllOrNothing(*this, bag); }
  std::vector<activex::PropertyPage> PropertyPages() const override;

  // The dialog run: the settings in, the chosen ID out (nothing = none). Tests and hosts
  // without a window system put another one in; the default runs the Qt dialog modally.
  using LookupRunner = std::function<std::optional<std::u16string>(const LookupSettings&)>;
  static void setLookupRunner(LookupRunner runner);  // null: the Qt dialog

  // Null BSTR: no ID chosen.
  automation::Bstr findId();
  void setParam(std::int16_t index, const std::u16string& value);
  void setFactory(IDispatch* factory);

 protected:
  void onSize(int width, int height) override;
  void onDraw(QPainter& painter, const QRect& bounds) override;

 private:
  automation::ComPtr<IDispatch> factory_;
  std::array<std::u16string, 10> params_;
  std::array<bool, 10> given_{};
  std::u16string className_, queryName_, title_ = u"Query Lookup";
  BOOL waitForUserInput_ = TRUE, querySelection_ = TRUE, autoResize_ = FALSE, hideId_ = FALSE,
       hideSelection_ = FALSE;
  std::int32_t maxToDisplay_ = -1;
};

}  // namespace kesto::controls
