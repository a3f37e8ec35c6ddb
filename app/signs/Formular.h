// How the sign modules reach their windows: each exists once in the window list, and a
// window created on first use has run its Form_Load before anyone reads it, so that a
// layout reading a closed editor finds a loaded one.
#pragma once

#include "Fensterliste.h"

#include <QWidget>
#include <QWindow>

namespace vovida {

// The loaded window T; when it was not loaded it is created and its Form_Load runs.
template <class T>
T& FormHolen() {
  const bool neu = !fensterliste().geladen<T>();
  T& fenster = fensterliste().holen<T>();
  if (neu) fenster.Form_Load();
  return fenster;
}

// Shows T modeless, kept in front of its owner (the main window) without being owned by
// it: the window list owns it.
template <class T>
T& FormZeigen(QWidget* besitzer) {
  T& fenster = FormHolen<T>();
  fenster.winId();
  if (besitzer && besitzer->window()->windowHandle())
    fenster.windowHandle()->setTransientParent(besitzer->window()->windowHandle());
  fenster.show();
  fenster.raise();
  return fenster;
}

}  // namespace vovida
