#include <controls/query/QueryLookupDlg.h>

#include <cstdio>

#include <controls/list/KestoList.h>

#include <automation/Activation.h>
#include <automation/EventSink.h>
#include <automation/Font.h>
#include <services/MessageBox.h>
#include <text/CodePage.h>

#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace kesto::controls {

using namespace automation;
namespace lid = list_dispid;

namespace {

QString q(const std::u16string& s) { return QString::fromStdU16String(s); }

template <class W>
W* item(W* widget, int id) {
  widget->setObjectName(QStringLiteral("item%1").arg(id));
  return widget;
}

// The list's stored state in the template.
PropertyBag initialListState() {
  PropertyBag bag;
  PropExchange px(bag, false);
  px.exchangeVersion(makeVersion(1, 0));
  FontDesc font;
  font.name = u"MS Sans Serif";
  font.size = 82500;
  font.weight = 400;
  px.exchange("Font", font);
  OLE_COLOR fore = 0, back = 0x00FFFFFF;
  px.exchangeColour("ForeColor", fore);
  px.exchangeColour("BackColor", back);
  std::int16_t min = 50;
  std::int32_t max = -1;
  BOOL yes = TRUE, no = FALSE;
  px.exchange("MinToDisplay", min);
  px.exchangeBool("HideSelection", yes);
  px.exchangeBool("HideColumnHeaders", no);
  px.exchangeBool("HideId", no);
  px.exchange("MaxToDisplay", max);
  px.exchangeBool("Autosize", no);
  return bag;
}

}  // namespace

CQueryLookupDlg::CQueryLookupDlg(const LookupSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), metrics_(LookupMetrics::from(lookupTemplate())) {
  setObjectName(QStringLiteral("QueryLookup"));
  setWindowTitle(QStringLiteral("Query Lookup"));
  for (auto& a : arguments_) a = Variant::missing();
  for (std::size_t k = 0; k < 10; ++k)
    if (settings_.presetArguments[k]) argumentTexts_[k] = *settings_.presetArguments[k];
  buildItems();
  try {
    createList();
  } catch (const ComError& e) {
    listControl_ = {};
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(e.hr));
    const std::string why = e.hr == REGDB_E_CLASSNOTREG ? ": class not registered" : "";
    services::messageBox(std::string("The list control ") + kKestoListProgId + " could not be created (error " + code +
                             why + ")",
                         text::utf16ToUtf8(settings_.title), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  OnInitDialog();
}

CQueryLookupDlg::~CQueryLookupDlg() {
  // WM_DESTROY: the list goes with the window, then the database.
  if (listControl_) {
    listControl_->Unadvise(listCookie_);
    listControl_->DestroyControlWindow();
    listControl_->SetSite(nullptr);
  }
  list_ = Dispatch();
  listControl_.reset();
  database_.reset();
}

void CQueryLookupDlg::buildItems() {
  const LookupTemplate& t = lookupTemplate();
  resize(t.dialog.size());
  queryLabel_ = item(new QLabel(QStringLiteral("Query Name"), this), 280);
  queryLabel_->setGeometry(10, 12, 80, 20);
  queryBox_ = item(new QComboBox(this), 205);
  queryBox_->setGeometry(95, 10, 255, 22);
  group_ = item(new QGroupBox(QStringLiteral("Query Parameters"), this), 236);
  group_->setGeometry(t.group);
  for (int i = 0; i < 10; ++i) {
    const QString text = i < 8 ? QStringLiteral("Argument") : QStringLiteral("Argument%1").arg(i + 1);
    labels_[i] = item(new QLabel(text, this), 240 + i);
    labels_[i]->setGeometry(t.label248.left(), t.label248.top() - (8 - i) * metrics_.rowPitch, 120, 20);
    edits_[i] = item(new QLineEdit(this), 260 + i);
    edits_[i]->setGeometry(145, labels_[i]->y() - 1, 195, 22);
    edits_[i]->setText(q(argumentTexts_[i]));
    connect(edits_[i], &QLineEdit::textEdited, this, [this, i] { guarded([&] { OnChangeArgument(i + 1); }); });
  }
  queryButton_ = item(new QPushButton(QStringLiteral("Query"), this), 257);
  queryButton_->setGeometry(365, 10, 85, 24);
  queryButton_->setDefault(true);
  cancelButton_ = item(new QPushButton(QStringLiteral("Cancel"), this), 2);
  cancelButton_->setGeometry(365, 40, 85, 24);
  selectButton_ = item(new QPushButton(QStringLiteral("Select"), this), 258);
  selectButton_->setGeometry(t.select);
  connect(queryBox_, &QComboBox::activated, this, [this] { guarded([&] { OnSelChangeQueryName(); }); });
  connect(queryButton_, &QPushButton::clicked, this, [this] { guarded([&] { OnQuery(); }); });
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(selectButton_, &QPushButton::clicked, this, [this] { guarded([&] { OnSelect(); }); });
}

void CQueryLookupDlg::createList() {
  ComPtr<IDispatch> made;
  const HRESULT hr = CoCreateInstance(kClsidKestoList, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, made.putVoid());
  if (FAILED(hr)) throw ComError(hr, "KestoList cannot be created");
  listControl_ = made.as<activex::IControl>();
  if (!listControl_) throw ComError(E_NOINTERFACE, "KestoList is not a control");
  list_ = Dispatch(made);
  PropertyBag state = initialListState();
  listControl_->Load(state);
  listSite_ = std::make_unique<activex::SimpleSite>(true, u"KestoList", this);
  listControl_->SetSite(listSite_.get());
  listControl_->SetBounds(lookupTemplate().list);
  listControl_->CreateControlWindow(270);
  auto sink = FunctionSink::create([this](DISPID id, std::span<VARIANT* const>) {
    if (id == activex::DISPID_DBLCLICK) guarded([&] { OnSelect(); });
  });
  listCookie_ = listControl_->Advise(sink.get());
}

template <class F>
void CQueryLookupDlg::guarded(F&& handler) {
  try {
    handler();
  } catch (const DispatchException& e) {
    services::messageBox(e.description, text::utf16ToUtf8(settings_.title), MB_OK | MB_ICONEXCLAMATION);
  } catch (const std::exception& e) {
    services::messageBox(e.what(), text::utf16ToUtf8(settings_.title), MB_OK | MB_ICONEXCLAMATION);
  }
}

Variant CQueryLookupDlg::listCall(DISPID id, std::vector<Arg> args) {
  return list_.invoke(id, DISPATCH_METHOD, args);
}

void CQueryLookupDlg::listPut(DISPID id, Arg value) {
  list_.invoke(id, DISPATCH_PROPERTYPUT, std::vector<Arg>{std::move(value)});
}

void CQueryLookupDlg::OnInitDialog() {
  setWindowTitle(q(settings_.title));
  listPut(lid::HideSelection, Arg(settings_.hideSelection));
  listPut(lid::MaxToDisplay, Arg(settings_.maxToDisplay));
  copyFontToList();
  listQueries();
  if (queryBox_->count() == 0) return;  // the box is shown and the dialog cancels
  if (!settings_.querySelection) {
    queryBox_->setEnabled(false);
    queryBox_->hide();
    queryLabel_->hide();
  }
  int found = queryBox_->findText(q(settings_.queryName), Qt::MatchFixedString);  // any case
  queryBox_->setCurrentIndex(found >= 0 ? found : 0);
  listPut(lid::HideId, Arg(settings_.hideId));
  guarded([&] { OnSelChangeQueryName(); });
  if (listControl_) {
    const QRect r = listControl_->Bounds();
    listControl_->SetBounds(QRect(r.topLeft(), QSize(metrics_.listWidth - 1, metrics_.listHeight - 1)));
  }
}

void CQueryLookupDlg::copyFontToList() {
  const QFont f = font();
  const Dispatch listFont(list_.invoke(activex::DISPID_FONT, DISPATCH_PROPERTYGET, {}).dispatch());
  const auto set = [&](DISPID id, Arg v) { listFont.invoke(id, DISPATCH_PROPERTYPUT, std::vector<Arg>{std::move(v)}); };
  set(kFontItalic, Arg(f.italic()));
  set(kFontStrikethrough, Arg(f.strikeOut()));
  set(kFontUnderline, Arg(f.underline()));
  set(kFontCharset, Arg(std::int16_t{0}));
  set(kFontWeight, Arg(static_cast<std::int16_t>(f.weight())));
  const int pixels = QFontInfo(f).pixelSize();
  const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
  set(kFontSize, Arg(CY{static_cast<std::int64_t>(pixels) * 720000 / dpi}));
  set(kFontName, Arg(f.family().toStdU16String()));
}

void CQueryLookupDlg::listQueries() {
  int rowsRead = 0, added = 0;
  try {
    database_ = backend().wrapFactory(settings_.factory.get());
    std::unique_ptr<Query> infos = database_->classQuery(u"%CompiledQuery", u"QueryInfo");
    infos->setParam(0, Variant(std::u16string_view(settings_.className)).raw());
    infos->execute();
    while (infos->next()) {
      ++rowsRead;
      const Variant value = infos->getData(1);
      VARIANT text;
      VariantInit(&text);
      // A name without a text form, or an empty one, is no query to offer.
      if (FAILED(VariantChangeType(&text, value.get(), 0, VT_BSTR))) continue;
      const QString name = QString::fromStdU16String(Variant::attach(text).toString());
      if (name.isEmpty()) continue;
      int at = 0;
      while (at < queryBox_->count() && queryBox_->itemText(at).compare(name, Qt::CaseInsensitive) <= 0) ++at;
      queryBox_->insertItem(at, name);
      ++added;
    }
  } catch (const std::exception&) {
    // Listing what it can is all the dialog does here; what failed is not shown.
  }
  if (added == 0) {
    services::messageBox(queryString(rowsRead == 0 ? QueryString::NoQueries : QueryString::NoIdQueries),
                         text::utf16ToUtf8(settings_.title), MB_OK | MB_ICONEXCLAMATION);
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
  }
}

void CQueryLookupDlg::OnSelChangeQueryName() {
  queryButton_->setEnabled(false);
  const QString text = queryBox_->currentText();
  if (text.isEmpty()) return;
  settings_.queryName = text.toStdU16String();
  {
    std::unique_ptr<Query> rs = database_->classQuery(settings_.className, settings_.queryName);
    int count = rs->paramCount();
    if (count > 10) {
      services::messageBox(queryString(QueryString::TooManyParams), text::utf16ToUtf8(settings_.title),
                           MB_OK | MB_ICONEXCLAMATION);
      count = 10;
    }
    count_ = std::max(count, 0);
    if (count_ > 0) {
      group_->resize(metrics_.groupWidth, metrics_.groupHeightFor(count_));
      group_->show();
      for (int i = 1; i <= count_; ++i) {
        names_[i - 1] = rs->paramName(static_cast<short>(i));
        arguments_[i - 1] = Variant(std::u16string_view(argumentTexts_[i - 1]));
        labels_[i - 1]->setText(q(names_[i - 1]));
        labels_[i - 1]->show();
        edits_[i - 1]->show();
      }
      for (int i = 0; i < 10; ++i) argumentTexts_[i] = edits_[i]->text().toStdU16String();
    } else {
      group_->hide();
    }
  }
  for (int i = count_ + 1; i <= 10; ++i) {
    labels_[i - 1]->hide();
    edits_[i - 1]->hide();
    names_[i - 1].clear();
    arguments_[i - 1] = Variant::missing();
  }
  heightNow_ = metrics_.dialogHeightFor(count_);
  setMinimumSize(0, 0);
  resize(metrics_.dialogWidth, heightNow_);
  setMinimumSize(metrics_.dialogWidth, heightNow_);  // the frame stops at the laid-out size
  clientWidth_ = width();
  clientHeight_ = height();
  listCall(lid::Clear);
  listControl_->SetBounds(metrics_.listRectFor(count_, clientWidth_));
  update();
  queryButton_->setEnabled(true);

  ComPtr<IDispatch> factory = settings_.factory;
  list_.invoke(lid::Factory, DISPATCH_PROPERTYPUT, std::vector<Arg>{Arg(factory.get())});
  listCall(lid::Clear);
  listCall(lid::ResultSet, {Arg(std::u16string_view(settings_.className)), Arg(std::u16string_view(settings_.queryName))});
  autoResizeColumns();
  if (settings_.runAtOnce)
    OnQuery();
  else
    selectButton_->setEnabled(false);
}

void CQueryLookupDlg::autoResizeColumns() {
  if (!settings_.autoResize) return;
  const std::int16_t columns = listCall(lid::GetColumnCount).toInt16();
  for (std::int16_t c = 1; c <= columns; ++c) listCall(lid::AutosizeColumnByHeader, {Arg(c)});
}

void CQueryLookupDlg::OnQuery() {
  listCall(lid::ClearData);
  std::vector<Arg> args;
  for (const Variant& a : arguments_) args.emplace_back(a);
  listCall(lid::Run, std::move(args));
  autoResizeColumns();
  selectButton_->setEnabled(listCall(lid::GetIndexCount).toInt32() != 0);
}

void CQueryLookupDlg::OnChangeArgument(int k) {
  for (int i = 0; i < 10; ++i) argumentTexts_[i] = edits_[i]->text().toStdU16String();
  arguments_[k - 1].clear();
  arguments_[k - 1] = Variant(std::u16string_view(argumentTexts_[k - 1]));
}

void CQueryLookupDlg::OnSelect() {
  const std::int32_t row = listCall(lid::GetSelectedIndex).toInt32();
  const std::int16_t column = listCall(lid::GetIdColumn).toInt16();
  // No selected row: the dialog ends as chosen, without an ID.
  if (row > 0 && column > 0) {
    const Variant id = listCall(lid::GetData, {Arg(row), Arg(column)});
    chosenId_ = id.toString();
  }
  accept();
}

void CQueryLookupDlg::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  const int w = e->size().width(), h = e->size().height();
  if (queryButton_)
    for (QPushButton* b : {queryButton_, cancelButton_, selectButton_})
      b->move(metrics_.buttonX(w, b->width()), b->y());
  if (listControl_ && clientHeight_ > 0) {
    const QRect r = listControl_->Bounds();
    listControl_->SetBounds(QRect(r.topLeft(), metrics_.listSizeOnResize(w, h, clientHeight_)));
  }
}

}  // namespace kesto::controls
