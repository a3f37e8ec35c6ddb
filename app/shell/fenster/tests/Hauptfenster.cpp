#include "Hauptfenster.h"

#include "Fensterliste.h"
#include "Schildarten.h"
#include "Schildfenster.h"

#include <registry/Settings.h>

#include <algorithm>
#include <string>

namespace vovida::test {

namespace {

std::vector<std::string> texte(const kesto::activex::Page& seite) {
  std::vector<std::string> t;
  for (const kesto::activex::DrawOp& op : seite.ops) {
    if (const auto* text = std::get_if<kesto::activex::TextOp>(&op)) t.push_back(text->text);
    if (const auto* box = std::get_if<kesto::activex::TextBoxOp>(&op)) t.push_back(box->text);
  }
  return t;
}

}  // namespace

void AufgezeichneterDrucker::print(std::span<const kesto::activex::Page> seiten, const std::string& name) {
  std::vector<int> nummern;
  const auto vorschau = vorschau_.pages();
  for (const kesto::activex::Page& seite : seiten) {
    const auto gleich = std::find_if(vorschau.begin(), vorschau.end(), [&](const kesto::activex::Page& p) {
      return p.ops.size() == seite.ops.size() && texte(p) == texte(seite);
    });
    nummern.push_back(gleich == vorschau.end() ? 0 : static_cast<int>(gleich - vorschau.begin()) + 1);
    gedruckt.push_back(seite);
  }
  auftraege.push_back(nummern);
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
