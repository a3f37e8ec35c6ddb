#include <activex/control/PropertyPageDialog.h>

#include <automation/Dispatch.h>
#include <services/MessageBox.h>
#include <text/CodePage.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kesto::activex {

using namespace automation;

namespace {

// Pseudo-properties of the stock pages: members of the font object and the two colours.
constexpr DISPID kFontNameItem = 1;
constexpr DISPID kFontSizeItem = 2;

QString hexColour(std::uint32_t c) { return QStringLiteral("0x%1").arg(c, 8, 16, QLatin1Char('0')).toUpper().replace("0X", "0x"); }

}  // namespace

PropertyPageDialog::PropertyPageDialog(IDispatch* control, std::vector<PropertyPage> pages, QWidget* parent)
    : QDialog(parent), control_(control), pages_(std::move(pages)) {
  setObjectName(QStringLiteral("PropertyPages"));
  setWindowTitle(QStringLiteral("Eigenschaften"));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  layout->addWidget(tabs_);
  for (const PropertyPage& page : pages_) {
    if (page.clsid == kStockFontPage)
      tabs_->addTab(makeFontPage(), QStringLiteral("Font"));
    else if (page.clsid == kStockColourPage)
      tabs_->addTab(makeColourPage(), QStringLiteral("Color"));
    else
      tabs_->addTab(makePage(page), QString::fromStdString(page.caption));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Apply, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (apply()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });
  load();
}

QWidget* PropertyPageDialog::makePage(const PropertyPage& page) {
  auto* w = new QWidget;
  w->setObjectName(QStringLiteral("page%1").arg(page.dialogId));
  auto* form = new QFormLayout(w);
  const Dispatch target(control_.get());
  for (const PropertyPageItem& item : page.items) {
    QWidget* editor = nullptr;
    if (item.kind == PropertyPageItem::Kind::Check) {
      auto* box = new QCheckBox(QString::fromStdString(item.label), w);
      form->addRow(box);
      editor = box;
    } else {
      auto* edit = new QLineEdit(w);
      if (item.kind == PropertyPageItem::Kind::NumberEdit) edit->setValidator(new QIntValidator(edit));
      form->addRow(QString::fromStdString(item.label), edit);
      editor = edit;
    }
    editor->setObjectName(QStringLiteral("item%1").arg(item.id));
    bindings_.push_back({editor, item.kind, item.property, target.idOf(text::utf16ToUtf8(item.property))});
  }
  return w;
}

QWidget* PropertyPageDialog::makeFontPage() {
  auto* w = new QWidget;
  w->setObjectName(QStringLiteral("fontPage"));
  auto* form = new QFormLayout(w);
  auto* name = new QLineEdit(w);
  name->setObjectName(QStringLiteral("fontName"));
  auto* size = new QLineEdit(w);
  size->setObjectName(QStringLiteral("fontSize"));
  form->addRow(QStringLiteral("Font"), name);
  form->addRow(QStringLiteral("Size"), size);
  bindings_.push_back({name, PropertyPageItem::Kind::Edit, u"Font.Name", kFontNameItem});
  bindings_.push_back({size, PropertyPageItem::Kind::Edit, u"Font.Size", kFontSizeItem});
  return w;
}

QWidget* PropertyPageDialog::makeColourPage() {
  auto* w = new QWidget;
  w->setObjectName(QStringLiteral("colourPage"));
  auto* form = new QFormLayout(w);
  for (const auto& [label, id] : {std::pair{"ForeColor", DISPID_FORECOLOR}, std::pair{"BackColor", DISPID_BACKCOLOR}}) {
    auto* edit = new QLineEdit(w);
    edit->setObjectName(QString::fromLatin1(label));
    form->addRow(QString::fromLatin1(label), edit);
    bindings_.push_back({edit, PropertyPageItem::Kind::Edit, text::utf8ToUtf16(label), id});
  }
  return w;
}

void PropertyPageDialog::load() {
  const Dispatch target(control_.get());
  for (const Binding& b : bindings_) {
    try {
      if (b.property.starts_with(u"Font.")) {
        const FontDesc f = readFont(target.invoke(DISPID_FONT, DISPATCH_PROPERTYGET, {}).dispatch());
        static_cast<QLineEdit*>(b.editor)->setText(
            b.id == kFontNameItem ? QString::fromStdU16String(f.name) : QString::number(f.points()));
        continue;
      }
      const Variant v = target.invoke(b.id, DISPATCH_PROPERTYGET, {});
      if (b.kind == PropertyPageItem::Kind::Check)
        static_cast<QCheckBox*>(b.editor)->setChecked(v.toBool());
      else if (b.id == DISPID_FORECOLOR || b.id == DISPID_BACKCOLOR)
        static_cast<QLineEdit*>(b.editor)->setText(hexColour(static_cast<std::uint32_t>(v.toInt32())));
      else
        static_cast<QLineEdit*>(b.editor)->setText(QString::fromStdU16String(v.toString()));
    } catch (const std::exception& e) {
      services::messageBox(e.what(), "Eigenschaften", MB_OK | MB_ICONEXCLAMATION);
    }
  }
}

bool PropertyPageDialog::apply() {
  const Dispatch target(control_.get());
  bool allTaken = true;
  for (const Binding& b : bindings_) {
    try {
      if (b.property.starts_with(u"Font.")) {
        const Dispatch font(target.invoke(DISPID_FONT, DISPATCH_PROPERTYGET, {}).dispatch());
        const QString text = static_cast<QLineEdit*>(b.editor)->text();
        if (b.id == kFontNameItem)
          font.invoke(kFontName, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(text.toStdU16String())});
        else
          font.invoke(kFontSize, DISPATCH_PROPERTYPUT,
                      std::vector<Arg>{Arg(CY{static_cast<std::int64_t>(text.toDouble() * 10000 + 0.5)})});
        continue;
      }
      const Variant current = target.invoke(b.id, DISPATCH_PROPERTYGET, {});
      Variant value;
      if (b.kind == PropertyPageItem::Kind::Check) {
        value = Variant(static_cast<QCheckBox*>(b.editor)->isChecked());
      } else if (b.id == DISPID_FORECOLOR || b.id == DISPID_BACKCOLOR) {
        bool ok = false;
        value = Variant(static_cast<std::int32_t>(static_cast<QLineEdit*>(b.editor)->text().toUInt(&ok, 0)));
        if (!ok) throw std::runtime_error("not a colour: " + static_cast<QLineEdit*>(b.editor)->text().toStdString());
      } else {
        value = Variant(static_cast<QLineEdit*>(b.editor)->text().toStdU16String());
      }
      // Only what the user changed is written: a property the control refuses at run time
      // is not touched when it stays as it was.
      if (value.changedTo(current.vt()).toString() == current.toString()) continue;
      target.invoke(b.id, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(value)});
    } catch (const std::exception& e) {
      allTaken = false;
      services::messageBox(text::utf16ToUtf8(b.property) + ": " + e.what(), "Eigenschaften",
                           MB_OK | MB_ICONEXCLAMATION);
    }
  }
  return allTaken;
}

}  // namespace kesto::activex
