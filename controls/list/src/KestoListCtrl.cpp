// The list control object: properties, persistence, property page, events and window.
#include <controls/list/KestoList.h>

#include <automation/EventSink.h>

#include <QPainter>

namespace kesto::controls {

using namespace automation;
using activex::ListViewControl;

namespace {

// The innermost 16-bit integer a by-reference argument points at, or null.
std::int16_t* int16Ref(VARIANT* v) {
  while (v && v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
  if (v && v->vt == (VT_BYREF | VT_I2)) return v->piVal;
  return nullptr;
}

QColor colourOf(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

CKestoListCtrl::CKestoListCtrl() = default;

CKestoListCtrl::~CKestoListCtrl() {
  destroyWindow();
  dropQuery();
  database_.reset();
}

void CKestoListCtrl::setMinToDisplay(std::int16_t value) {
  minToDisplay_ = value < 1 ? 1 : value;
  setModifiedFlag();
}

void CKestoListCtrl::setHideSelection(BOOL value) {
  hideSelection_ = value;
  if (listView_) listViewDispatch().invoke(5, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(value != 0)});
  setModifiedFlag();
}

void CKestoListCtrl::setHideColumnHeaders(BOOL value) {
  hideColumnHeaders_ = value;
  if (listView_) {
    listViewDispatch().invoke(4, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(value != 0)});
    sendFullRowStyle();
  }
  setModifiedFlag();
}

void CKestoListCtrl::setMaxToDisplay(std::int32_t value) {
  maxToDisplay_ = value;
  setModifiedFlag();
}

void CKestoListCtrl::setHideId(BOOL value) {
  hideId_ = value;
  applyIdColumn();
  setModifiedFlag();
}

void CKestoListCtrl::setAutosize(BOOL value) {
  if (userMode()) activex::throwSetNotSupportedAtRuntime();
  autosize_ = value;
  setModifiedFlag();
}

ComPtr<IDispatch> CKestoListCtrl::factory() const {
  return database_ ? database_->factory() : ComPtr<IDispatch>();
}

void CKestoListCtrl::setFactory(IDispatch* factory) {
  // A foreign object is refused before anything changes.
  std::unique_ptr<Database> next = factory ? backend().wrapFactory(factory) : nullptr;
  replaceDatabase(std::move(next));
  setModifiedFlag();
}

void CKestoListCtrl::replaceDatabase(std::unique_ptr<Database> db) {
  // A prepared query belongs to the database it was made with: it goes first.
  dropQuery();
  database_ = std::move(db);
}

void CKestoListCtrl::dropQuery() {
  if (!query_) return;
  try {
    query_->close();
  } catch (const std::exception&) {
    // The query is discarded either way; a link that already failed cannot close it.
  }
  query_.reset();
}

void CKestoListCtrl::exchange(PropExchange& px) {
  px.exchangeVersion(makeVersion(1, 0));
  exchangeStockProps(px);
  px.exchange("MinToDisplay", minToDisplay_);
  px.exchangeBool("HideSelection", hideSelection_, true);
  px.exchangeBool("HideColumnHeaders", hideColumnHeaders_, false);
  px.exchangeBool("HideId", hideId_, false);
  px.exchange("MaxToDisplay", maxToDisplay_, -1);
  OLE_COLOR back = backColor();
  px.exchangeColour("BackColor", back, systemColour(COLOR_WINDOW));
  px.exchangeBool("Autosize", autosize_, false);
  if (px.loading()) {
    setBackColor(back);
    if (listView_) {
      listViewDispatch().invoke(5, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(hideSelection_ != 0)});
      listViewDispatch().invoke(4, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(hideColumnHeaders_ != 0)});
      sendFullRowStyle();
    }
  }
}

std::vector<activex::PropertyPage> CKestoListCtrl::PropertyPages() const {
  using K = activex::PropertyPageItem::Kind;
  activex::PropertyPage own{kClsidKestoListPropPage, kKestoListPropPageProgId, 200,
                            listString(ListString::General),
                            {{207, K::NumberEdit, "MinToDisplay", u"MinToDisplay"},
                             {208, K::NumberEdit, "MaxToDisplay", u"MaxToDisplay"},
                             {202, K::Check, "Hide Id", u"HideId"},
                             {204, K::Check, "Hide Column Headers", u"HideColumnHeaders"},
                             {203, K::Check, "Hide Selection", u"HideSelection"},
                             {209, K::Check, "Autosize", u"Autosize"}}};
  return {own, {activex::kStockFontPage, "", 0, "Font", {}}, {activex::kStockColourPage, "", 0, "Color", {}}};
}

Dispatch CKestoListCtrl::listViewDispatch() const {
  if (!listView_)
    throw DispatchException(0, "The list has no window: it lists rows only while its container runs",
                            E_UNEXPECTED);
  return Dispatch(static_cast<IDispatch*>(listView_.get()));
}

void CKestoListCtrl::sendFullRowStyle() {
  listView_->SendMessage(activex::LVM_SETEXTENDEDLISTVIEWSTYLE, 0, activex::LVS_EX_FULLROWSELECT);
}

void CKestoListCtrl::onCreate() {
  if (!userMode()) return;  // design mode: the control paints itself
  listView_ = activex::createListView();
  childSite_ = std::make_unique<activex::SimpleSite>(true, u"ListView", widget());
  listView_->SetSite(childSite_.get());
  listView_->SetBounds(QRect(0, 0, 100, 100));
  listView_->CreateControlWindow(kListViewChildId);
  // The ListView's events are the control's events.
  auto relay = FunctionSink::create([this](DISPID id, std::span<VARIANT* const> args) {
    if (id == activex::DISPID_KEYDOWN || id == activex::DISPID_KEYUP) {
      std::int16_t* code = args.empty() ? nullptr : int16Ref(args[0]);
      if (!code) return;
      VARIANT ref;
      ref.vt = VT_BYREF | VT_I2;
      ref.piVal = code;
      Variant keyCode(ref);
      const std::int16_t shift = args.size() > 1 ? Variant(*args[1]).toInt16() : 0;
      events().fire(id, std::vector<Arg>{byRef(keyCode), Arg(shift)});
    } else if (id == activex::DISPID_CLICK || id == activex::DISPID_DBLCLICK) {
      events().fire(id);
    }
  });
  listViewCookie_ = listView_->Advise(relay.get());

  const Dispatch lv = listViewDispatch();
  lv.invoke(18, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int32_t{3})});
  lv.invoke(8, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(std::int32_t{1})});
  lv.invoke(activex::DISPID_FONT, DISPATCH_PROPERTYPUTREF, std::vector<Arg>{Arg(stockFontDispatch())});
  lv.invoke(activex::DISPID_FORECOLOR, DISPATCH_PROPERTYPUT,
            std::vector<Arg>{Arg(static_cast<std::int32_t>(foreColor()))});
  lv.invoke(activex::DISPID_BACKCOLOR, DISPATCH_PROPERTYPUT,
            std::vector<Arg>{Arg(static_cast<std::int32_t>(backColor()))});
  lv.invoke(5, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(hideSelection_ != 0)});
  lv.invoke(4, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(hideColumnHeaders_ != 0)});
  sendFullRowStyle();
  // A window made anew (after design mode) shows the query that stayed prepared.
  if (query_) showColumnHeaders();
}

void CKestoListCtrl::onSize(int width, int height) {
  if (userMode() && listView_) listView_->SetBounds(QRect(0, 0, width, height));
}

void CKestoListCtrl::onDraw(QPainter& painter, const QRect& bounds) {
  if (userMode()) {
    if (!listView_) painter.fillRect(bounds, Qt::white);
    return;  // the ListView paints itself
  }
  painter.fillRect(bounds, colourOf(translateColour(backColor())));
  painter.setFont(activex::toQFont(stockFont().desc()));
  painter.setPen(colourOf(translateColour(foreColor())));
  painter.drawText(bounds, Qt::AlignLeft | Qt::AlignTop, QString::fromStdU16String(displayName()));
}

void CKestoListCtrl::onDestroy() {
  if (!listView_) return;
  listView_->Unadvise(listViewCookie_);
  listView_->DestroyControlWindow();
  listView_->SetSite(nullptr);
  listView_.reset();
  childSite_.reset();
}

void CKestoListCtrl::onColoursChanged() {
  if (!listView_) return;
  const Dispatch lv = listViewDispatch();
  lv.invoke(activex::DISPID_FORECOLOR, DISPATCH_PROPERTYPUT,
            std::vector<Arg>{Arg(static_cast<std::int32_t>(foreColor()))});
  lv.invoke(activex::DISPID_BACKCOLOR, DISPATCH_PROPERTYPUT,
            std::vector<Arg>{Arg(static_cast<std::int32_t>(backColor()))});
}

void CKestoListCtrl::onFontChanged() {
  setModifiedFlag();
  if (listView_)
    listViewDispatch().invoke(activex::DISPID_FONT, DISPATCH_PROPERTYPUTREF,
                              std::vector<Arg>{Arg(stockFontDispatch())});
  invalidate();
}

}  // namespace kesto::controls
