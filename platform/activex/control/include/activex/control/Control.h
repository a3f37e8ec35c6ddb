// The control framework: what a container gives a control (ambient properties and a
// window to live in, or none when headless), what a container asks of a control (window,
// events, persistence, property pages), and the common part of every control: modified
// flag, stock Font/ForeColor/BackColor, the "set at run time" error and the About box.
#pragma once

#include <automation/DispatchTable.h>
#include <automation/EventSink.h>
#include <automation/Font.h>
#include <automation/PropertyBag.h>
#include <automation/SystemColours.h>

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QWidget;

namespace kesto::activex {

using automation::OLE_COLOR;

// The container's side.
class ControlSite {
 public:
  virtual ~ControlSite() = default;
  virtual bool userMode() const = 0;                // ambient UserMode: FALSE while designing
  virtual std::u16string displayName() const = 0;  // the container's name for the control
  virtual QWidget* parentWidget() const = 0;        // null: the control has no real window
};

// A site whose answers the host sets.
class SimpleSite final : public ControlSite {
 public:
  SimpleSite(bool userMode, std::u16string name, QWidget* parent = nullptr)
      : userMode_(userMode), name_(std::move(name)), parent_(parent) {}
  bool userMode() const override { return userMode_; }
  std::u16string displayName() const override { return name_; }
  QWidget* parentWidget() const override { return parent_; }
  void setUserMode(bool on) { userMode_ = on; }
  void setParentWidget(QWidget* parent) { parent_ = parent; }

 private:
  bool userMode_;
  std::u16string name_;
  QWidget* parent_;
};

// One property page as the host shows it: items bound to properties by name.
struct PropertyPageItem {
  enum class Kind { Edit, NumberEdit, Check };
  int id = 0;
  Kind kind = Kind::Edit;
  std::string label;     // UTF-8
  std::u16string property;
};
struct PropertyPage {
  CLSID clsid;
  std::string progId;    // empty for the stock pages
  int dialogId = 0;
  std::string caption;   // UTF-8
  std::vector<PropertyPageItem> items;  // empty for the stock pages
};
// The stock pages of the framework.
inline constexpr CLSID kStockFontPage{
    0x0BE35200, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
inline constexpr CLSID kStockColourPage{
    0x0BE35201, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// Window messages a control's window understands (the ones the controls here send).
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;

// What a container asks of a control besides its dispatch interface.
struct IControl : IUnknown {
  static constexpr IID iid{0x7A3C51E0, 0x2D44, 0x4C11, {0x9B, 0x6E, 0x4B, 0x45, 0x53, 0x54, 0x43, 0x01}};
  // The site must outlive the control's window; null detaches (and destroys the window).
  virtual void SetSite(ControlSite* site) = 0;
  // Creates the window: a child of the site's parent widget, or a headless one.
  virtual void CreateControlWindow(int childId) = 0;
  virtual void DestroyControlWindow() = 0;
  virtual bool HasWindow() const = 0;
  virtual QWidget* Widget() const = 0;  // null when headless or without window
  virtual void SetBounds(const QRect& bounds) = 0;
  virtual QRect Bounds() const = 0;
  // The site's ambient properties changed (design/user mode): the window is made anew.
  virtual void AmbientChanged() = 0;
  virtual LONG_PTR SendMessage(UINT message, UINT_PTR wParam, LONG_PTR lParam) = 0;
  virtual DWORD Advise(IDispatch* sink) = 0;
  virtual bool Unadvise(DWORD cookie) = 0;
  virtual void Save(automation::PropertyBag& bag) = 0;
  virtual void Load(automation::PropertyBag& bag) = 0;  // throws std::runtime_error on damage
  virtual std::vector<PropertyPage> PropertyPages() const = 0;
  virtual bool IsModified() const = 0;

 protected:
  ~IControl() = default;
};

// Dispatch identifiers of the stock members.
inline constexpr DISPID DISPID_BACKCOLOR = -501;
inline constexpr DISPID DISPID_FONT = -512;
inline constexpr DISPID DISPID_FORECOLOR = -513;
inline constexpr DISPID DISPID_REFRESH = -550;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr DISPID DISPID_CLICK = -600;
inline constexpr DISPID DISPID_DBLCLICK = -601;
inline constexpr DISPID DISPID_KEYDOWN = -602;
inline constexpr DISPID DISPID_KEYUP = -604;

// The framework's error for a property that cannot be set while the container runs.
inline constexpr HRESULT CTL_E_SETNOTSUPPORTEDATRUNTIME = static_cast<HRESULT>(0x800A017Eu);
[[noreturn]] void throwSetNotSupportedAtRuntime();

// State and window handling every control shares. The hooks run as the window messages of
// the platform would: onCreate after the window exists, onSize after a size change,
// onDraw when the window paints (never when headless), onDestroy before it goes.
class ControlCore {
 public:
  ControlCore();
  virtual ~ControlCore();

  bool userMode() const { return site_ ? site_->userMode() : true; }
  std::u16string displayName() const { return site_ ? site_->displayName() : std::u16string(); }
  ControlSite* site() const { return site_; }
  bool modified() const { return modified_; }
  void setModifiedFlag(bool on = true) { modified_ = on; }

  automation::FontObject& stockFont() { return *font_; }
  IDispatch* stockFontDispatch() const { return font_.get(); }
  OLE_COLOR foreColor() const { return foreColor_; }
  OLE_COLOR backColor() const { return backColor_; }
  void setForeColor(OLE_COLOR c);
  void setBackColor(OLE_COLOR c);
  automation::EventSink& events() { return events_; }

  // Shows the About box (title, text) through the message box port.
  static void aboutBox(const std::string& title, const std::string& text);

  // Stock Font, ForeColor and BackColor in the bag (before the control's own properties).
  void exchangeStockProps(automation::PropExchange& px);

  // IControl, shared part.
  void setSite(ControlSite* site);
  void createWindow(int childId);
  void destroyWindow();
  bool hasWindow() const { return created_; }
  QWidget* widget() const;
  void setBounds(const QRect& bounds);
  QRect bounds() const { return bounds_; }
  void ambientChanged();
  int childId() const { return childId_; }
  // Asks the window to paint again (nothing when headless).
  void invalidate();

 protected:
  virtual void onCreate() {}
  virtual void onSize(int width, int height) {}
  virtual void onDraw(QPainter& painter, const QRect& bounds) {}
  virtual void onDestroy() {}
  virtual void onColoursChanged() {}
  virtual void onFontChanged() {}

 private:
  friend class ControlWidget;
  ControlSite* site_ = nullptr;
  bool modified_ = false;
  automation::ComPtr<automation::FontObject> font_;
  OLE_COLOR foreColor_ = automation::systemColour(automation::COLOR_WINDOWTEXT);
  OLE_COLOR backColor_ = automation::systemColour(automation::COLOR_WINDOW);
  automation::EventSink events_;
  bool created_ = false;
  int childId_ = 0;
  QRect bounds_{0, 0, 100, 100};
  // Guarded: a host may delete its widgets (ours with them) before it lets the control go.
  QPointer<QWidget> widget_;
};

// IControl and IDispatch over ControlCore for a control class `Derived`, which provides
// dispatchTable(), save/load (exchange), propertyPages() and sendMessage().
template <class Derived>
class Control : public automation::DispatchObject<Derived, IDispatch, IControl>, public ControlCore {
 public:
  void SetSite(ControlSite* site) override { setSite(site); }
  void CreateControlWindow(int childId) override { createWindow(childId); }
  void DestroyControlWindow() override { destroyWindow(); }
  bool HasWindow() const override { return hasWindow(); }
  QWidget* Widget() const override { return widget(); }
  void SetBounds(const QRect& b) override { setBounds(b); }
  QRect Bounds() const override { return bounds(); }
  void AmbientChanged() override { ambientChanged(); }
  LONG_PTR SendMessage(UINT, UINT_PTR, LONG_PTR) override { return 0; }
  DWORD Advise(IDispatch* sink) override { return events().advise(sink); }
  bool Unadvise(DWORD cookie) override { return events().unadvise(cookie); }
  void Save(automation::PropertyBag& bag) override {
    automation::PropExchange px(bag, false);
    static_cast<Derived*>(this)->exchange(px);
  }
  void Load(automation::PropertyBag& bag) override {
    automation::PropExchange px(bag, true);
    static_cast<Derived*>(this)->exchange(px);
    setModifiedFlag(false);  // what was just loaded is what is stored
  }
  bool IsModified() const override { return modified(); }

 protected:
  ~Control() override { destroyWindow(); }
};

// The dispatch members of the stock colours.
template <class T>
std::vector<automation::Member<T>> stockColourMembers() {
  using namespace automation;
  using C = DispatchCall;
  return {
      member<T>(u"BackColor", DISPID_BACKCOLOR, kGet, {}, VT_I4,
                [](T& t, C& c) { c.result() = Variant(static_cast<std::int32_t>(t.backColor())); }),
      member<T>(u"BackColor", DISPID_BACKCOLOR, kPut, {in(VT_I4)}, VT_EMPTY,
                [](T& t, C& c) { t.setBackColor(static_cast<OLE_COLOR>(c.arg(0).toInt32())); }),
      member<T>(u"ForeColor", DISPID_FORECOLOR, kGet, {}, VT_I4,
                [](T& t, C& c) { c.result() = Variant(static_cast<std::int32_t>(t.foreColor())); }),
      member<T>(u"ForeColor", DISPID_FORECOLOR, kPut, {in(VT_I4)}, VT_EMPTY,
                [](T& t, C& c) { t.setForeColor(static_cast<OLE_COLOR>(c.arg(0).toInt32())); }),
  };
}

// The dispatch members of the stock properties and the About box, for a control's table.
template <class T>
std::vector<automation::Member<T>> stockMembers(std::string aboutTitle, std::string aboutText) {
  using namespace automation;
  using C = DispatchCall;
  std::vector<Member<T>> members = stockColourMembers<T>();
  std::vector<Member<T>> more{
      member<T>(u"Font", DISPID_FONT, kGet, {}, VT_DISPATCH,
                [](T& t, C& c) { c.result() = Variant(t.stockFontDispatch()); }),
      member<T>(u"Font", DISPID_FONT, kPutRef, {in(VT_DISPATCH)}, VT_EMPTY,
                [](T& t, C& c) {
                  t.stockFont().setDesc(readFont(c.arg(0).dispatch()));
                  t.setModifiedFlag();
                }),
      member<T>(u"AboutBox", DISPID_ABOUTBOX, kMethod, {}, VT_EMPTY,
                [aboutTitle, aboutText](T&, C&) { ControlCore::aboutBox(aboutTitle, aboutText); }),
  };
  for (auto& m : more) members.push_back(std::move(m));
  return members;
}

// At a control module's start: in a Qt application the module's message boxes are Qt
// boxes (a module has its own service ports).
void useQtMessageBoxesInQtApplications();

// Converts a font description for Qt (points; weight 100..900).
QFont toQFont(const automation::FontDesc& desc);

}  // namespace kesto::activex
