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
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Qt's display connection reports its loss with this warning and then calls exit(), which
// would run the destructors of static objects under windows that still exist. Nothing of
// that is needed: the store is written as the user works, and the last steps here.
void meldungAusgeben(QtMsgType art, const QMessageLogContext& ort, const QString& text) {
  if (art == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke"))) {
    ProgrammendeSichern();
    std::fprintf(stderr, "vovida: Die Verbindung zur Anzeige ist abgerissen (%s). Vovida wird beendet.\n",
                 qPrintable(text));
    std::fflush(stderr);
    std::_Exit(0);
  }
  if (vorigeAusgabe) vorigeAusgabe(art, ort, text);
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
