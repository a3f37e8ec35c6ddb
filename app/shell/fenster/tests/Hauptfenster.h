// A main window logged in against the demo server, with stand-in sign modules for the
// sign kinds the tests choose: each draws one page per article of its list, and a
// printer port that records the print jobs and answers the print dialog as told.
#pragma once

#include "Umgebung.h"

#include "FMStart.h"

#include <QStringList>

#include <activex/QtPrintPort.h>

#include <span>
#include <vector>

namespace vovida::test {

class AufgezeichneterDrucker final : public kesto::activex::QtPrintPort {
 public:
  explicit AufgezeichneterDrucker(const kesto::activex::VSPrinter& vorschau) : vorschau_(vorschau) {}
  void print(std::span<const kesto::activex::Page> seiten, const std::string& drucker) override;

  bool dialogAntwort = true;
  int dialoge = 0;
  bool wirklichDrucken = false;  // through Qt, e.g. into a PDF file
  // The preview's page numbers of each job; a printed page is known by its texts.
  std::vector<std::vector<int>> auftraege;
  std::vector<kesto::activex::Page> gedruckt;  // every page sent, in order

 protected:
  bool runDialog(QPrinter& drucker) override;

 private:
  const kesto::activex::VSPrinter& vorschau_;
};

class Hauptfenster : public Umgebung {
 protected:
  void SetUp() override;
  void TearDown() override;

  FMStart& start();
  // Registers a stand-in module for the code: its article list and its layout.
  void schildart(const QString& code, const QStringList& artikel);
  // Logs in and runs the start-up with the kind saved as the one to start with.
  void anmelden(const char* plakatart = "A4N");

  int gezeichnet = 0;
  std::vector<QString> gezeigteArtikel;
  std::unique_ptr<AufgezeichneterDrucker> drucker;

 private:
  std::map<QString, QStringList> listen_;
};

}  // namespace vovida::test
