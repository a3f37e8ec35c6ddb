// The query-lookup control: settings, persistence, property page, picture and FindId.
#include <controls/query/KestoQuery.h>
#include <controls/query/QueryLookupDlg.h>

#include <automation/DispatchException.h>
#include <services/MessageBox.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace kesto::controls {

using namespace automation;

std::string queryString(QueryString id) {
  switch (id) {
    case QueryString::Control: return "KestoQuery Control";
    case QueryString::PropPage: return "KestoQuery Property Page";
    case QueryString::General: return "General";
    case QueryString::NoQueries: return "The Class has no queries defined for it";
    case QueryString::NoIdQueries:
      return "The Class has no queries defined for it that contain an object ID column";
    case QueryString::TooManyParams: return "This Query has more than 10 parameters - only 10 displayed";
    case QueryString::NeedFactory: return "Factory is a required property";
  }
  return {};
}

QImage queryPicture() {
  // A magnifying glass over a list: the lookup.
  QImage image(kPictureSize, kPictureSize, QImage::Format_ARGB32);
  image.fill(QColor(0xC0, 0xC0, 0xC0));
  QPainter p(&image);
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawRect(0, 0, 31, 31);
  p.fillRect(4, 5, 18, 20, Qt::white);
  p.setPen(Qt::black);
  for (int y = 9; y <= 21; y += 4) p.drawLine(7, y, 18, y);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x00, 0x00, 0x80), 2.5));
  p.drawEllipse(QPointF(20, 17), 6, 6);
  p.drawLine(QPointF(24.5, 21.5), QPointF(29, 27));
  return image;
}

namespace {
CKestoQueryCtrl::LookupRunner& runnerSlot() {
  static CKestoQueryCtrl::LookupRunner runner;
  return runner;
}
}  // namespace

void CKestoQueryCtrl::setLookupRunner(LookupRunner runner) { runnerSlot() = std::move(runner); }

void CKestoQueryCtrl::exchange(PropExchange& px) {
  px.exchangeVersion(makeVersion(1, 0));
  exchangeStockProps(px);
  px.exchangeBool("WaitForUserInput", waitForUserInput_, true);
  px.exchangeBool("QuerySelection", querySelection_, true);
  px.exchange("Title", title_, std::u16string(u"Query Lookup"));
  px.exchange("ClassName", className_);
  px.exchange("QueryName", queryName_);
  px.exchangeBool("AutoResize", autoResize_, false);
  px.exchangeBool("HideId", hideId_, false);
  px.exchangeBool("HideSelection", hideSelection_, false);
  px.exchange("MaxToDisplay", maxToDisplay_, -1);
}

std::vector<activex::PropertyPage> CKestoQueryCtrl::PropertyPages() const {
  using K = activex::PropertyPageItem::Kind;
  return {{kClsidKestoQueryPropPage, "KESTOQUERY.KestoQueryPropPage.1", 200, queryString(QueryString::General),
           {{261, K::Edit, "Class Name", u"ClassName"},
            {262, K::Edit, "Query Name", u"QueryName"},
            {263, K::Edit, "Title", u"Title"},
            {260, K::NumberEdit, "MaxToDisplay", u"MaxToDisplay"},
            {273, K::Check, "Auto Resize", u"AutoResize"},
            {274, K::Check, "Hide Id", u"HideId"},
            {275, K::Check, "Wait For User Input", u"WaitForUserInput"},
            {276, K::Check, "Query Selection", u"QuerySelection"},
            {277, K::Check, "Hide Selection", u"HideSelection"}}}};
}

void CKestoQueryCtrl::setParam(std::int16_t index, const std::u16string& value) {
  if (index < 1 || index > 10) return;
  params_[static_cast<std::size_t>(index - 1)] = value;
  given_[static_cast<std::size_t>(index - 1)] = true;
}

void CKestoQueryCtrl::setFactory(IDispatch* factory) {
  factory_ = ComPtr<IDispatch>(factory);
  setModifiedFlag();
}

Bstr CKestoQueryCtrl::findId() {
  if (!factory_) {
    services::messageBox(queryString(QueryString::NeedFactory), queryString(QueryString::Control),
                         MB_OK | MB_ICONEXCLAMATION);
    return Bstr();
  }
  LookupSettings s;
  // The dialog borrows the Factory: this reference keeps it alive while the dialog runs,
  // whatever the host does to the property meanwhile.
  s.factory = factory_;
  s.className = className_;
  s.queryName = queryName_;
  s.title = title_;
  s.runAtOnce = !waitForUserInput_;
  s.querySelection = querySelection_ != 0;
  s.autoResize = autoResize_ != 0;
  s.hideId = hideId_ != 0;
  s.hideSelection = hideSelection_ != 0;
  s.maxToDisplay = maxToDisplay_;
  for (std::size_t k = 0; k < 10; ++k)
    if (given_[k]) s.presetArguments[k] = params_[k];

  std::optional<std::u16string> chosen;
  if (runnerSlot()) {
    chosen = runnerSlot()(s);
  } else {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
      throw DispatchException(0, "The query lookup needs a window system (no QApplication)", E_UNEXPECTED);
    QWidget* parent = site() ? site()->parentWidget() : nullptr;
    CQueryLookupDlg dialog(s, parent ? parent->window() : nullptr);
    if (dialog.usable() && dialog.exec() == QDialog::Accepted) chosen = dialog.chosenId();
  }
  return chosen ? Bstr(*chosen) : Bstr();
}

void CKestoQueryCtrl::onSize(int width, int height) {
  if (width != kPictureSize || height != kPictureSize)
    setBounds(QRect(bounds().topLeft(), QSize(kPictureSize, kPictureSize)));
}

void CKestoQueryCtrl::onDraw(QPainter& painter, const QRect& bounds) {
  static const QImage picture = queryPicture();
  painter.drawImage(bounds.topLeft(), picture);
  if (bounds.size() != picture.size()) setBounds(QRect(this->bounds().topLeft(), picture.size()));
}

}  // namespace kesto::controls
