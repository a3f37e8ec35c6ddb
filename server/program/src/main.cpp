// kestoserver: the stand-in database server. Serves until SIGTERM or SIGINT.
#include <csignal>
#include <cstdio>
#include <iostream>

#include "ProgramOptions.h"
#include "commands/Catalog.h"
#include "demo/Seed.h"
#include "model/Database.h"
#include "net/Listener.h"
#include "objproto/Server.h"
#include "odbc/Refusal.h"
#include "odbc/Session.h"
#include "shm/SharedMemoryServer.h"

using namespace kesto::server;

namespace {

odbc::SessionOptions odbcSessionOptions(const program::ProgramOptions& options) {
  odbc::SessionOptions o;
  o.maxResultBytes = options.maxResultMiB << 20;
  return o;
}

// Started by the ODBC driver: one session over shared memory, then the program ends.
void serveSharedMemoryClient(const program::ProgramOptions& options, const sigset_t& stopSignals) {
  std::cout << "kestoserver: shared memory for namespace " << options.nameSpace << ", data in "
            << options.object.dataFolder.string() << std::endl;
  shm::SharedMemoryOptions service;
  service.session = [&](odbc::Link& link) {
    model::Database db(options.object.dataFolder);
    odbc::serveLink(link, db, odbcSessionOptions(options));
  };
  service.stopRequested = [&] {
    const timespec now{};
    return sigtimedwait(&stopSignals, nullptr, &now) > 0;
  };
  shm::serveSharedMemory(service);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << program::kUsage << '\n' << program::kOptions;
    return 0;
  }
  program::ProgramOptions options;
  try {
    options = program::parseOptions(args);
  } catch (const std::invalid_argument& e) {
    std::cerr << "kestoserver: " << e.what() << '\n' << program::kUsage;
    return 2;
  }

  // Block the stop signals in every thread; the main thread waits for one of them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  try {
    model::setDataFileLimit(static_cast<std::uint64_t>(options.maxDataMiB) * 1024 * 1024);
    model::setValueLimit(static_cast<std::uint64_t>(options.maxValueMiB) * 1024 * 1024);
    model::setLockWaitLimit(std::chrono::milliseconds(options.lockWaitMs));
    demo::prepareDataFolder(options.object.dataFolder, options.reset, options.seed);
    if (options.sharedMemory) {
      serveSharedMemoryClient(options, stopSignals);
      return 0;
    }
    objproto::ObjectServer server(options.object, commands::serverCatalog());
    server.start();
    // The ODBC protocol: each connection with its own connection to the data folder.
    const odbc::SessionOptions odbcOptions = odbcSessionOptions(options);
    const std::size_t cap = options.object.maxConnections;
    net::Listener odbcListener(
        [&](net::Connection& c) {
          model::Database db(options.object.dataFolder);
          odbc::serveConnection(c, db, odbcOptions);
        },
        [cap](net::Connection& c) { odbc::refuseConnection(c, cap); });
    odbcListener.start(objproto::listenOptions(options.object, options.odbcPort));
    std::cout << "kestoserver: object protocol on " << options.object.bindAddress << ":"
              << server.port() << ", ODBC on port " << odbcListener.port() << ", data in " << options.object.dataFolder.string() << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    std::cout << "kestoserver: stopping" << std::endl;
    odbcListener.stop();
    server.stop();
  } catch (const std::exception& e) {
    std::cerr << "kestoserver: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
