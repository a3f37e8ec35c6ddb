#include "Programmende.h"

#include "Fensterliste.h"
#include "Kestoapi.h"

#include <QSocketNotifier>
#include <QtGlobal>

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>

namespace vovida {

namespace {

constexpr std::array kSignale{SIGTERM, SIGHUP, SIGINT};

// The signal handler only writes into this pair; the event loop reads the other end.
int signalpaar[2] = {-1, -1};
QtMessageHandler vorigeAusgabe = nullptr;

void signalEmpfangen(int) {
  const int fehler = errno;
  const char zeichen = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalpaar[0], &zeichen, 1);
  errno = fehler;
}

void ordentlichBeenden() {
  if (programmEndet()) return;
  Ereignis([] {
    ServerTrennen();
    AlleFormulareEntladen();
  });
}

// The display is gone (the X server ended, as at logout): no window can be shown any more.
// The windows' data is kept as at every end of the program, then the process ends at once
// with 1: Qt would leave through exit(), which runs the destructors of static objects under
// windows that still refer to the lost display.
[[noreturn]] void anzeigeVerloren() {
  static bool schon = false;
  if (!schon) {
    schon = true;
    std::cerr << "vovida: Die Verbindung zur Anzeige ist abgebrochen; das Programm wird beendet.\n";
    try {
      AlleFormulareEntladen();
    } catch (...) {
      // ended: nothing more to do
    }
  }
  std::_Exit(1);
}

void meldungAusgeben(QtMsgType art, const QMessageLogContext& ort, const QString& text) {
  if (vorigeAusgabe) vorigeAusgabe(art, ort, text);
  // Qt's words when the X server went away.
  if (art == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke"))) anzeigeVerloren();
}

}  // namespace

Programmende::Programmende() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalpaar) != 0)
    throw std::runtime_error(std::string("Signalüberwachung nicht eingerichtet: ") + std::strerror(errno));
  vorigeAusgabe = qInstallMessageHandler(meldungAusgeben);
  signale_ = std::make_unique<QSocketNotifier>(signalpaar[1], QSocketNotifier::Read);
  QObject::connect(signale_.get(), &QSocketNotifier::activated, [] {
    char zeichen[16];
    while (::read(signalpaar[1], zeichen, sizeof zeichen) > 0) {
    }
    ordentlichBeenden();
  });
  struct sigaction aktion = {};
  aktion.sa_handler = signalEmpfangen;
  sigemptyset(&aktion.sa_mask);
  aktion.sa_flags = SA_RESTART;
  for (const int s : kSignale) ::sigaction(s, &aktion, nullptr);
}

Programmende::~Programmende() {
  for (const int s : kSignale) ::signal(s, SIG_DFL);
  signale_.reset();
  for (int& ende : signalpaar) {
    ::close(ende);
    ende = -1;
  }
  qInstallMessageHandler(vorigeAusgabe);
  vorigeAusgabe = nullptr;
}

}  // namespace vovida
