#include "ControlsWindow.h"

#include <activex/control/PropertyPageDialog.h>
#include <automation/Activation.h>
#include <automation/EventSink.h>
#include <services/MessageBox.h>
#include <services/Paths.h>

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QVBoxLayout>

namespace kesto::controls::demo {

using namespace automation;

namespace {

// Keeps a hosted control's window the size of its place in the form.
class ControlPlace final : public QWidget {
 public:
  explicit ControlPlace(QWidget* parent) : QWidget(parent) {}
  activex::IControl* control = nullptr;
  bool fixed = false;  // the control keeps its own size

 protected:
  void resizeEvent(QResizeEvent* e) override {
    if (control && !fixed) control->SetBounds(QRect(QPoint(0, 0), e->size()));
  }
};

QPushButton* button(const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(text);
  return b;
}

QString eventName(DISPID id) {
  switch (id) {
    case activex::DISPID_CLICK: return QStringLiteral("Click");
    case activex::DISPID_DBLCLICK: return QStringLiteral("DblClick");
    case activex::DISPID_KEYDOWN: return QStringLiteral("KeyDown");
    case activex::DISPID_KEYUP: return QStringLiteral("KeyUp");
    default: return QStringLiteral("Ereignis %1").arg(id);
  }
}

}  // namespace

ControlsWindow::ControlsWindow() {
  setObjectName(QStringLiteral("kestocontrols"));
  setWindowTitle(QStringLiteral("Kesto-Steuerelemente"));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildFactoryRow());
  layout->addWidget(buildQueryRows());
  auto* split = new QSplitter(Qt::Vertical, central);
  split->addWidget(buildControls());
  log_ = new QPlainTextEdit(split);
  log_->setObjectName(QStringLiteral("eventLog"));
  log_->setReadOnly(true);
  log_->setMaximumBlockCount(2000);
  split->addWidget(log_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);
  setCentralWidget(central);
  resize(900, 720);
}

ControlsWindow::~ControlsWindow() {
  for (auto* control : {listControl_.get(), queryControl_.get()})
    if (control) {
      control->DestroyControlWindow();
      control->SetSite(nullptr);
    }
}

QWidget* ControlsWindow::buildFactoryRow() {
  auto* box = new QGroupBox(QStringLiteral("Factory (Demo-Anmeldung)"), this);
  auto* row = new QHBoxLayout(box);
  server_ = new QLineEdit(QStringLiteral("127.0.0.1"), box);
  port_ = new QLineEdit(QStringLiteral("1973"), box);
  port_->setMaximumWidth(70);
  auto* connect = button(QStringLiteral("Verbinden"), box);
  status_ = new QLabel(QStringLiteral("nicht verbunden"), box);
  status_->setObjectName(QStringLiteral("status"));
  row->addWidget(new QLabel(QStringLiteral("Server"), box));
  row->addWidget(server_);
  row->addWidget(new QLabel(QStringLiteral("Port"), box));
  row->addWidget(port_);
  row->addWidget(connect);
  row->addWidget(status_, 1);
  QObject::connect(connect, &QPushButton::clicked, this, [this] { connectFactory(); });
  return box;
}

QWidget* ControlsWindow::buildQueryRows() {
  auto* box = new QGroupBox(QStringLiteral("Abfrage"), this);
  auto* grid = new QGridLayout(box);
  className_ = new QLineEdit(QStringLiteral("FRX.ArtHaupt1"), box);
  queryName_ = new QLineEdit(QStringLiteral("NachKurzbezeichnung"), box);
  sql_ = new QLineEdit(QStringLiteral("SELECT ID, ArtNr, Bez1, VK FROM FRX.ArtHaupt1 ORDER BY ArtNr"), box);
  auto* prepare = button(QStringLiteral("ResultSet"), box);
  auto* dynamic = button(QStringLiteral("DynamicSQL"), box);
  grid->addWidget(new QLabel(QStringLiteral("Klasse"), box), 0, 0);
  grid->addWidget(className_, 0, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Abfrage"), box), 0, 4);
  grid->addWidget(queryName_, 0, 5, 1, 4);
  grid->addWidget(prepare, 0, 9, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("SQL"), box), 1, 0);
  grid->addWidget(sql_, 1, 1, 1, 8);
  grid->addWidget(dynamic, 1, 9, 1, 2);
  for (int k = 0; k < 10; ++k) {
    params_[k] = new QLineEdit(box);
    params_[k]->setObjectName(QStringLiteral("Param%1").arg(k));
    params_[k]->setPlaceholderText(QStringLiteral("Param%1").arg(k));
    grid->addWidget(params_[k], 2, k);
  }
  params_[0]->setText(QStringLiteral("1"));
  params_[1]->setText(QStringLiteral("ZEM"));
  auto* run = button(QStringLiteral("Run"), box);
  grid->addWidget(run, 2, 10);
  QObject::connect(prepare, &QPushButton::clicked, this, [this] { prepareQuery(); });
  QObject::connect(dynamic, &QPushButton::clicked, this, [this] { prepareSql(); });
  QObject::connect(run, &QPushButton::clicked, this, [this] { runQuery(); });
  return box;
}

QWidget* ControlsWindow::buildControls() {
  auto* area = new QWidget(this);
  auto* row = new QHBoxLayout(area);
  auto* listPlace = new ControlPlace(area);
  listPlace->setObjectName(QStringLiteral("KestoList1"));
  listPlace->setMinimumSize(400, 220);
  listHost_ = listPlace;
  row->addWidget(listPlace, 1);

  auto* side = new QVBoxLayout;
  auto* queryPlace = new ControlPlace(area);
  queryPlace->setObjectName(QStringLiteral("KestoQuery1"));
  queryPlace->setFixedSize(32, 32);  // the lookup control shows a 32 x 32 picture
  queryPlace->fixed = true;
  queryHost_ = queryPlace;
  auto* find = button(QStringLiteral("FindId"), area);
  foundId_ = new QLabel(QStringLiteral("ID: (null)"), area);
  foundId_->setObjectName(QStringLiteral("foundId"));
  designMode_ = new QCheckBox(QStringLiteral("Entwurfsmodus"), area);
  designMode_->setObjectName(QStringLiteral("designMode"));
  auto* listPages = button(QStringLiteral("Eigenschaften KestoList"), area);
  auto* queryPages = button(QStringLiteral("Eigenschaften KestoQuery"), area);
  auto* save = button(QStringLiteral("Eigenschaften speichern"), area);
  auto* load = button(QStringLiteral("Eigenschaften laden"), area);
  auto* clear = button(QStringLiteral("Clear"), area);
  auto* about = button(QStringLiteral("Info"), area);
  for (QWidget* w : std::initializer_list<QWidget*>{queryPlace, find, foundId_, designMode_, listPages,
                                                     queryPages, save, load, clear, about})
    side->addWidget(w);
  side->addStretch(1);
  row->addLayout(side);

  // The controls, made by their registered names as any host makes them.
  guarded([&] {
    list_ = Dispatch(createObject("KESTOLIST.KestoListCtrl.1"));
    listControl_ = ComPtr<IDispatch>(list_.object()).as<activex::IControl>();
    listSite_ = std::make_unique<activex::SimpleSite>(true, u"KestoList1", listPlace);
    listControl_->SetSite(listSite_.get());
    listControl_->SetBounds(QRect(0, 0, 400, 220));
    listControl_->CreateControlWindow(1);
    listPlace->control = listControl_.get();
    auto sink = FunctionSink::create([this](DISPID id, std::span<VARIANT* const> args) {
      QString line = eventName(id);
      if (args.size() == 2)
        line += QStringLiteral(" KeyCode=%1 Shift=%2")
                    .arg(Variant(*args[0]).toInt16())
                    .arg(Variant(*args[1]).toInt16());
      log(line);
    });
    listControl_->Advise(sink.get());

    query_ = Dispatch(createObject("KESTOQUERY.KestoQueryCtrl.1"));
    queryControl_ = ComPtr<IDispatch>(query_.object()).as<activex::IControl>();
    querySite_ = std::make_unique<activex::SimpleSite>(true, u"KestoQuery1", queryPlace);
    queryControl_->SetSite(querySite_.get());
    queryControl_->CreateControlWindow(2);
    queryPlace->control = queryControl_.get();
  });

  QObject::connect(find, &QPushButton::clicked, this, [this] { findId(); });
  QObject::connect(designMode_, &QCheckBox::toggled, this, [this](bool on) { setDesignMode(on); });
  QObject::connect(listPages, &QPushButton::clicked, this, [this] { showPages(true); });
  QObject::connect(queryPages, &QPushButton::clicked, this, [this] { showPages(false); });
  QObject::connect(save, &QPushButton::clicked, this, [this] { saveProperties(); });
  QObject::connect(load, &QPushButton::clicked, this, [this] { loadProperties(); });
  QObject::connect(clear, &QPushButton::clicked, this, [this] { guarded([&] { list_.call("Clear"); }); });
  QObject::connect(about, &QPushButton::clicked, this, [this] { guarded([&] { list_.call("AboutBox"); }); });
  return area;
}

template <class F>
void ControlsWindow::guarded(F&& action) {
  try {
    action();
  } catch (const DispatchException& e) {
    log(QStringLiteral("Fehler %1: %2").arg(e.code).arg(QString::fromStdString(e.description)));
    services::messageBox(e.description, "kestocontrols", MB_OK | MB_ICONEXCLAMATION);
  } catch (const std::exception& e) {
    log(QStringLiteral("Fehler: %1").arg(QString::fromUtf8(e.what())));
    services::messageBox(e.what(), "kestocontrols", MB_OK | MB_ICONEXCLAMATION);
  }
}

void ControlsWindow::log(const QString& line) { log_->appendPlainText(line); }

void ControlsWindow::setPort(const QString& port) { port_->setText(port); }

bool ControlsWindow::connectFactory() {
  bool connected = false;
  guarded([&] {
    factory_ = Dispatch::create("KestoObject.Factory");
    const std::string text = "cn_iptcp:" + server_->text().toStdString() + "[" + port_->text().toStdString() + "]:Ferrix";
    connected = factory_.call("Connect", text).toBool();
    status_->setText(connected ? QStringLiteral("verbunden: %1").arg(QString::fromStdString(text))
                               : QStringLiteral("nicht verbunden"));
    if (!connected) return;
    list_.put("Factory", Arg(factory_.object()));
    query_.put("Factory", Arg(factory_.object()));
    log(QStringLiteral("Factory verbunden"));
  });
  return connected;
}

void ControlsWindow::prepareQuery() {
  guarded([&] {
    list_.call("Clear");
    const bool ok = list_.call("ResultSet", className_->text().toStdU16String(), queryName_->text().toStdU16String()).toBool();
    log(QStringLiteral("ResultSet: %1").arg(ok ? "TRUE" : "FALSE"));
  });
}

void ControlsWindow::prepareSql() {
  guarded([&] {
    list_.call("Clear");
    const bool ok = list_.call("DynamicSQL", sql_->text().toStdU16String()).toBool();
    log(QStringLiteral("DynamicSQL: %1").arg(ok ? "TRUE" : "FALSE"));
  });
}

void ControlsWindow::runQuery() {
  guarded([&] {
    list_.call("ClearData");
    std::vector<Arg> args;
    for (QLineEdit* p : params_) {
      if (p->text().isEmpty()) break;  // the first empty field ends the arguments
      args.emplace_back(p->text().toStdU16String());
    }
    list_.invoke(list_.idOf("Run"), DISPATCH_METHOD, args);
    log(QStringLiteral("Run: %1 Zeilen").arg(list_.call("GetIndexCount").toInt32()));
  });
}

void ControlsWindow::findId() {
  guarded([&] {
    if (query_.get("ClassName").toString().empty()) query_.put("ClassName", Arg(className_->text().toStdU16String()));
    if (query_.get("QueryName").toString().empty()) query_.put("QueryName", Arg(queryName_->text().toStdU16String()));
    for (int k = 0; k < 10; ++k)
      if (!params_[k]->text().isEmpty())
        query_.call("SetParam", static_cast<std::int16_t>(k + 1), params_[k]->text().toStdU16String());
    const Variant id = query_.call("FindId");
    const QString text = id.raw().vt == VT_BSTR && id.raw().bstrVal ? QString::fromStdU16String(id.toString())
                                                                    : QStringLiteral("(null)");
    foundId_->setText(QStringLiteral("ID: ") + text);
    log(QStringLiteral("FindId: ") + text);
  });
}

void ControlsWindow::setDesignMode(bool on) {
  guarded([&] {
    listSite_->setUserMode(!on);
    querySite_->setUserMode(!on);
    listControl_->AmbientChanged();
    queryControl_->AmbientChanged();
    log(on ? QStringLiteral("Entwurfsmodus") : QStringLiteral("Ausführungsmodus"));
  });
}

std::filesystem::path ControlsWindow::bagFile(const char* control) const {
  return services::rootFolder() / (std::string("kestocontrols-") + control + ".json");
}

void ControlsWindow::saveProperties() {
  guarded([&] {
    for (auto [control, name] : {std::pair{listControl_.get(), "KestoList1"}, std::pair{queryControl_.get(), "KestoQuery1"}}) {
      PropertyBag bag;
      control->Save(bag);
      std::filesystem::create_directories(bagFile(name).parent_path());
      bag.save(bagFile(name));
      log(QStringLiteral("gespeichert: %1").arg(QString::fromStdString(bagFile(name).string())));
    }
  });
}

void ControlsWindow::loadProperties() {
  guarded([&] {
    for (auto [control, name] : {std::pair{listControl_.get(), "KestoList1"}, std::pair{queryControl_.get(), "KestoQuery1"}}) {
      PropertyBag bag = PropertyBag::load(bagFile(name));
      control->Load(bag);
      log(QStringLiteral("geladen: %1").arg(QString::fromStdString(bagFile(name).string())));
    }
  });
}

void ControlsWindow::showPages(bool list) {
  guarded([&] {
    activex::IControl* control = list ? listControl_.get() : queryControl_.get();
    activex::PropertyPageDialog pages((list ? list_ : query_).object(), control->PropertyPages(), this);
    pages.setWindowTitle(list ? QStringLiteral("KestoList1 Eigenschaften") : QStringLiteral("KestoQuery1 Eigenschaften"));
    pages.exec();
  });
}

}  // namespace kesto::controls::demo
