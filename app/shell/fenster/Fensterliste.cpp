#include "Fensterliste.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>

#include <services/MessageBox.h>
#include <services/Program.h>

#include <iostream>
#include <utility>
#include <vector>

namespace vovida {

namespace {

bool& endet() {
  static bool e = false;
  return e;
}

std::vector<std::pair<std::string, Sicherung>>& sicherungen() {
  static std::vector<std::pair<std::string, Sicherung>> s;
  return s;
}

ModalAnzeige& modalAnzeige() {
  static ModalAnzeige a;
  return a;
}

// Ends when the window is hidden or destroyed.
class Verborgen : public QObject {
 public:
  explicit Verborgen(QEventLoop& schleife) : schleife_(schleife) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Hide || e->type() == QEvent::Close) schleife_.quit();
    return false;
  }

 private:
  QEventLoop& schleife_;
};

void eigeneSchleife(QWidget& fenster) {
  QPointer<QWidget> w(&fenster);
  const Qt::WindowModality vorher = fenster.windowModality();
  fenster.setWindowModality(Qt::ApplicationModal);
  QEventLoop schleife;
  Verborgen filter(schleife);
  fenster.installEventFilter(&filter);
  QObject::connect(&fenster, &QObject::destroyed, &schleife, &QEventLoop::quit);
  fenster.show();
  fenster.raise();
  fenster.activateWindow();
  if (fenster.isVisible()) schleife.exec();
  if (w) {
    w->removeEventFilter(&filter);
    w->setWindowModality(vorher);
  }
}

}  // namespace

QWidget* Fensterliste::finden(const char* name) const {
  for (const Eintrag& e : eintraege_)
    if (e.name == name) return e.fenster.get();
  return nullptr;
}

void Fensterliste::eintragen(const char* name, std::unique_ptr<QWidget> fenster) {
  fenster->setObjectName(QString::fromUtf8(name));
  eintraege_.push_back({name, std::move(fenster)});
}

void Fensterliste::entladen(const char* name) {
  for (auto it = eintraege_.begin(); it != eintraege_.end(); ++it) {
    if (it->name != name) continue;
    std::unique_ptr<QWidget> fenster = std::move(it->fenster);
    eintraege_.erase(it);
    // Off the list first, so that the unload behaviour runs once even when it closes the
    // window itself; the window goes even when that behaviour raises.
    struct Loslassen {
      std::unique_ptr<QWidget>& f;
      ~Loslassen() {
        f->hide();
        // A handler of the window may still be running: it goes once control is back.
        f.release()->deleteLater();
      }
    } loslassen{fenster};
    if (auto* entladbar = dynamic_cast<Entladbar*>(fenster.get())) entladbar->Form_Unload();
    return;
  }
}

void Fensterliste::alleEntladen() {
  while (!eintraege_.empty()) entladen(eintraege_.back().name.c_str());
}

Fensterliste& fensterliste() {
  static Fensterliste liste;
  return liste;
}

void BeimProgrammende(const std::string& name, Sicherung sichern) {
  for (auto& [n, s] : sicherungen())
    if (n == name) {
      s = std::move(sichern);
      return;
    }
  sicherungen().emplace_back(name, std::move(sichern));
}

void ProgrammendeSichern() {
  for (const auto& [name, sichern] : sicherungen()) {
    try {
      sichern();
    } catch (const std::exception& e) {
      std::cerr << "vovida: " << name << " beim Programmende nicht gespeichert: " << e.what() << '\n';
    }
  }
}

void AlleFormulareEntladen() {
  endet() = true;
  ProgrammendeSichern();
  fensterliste().alleEntladen();
  kesto::services::endProgram(0);
  // A port that returns does not end the program; nothing after the end may run.
  throw kesto::services::ProgramEnded(0);
}

bool programmEndet() { return endet(); }
void programmendeZuruecksetzen() { endet() = false; }

void ModalZeigen(QWidget& fenster) {
  if (modalAnzeige())
    modalAnzeige()(fenster);
  else
    eigeneSchleife(fenster);
  if (programmEndet()) throw kesto::services::ProgramEnded(0);
}

void setModalAnzeige(ModalAnzeige anzeige) { modalAnzeige() = std::move(anzeige); }

void Ereignis(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const kesto::services::ProgramEnded&) {
    // the event loops are already told to end
  } catch (const std::exception& e) {
    kesto::services::messageBox(e.what(), "Vovida", MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace vovida
