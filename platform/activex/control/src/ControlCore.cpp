#include <activex/control/Control.h>

#include <services/MessageBox.h>
#include <services/qt/QtMessageBox.h>

#include <QApplication>

#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWidget>

namespace kesto::activex {

using automation::DispatchException;

void throwSetNotSupportedAtRuntime() {
  throw DispatchException(0, "Set not supported at runtime.", CTL_E_SETNOTSUPPORTEDATRUNTIME);
}

// The control's real window: paints and resizes through the control's hooks.
class ControlWidget final : public QWidget {
 public:
  ControlWidget(ControlCore& control, QWidget* parent) : QWidget(parent), control_(control) {}
  void detach() { attached_ = false; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!attached_) return;
    QPainter painter(this);
    control_.onDraw(painter, rect());
  }
  void resizeEvent(QResizeEvent* e) override {
    if (!attached_) return;
    control_.bounds_.setSize(e->size());
    control_.onSize(e->size().width(), e->size().height());
  }

 private:
  ControlCore& control_;
  bool attached_ = true;
};

ControlCore::ControlCore() : font_(automation::FontObject::create()) {
  font_->onChange([this](const automation::FontDesc&) { onFontChanged(); });
}

ControlCore::~ControlCore() { font_->onChange(nullptr); }

void ControlCore::setForeColor(OLE_COLOR c) {
  foreColor_ = c;
  setModifiedFlag();
  onColoursChanged();
  invalidate();
}

void ControlCore::setBackColor(OLE_COLOR c) {
  backColor_ = c;
  setModifiedFlag();
  onColoursChanged();
  invalidate();
}

void ControlCore::aboutBox(const std::string& title, const std::string& text) {
  services::messageBox(text, title, MB_OK | MB_ICONINFORMATION);
}

void ControlCore::exchangeStockProps(automation::PropExchange& px) {
  automation::FontDesc font = font_->desc();
  px.exchange("Font", font, automation::FontDesc{});
  px.exchangeColour("ForeColor", foreColor_, automation::systemColour(automation::COLOR_WINDOWTEXT));
  px.exchangeColour("BackColor", backColor_, automation::systemColour(automation::COLOR_WINDOW));
  if (px.loading()) {
    font_->setDesc(font);
    onColoursChanged();
  }
}

void ControlCore::setSite(ControlSite* site) {
  if (site == site_) return;
  destroyWindow();
  site_ = site;
}

void ControlCore::createWindow(int childId) {
  if (created_) return;
  childId_ = childId;
  if (site_ && site_->parentWidget()) {
    auto* made = new ControlWidget(*this, site_->parentWidget());
    widget_ = made;
    widget_->setObjectName(QStringLiteral("item%1").arg(childId));
    widget_->setGeometry(bounds_);
    widget_->show();
  }
  created_ = true;
  onCreate();
  onSize(bounds_.width(), bounds_.height());
}

void ControlCore::destroyWindow() {
  if (!created_) return;
  onDestroy();
  created_ = false;
  if (widget_) {
    static_cast<ControlWidget*>(widget_.data())->detach();
    delete widget_.data();
  }
}

QWidget* ControlCore::widget() const { return widget_; }

void ControlCore::setBounds(const QRect& bounds) {
  const bool resized = bounds.size() != bounds_.size();
  bounds_ = bounds;
  if (widget_) {
    widget_->setGeometry(bounds);  // resizeEvent runs onSize when shown
    if (!widget_->isVisible() && resized) onSize(bounds.width(), bounds.height());
  } else if (created_ && resized) {
    onSize(bounds.width(), bounds.height());
  }
}

void ControlCore::ambientChanged() {
  if (!created_) return;
  const int id = childId_;
  destroyWindow();
  createWindow(id);
}

void ControlCore::invalidate() {
  if (widget_) widget_->update();
}

void useQtMessageBoxesInQtApplications() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    services::setMessageBoxPort(std::make_shared<services::qt::QtMessageBox>());
}

QFont toQFont(const automation::FontDesc& d) {
  QFont f(QString::fromStdU16String(d.name));
  f.setPointSizeF(d.points() > 0 ? d.points() : 8.25);
  f.setItalic(d.italic);
  f.setUnderline(d.underline);
  f.setStrikeOut(d.strikethrough);
  f.setWeight(static_cast<QFont::Weight>(std::clamp<int>(d.weight, 100, 900)));
  return f;
}

}  // namespace kesto::activex
