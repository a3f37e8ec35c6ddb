#include "Hauptfenster.h"

#include "Fensterliste.h"
#include "Schildarten.h"
#include "Schildfenster.h"

#include <registry/Settings.h>

namespace vovida::test {

void AufgezeichneterDrucker::print(std::span<const kesto::activex::Page> seiten, const std::string& name) {
  const int erste = static_cast<int>(seiten.data() - vorschau_.pages().data()) + 1;
  auftraege.emplace_back(erste, erste + static_cast<int>(seiten.size()) - 1);
  if (wirklichDrucken) QtPrintPort::print(seiten, name);
}

bool AufgezeichneterDrucker::runDialog(QPrinter&) {
  ++dialoge;
  return dialogAntwort;
}

void Hauptfenster::SetUp() {
  Umgebung::SetUp();
  SchildfensterLeeren();
}

void Hauptfenster::TearDown() {
  if (fensterliste().geladen<FMStart>()) start().VSPrinter1.setPrintPort(nullptr);
  SchildfensterLeeren();
  Umgebung::TearDown();
}

FMStart& Hauptfenster::start() { return fensterliste().holen<FMStart>(); }

void Hauptfenster::schildart(const QString& code, const QStringList& artikel) {
  listen_[code] = artikel;
  SchildartDienste dienste;
  dienste.zeichnen = [this, code] {
    ++gezeichnet;
    auto& p = start().VSPrinter1;
    p.StartDoc();
    for (qsizetype i = 0; i < listen_[code].size(); ++i) {
      if (i > 0) p.NewPage();
      p.Text(listen_[code][i].toStdString());
    }
    p.EndDoc();
  };
  SchildartEintragen(code, dienste);
  Schildfenster fenster;
  fenster.ArtNr = [this, code] { return listen_[code]; };
  fenster.artikelZeigen = [this](const QString& nr) { gezeigteArtikel.push_back(nr); };
  SchildfensterEintragen(code, fenster);
}

void Hauptfenster::anmelden(const char* plakatart) {
  serverStarten();
  kesto::registry::SaveSetting("Vovida", "Einstellungen", "Plakatart", plakatart);
  anmeldungSkript(QStringLiteral("DEMO"), QStringLiteral("demo"));
  start().Form_Load();
  drucker = std::make_unique<AufgezeichneterDrucker>(start().VSPrinter1);
  start().VSPrinter1.setPrintPort(drucker.get());
}

}  // namespace vovida::test
