#include "Umgebung.h"

#include "Anmeldung.h"
#include "FMPass.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "Schildarten.h"
#include "Schriftdefinitionen.h"
#include "Startglobale.h"

#include <QApplication>
#include <QLineEdit>

#include <automation/Activation.h>
#include <commands/Catalog.h>
#include <demo/Seed.h>
#include <objproto/Server.h>
#include <registry/Settings.h>
#include <services/Cursor.h>

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

namespace vovida::test {

std::chrono::milliseconds TestUhr::now() const {
  if (laufend) jetzt_ += std::chrono::milliseconds(10);
  return jetzt_;
}

void TestUhr::weiter(std::chrono::milliseconds um) { jetzt_ += um; }

struct Umgebung::Server {
  std::filesystem::path ordner;
  std::unique_ptr<kesto::server::objproto::ObjectServer> server;
  ~Server() {
    if (server) server->stop();
    std::error_code ec;
    std::filesystem::remove_all(ordner, ec);
  }
};

namespace {

void bibliothekRegistrieren() {
  void* h = dlopen(KESTO_OBJECT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(h, nullptr) << dlerror();
  auto anmelden = reinterpret_cast<DllRegisterServerFn>(dlsym(h, "DllRegisterServer"));
  ASSERT_NE(anmelden, nullptr);
  ASSERT_EQ(anmelden(), S_OK);
}

}  // namespace

void Umgebung::SetUp() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fenster_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;

  boxen = std::make_shared<kesto::services::ScriptedMessageBox>();
  kesto::services::setMessageBoxPort(boxen);
  programm = std::make_shared<kesto::services::RecordingProgram>();
  kesto::services::setProgramPort(programm);
  uhr = std::make_shared<TestUhr>();
  kesto::services::setTimerService(std::make_shared<kesto::services::TimerService>(uhr));
  kesto::services::setCursorPort(nullptr);
  kesto::registry::DeleteSetting("Kesto Login");
  kesto::registry::DeleteSetting("Vovida");

  kestoapiZuruecksetzen();
  startglobaleZuruecksetzen();
  Schriftdefinitionen().leeren();
  SchildartenLeeren();
  programmendeZuruecksetzen();
  ShellEinrichten();
  setFabrikErzeuger([this] {
    ++fabriken;
    return kesto::automation::Dispatch::create("KestoObject.Factory");
  });
  setModalAnzeige([this](QWidget& fenster) {
    modalGezeigt.push_back(fenster.objectName().toStdString());
    if (modalSkript.empty()) {
      fenster.hide();
      return;
    }
    auto schritt = modalSkript.front();
    modalSkript.erase(modalSkript.begin());
    schritt(fenster);
  });
  bibliothekRegistrieren();
}

void Umgebung::TearDown() {
  ServerTrennen();
  kestoapiZuruecksetzen();
  fensterliste().alleEntladen();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  setModalAnzeige(nullptr);
  server_.reset();
  kesto::services::setTimerService(nullptr);
  kesto::services::setMessageBoxPort(nullptr);
  kesto::services::setProgramPort(nullptr);
}

void Umgebung::serverStarten(bool abweisen, const char* benutzer) {
  static std::atomic<int> zaehler{0};
  server_ = std::make_shared<Server>();
  server_->ordner = std::filesystem::temp_directory_path() /
                    ("vovida-" + std::to_string(::getpid()) + "-" + std::to_string(zaehler++));
  // The demo pictures ("FIRMENLOGO") beside the data, as the server's --demo-files does.
  kesto::server::demo::SeedOptions saat;
  saat.demoFolder = (server_->ordner / "demo").string();
  saat.today = "2024-03-15";  // the promotion days do not follow the real date
  kesto::server::demo::prepareDataFolder(server_->ordner / "daten", true, saat);
  kesto::server::objproto::ServerOptions optionen;
  optionen.port = 0;
  optionen.dataFolder = server_->ordner / "daten";
  optionen.refuseConnections = abweisen;
  server_->server = std::make_unique<kesto::server::objproto::ObjectServer>(optionen, kesto::server::commands::serverCatalog());
  server_->server->start();
  kesto::registry::SaveSetting("Kesto Login", "Login", "Server", "127.0.0.1");
  kesto::registry::SaveSetting("Kesto Login", "Login", "Port", std::to_string(server_->server->port()));
  kesto::registry::SaveSetting("Kesto Login", "Login", "Name", benutzer);
}

void Umgebung::serverAnhalten() {
  if (server_ && server_->server) server_->server->stop();
}

void Umgebung::anmeldungSkript(const QString& benutzer, const QString& passwort) {
  modalSkript.push_back([benutzer, passwort](QWidget& fenster) {
    auto& pass = dynamic_cast<FMPass&>(fenster);
    pass.BUSER->setText(benutzer);
    pass.BPASSWORT->setText(passwort);
    pass.BUSpeich_Click();
  });
}

std::vector<std::string> Umgebung::boxTexte() const {
  std::vector<std::string> texte;
  for (const auto& b : boxen->shown()) texte.push_back(b.text);
  return texte;
}

void Umgebung::zeitVergeht(std::chrono::milliseconds um) {
  uhr->weiter(um);
  kesto::services::timers().runDue();
}

bool Umgebung::verbunden() const {
  const auto& fabrik = kestoapi().FactoryObjekt;
  if (!fabrik) return false;
  return fabrik.invoke(10, DISPATCH_METHOD, {}).toBool();
}

}  // namespace vovida::test

// fontconfig keeps caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\n";
}
