// The windows of the application: each exists once, is created on first use, and can be
// unloaded; unloading all of them ends the program. Window handlers run through
// Ereignis(), and modal windows are shown through a port that tests script.
#pragma once

#include "Platzierung.h"

#include <QString>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vovida {

// A window with unload behaviour: the window list runs it once when it unloads the window.
class Entladbar {
 public:
  virtual ~Entladbar() = default;
  virtual void Form_Unload() = 0;
};

class Fensterliste {
 public:
  // The window of type T (T::kName is its name), created when it is not loaded.
  template <class T>
  T& holen() {
    if (QWidget* w = finden(T::kName)) return static_cast<T&>(*w);
    auto neu = std::make_unique<T>();
    T& fenster = *neu;
    eintragen(T::kName, std::move(neu));
    return fenster;
  }
  template <class T>
  bool geladen() const { return finden(T::kName) != nullptr; }
  template <class T>
  void entladen() { entladen(T::kName); }

  // Takes the window off the list, runs its Form_Unload (an Entladbar) once, then lets it
  // go. Unloading a window that is not loaded, or again from its own Form_Unload, does
  // nothing.
  void entladen(const char* name);
  void alleEntladen();  // from the last loaded to the first

 private:
  QWidget* finden(const char* name) const;
  void eintragen(const char* name, std::unique_ptr<QWidget> fenster);

  struct Eintrag {
    std::string name;
    std::unique_ptr<QWidget> fenster;
  };
  std::vector<Eintrag> eintraege_;
};

Fensterliste& fensterliste();

// The loaded window T; when it was not loaded it is created and its Form_Load runs, so
// that a layout reading a closed editor finds a loaded one.
template <class T>
T& FormHolen() {
  const bool neu = !fensterliste().geladen<T>();
  T& fenster = fensterliste().holen<T>();
  if (neu) fenster.Form_Load();
  return fenster;
}

// Shows T (through FormHolen) modeless, kept in front of its owner (Zuordnen) without
// being its child: the window list owns it.
template <class T>
T& FormZeigen(QWidget* besitzer) {
  T& fenster = FormHolen<T>();
  Zuordnen(fenster, besitzer);
  fenster.show();
  fenster.raise();
  return fenster;
}

// Unloads every window and ends the program (through the program-end port). What must
// outlive the run is stored first (ProgrammendeSichern).
[[noreturn]] void AlleFormulareEntladen();
// What must be stored when the program ends, however it ends. A step registered again
// under its name replaces the one before; ProgrammendeSichern runs every step, each on its
// own, so that one that fails keeps none of the others from storing.
using Sicherung = std::function<void()>;
void BeimProgrammende(const std::string& name, Sicherung sichern);
void ProgrammendeSichern();
// True once the program is ending; modal loops left by that end do not go on.
bool programmEndet();
void programmendeZuruecksetzen();  // tests

// Shows the window modally: the default runs its own event loop until it is hidden; tests
// install a script that acts on the window instead.
using ModalAnzeige = std::function<void(QWidget& fenster)>;
void ModalZeigen(QWidget& fenster);
void setModalAnzeige(ModalAnzeige anzeige);

// Runs a window handler: the end of the program stops it quietly, any other error is
// reported in a box instead of leaving through the event loop.
void Ereignis(const std::function<void()>& handler);

}  // namespace vovida
