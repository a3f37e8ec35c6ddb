#include "ProgramOptions.h"

#include <arpa/inet.h>

#include <charconv>
#include <stdexcept>

#include "services/Paths.h"

namespace kesto::server::program {

const char* const kUsage =
    "usage: kestoserver [--object-port N] [--odbc-port N] [--bind ADDRESS] [--allow-remote]\n"
    "                   [--data DIR] [--demo-files DIR] [--reset] [--unicode-object 1|0]\n"
    "                   [--max-describe-bytes N] [--max-fetch-bytes N] [--fetch-rows N]\n"
    "                   [--max-g-answer-bytes N] [--fail-at N] [--drop-at N] [--refuse]\n"
    "                   [--diagnostics] [--test-classes] [--max-data-mb N]\n"
    "                   [--max-connections N] [--stall-ms N] [--login-ms N] [--lock-wait-ms N]\n"
    "                   [--max-value-mb N] [--max-result-mb N]\n"
    "       kestoserver -s<data dir> -U<namespace> SharedMemory^%qserver\n";

const char* const kSharedMemoryRoutine = "SharedMemory^%qserver";

const char* const kOptions =
    "  --object-port N          port of the object protocol (default 1973; 0 = any free port)\n"
    "  --odbc-port N            port of the ODBC protocol (default 1972; 0 = any free port)\n"
    "  --bind ADDRESS           address both protocols listen on (default 127.0.0.1)\n"
    "  --allow-remote           lets --bind name an address that is not loopback\n"
    "  --data DIR               data folder (default $KESTO_ROOT/server)\n"
    "  --demo-files DIR         where the demo pictures and rich texts are written (default $KESTO_ROOT/demo)\n"
    "  --reset                  deletes the data and starts again from the demo data\n"
    "  --unicode-object 1|0     object protocol texts in Unicode (1, default) or single-byte ANSI (0)\n"
    "  --max-describe-bytes N   splits class descriptions into pieces of at most N bytes (default 60000)\n"
    "  --max-fetch-bytes N      row data per fetch answer at most N bytes (default 60000)\n"
    "  --fetch-rows N           rows per fetch answer at most N (default 0 = as many as fit)\n"
    "  --max-g-answer-bytes N   a block of reads answers at most N bytes, the client asks for the rest (default 60000)\n"
    "  --fail-at N              test: answers the Nth request of each connection with an error\n"
    "  --drop-at N              test: closes each connection at its Nth request instead of answering\n"
    "  --refuse                 test: closes every connection as soon as it is made\n"
    "  --diagnostics            test: offers the diagnostic class FRX.Diag\n"
    "  --test-classes           test: offers the query lookup's test classes\n"
    "  --max-data-mb N          largest size of each data file in MiB (default 2048; 0 = no limit)\n"
    "  --max-connections N      clients served at once on each port; more are told \"too many connections\" (default 64)\n"
    "  --stall-ms N             drops a client that stops within a message for N ms (default 10000)\n"
    "  --login-ms N             drops a client that has not logged in after N ms (default 10000)\n"
    "  --lock-wait-ms N         waits N ms for another session's write lock before \"database is locked\" (default 5000)\n"
    "  --max-value-mb N         largest text or blob a statement may build, in MiB (default 64)\n"
    "  --max-result-mb N        result rows one ODBC connection holds at once, in MiB (default 256; 0 = no limit)\n"
    "  -s<dir> -U<namespace> SharedMemory^%qserver\n"
    "                           as the ODBC driver starts it: serves one client over shared memory\n";

namespace {

std::size_t number(const std::string& option, const std::string& text, std::size_t max) {
  std::size_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v > max)
    throw std::invalid_argument(option + ": not a number up to " + std::to_string(max) + ": " + text);
  return v;
}

bool isLoopback(const std::string& address) {
  in_addr a{};
  return ::inet_pton(AF_INET, address.c_str(), &a) == 1 && (ntohl(a.s_addr) >> 24) == 127;
}

}  // namespace

std::filesystem::path defaultDataFolder() {
  return services::rootFolder() / "server";
}

std::filesystem::path defaultDemoFolder() {
  return services::rootFolder() / "demo";
}

ProgramOptions parseOptions(const std::vector<std::string>& args) {
  ProgramOptions o;
  bool dataGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size())
        throw std::invalid_argument(a + " needs a value");
      return args[++i];
    };
    if (a == "--object-port")
      o.object.port = static_cast<std::uint16_t>(number(a, value(), 65535));
    else if (a == "--odbc-port")
      o.odbcPort = static_cast<std::uint16_t>(number(a, value(), 65535));
    else if (a == "--bind")
      o.object.bindAddress = value();
    else if (a == "--allow-remote")
      o.allowRemote = true;
    else if (a == "--data") {
      o.object.dataFolder = value();
      dataGiven = true;
    } else if (a == "--demo-files")
      o.seed.demoFolder = std::filesystem::absolute(value()).string();
    else if (a == "--reset")
      o.reset = true;
    else if (a == "--unicode-object")
      o.object.unicode = number(a, value(), 1) == 1;
    else if (a == "--max-describe-bytes")
      o.object.describePieceBytes = number(a, value(), 60000);
    else if (a == "--max-fetch-bytes")
      o.object.fetchBatchBytes = number(a, value(), 60000);
    else if (a == "--fetch-rows")
      o.object.fetchBatchRows = number(a, value(), 1000000);
    else if (a == "--max-g-answer-bytes")
      o.object.getAnswerBytes = number(a, value(), 60000);
    else if (a == "--fail-at")
      o.object.failAtRequest = number(a, value(), 1000000000);
    else if (a == "--drop-at")
      o.object.dropAtRequest = number(a, value(), 1000000000);
    else if (a == "--refuse")
      o.object.refuseConnections = true;
    else if (a == "--diagnostics")
      o.object.diagnostics = true;
    else if (a == "--max-result-mb")
      o.maxResultMiB = number(a, value(), 1u << 20);
    else if (a == "--max-data-mb")
      o.maxDataMiB = number(a, value(), 1u << 24);
    else if (a == "--max-connections")
      o.object.maxConnections = number(a, value(), 100000);
    else if (a == "--stall-ms")
      o.object.stallTimeout = std::chrono::milliseconds(number(a, value(), 86400000));
    else if (a == "--login-ms")
      o.object.loginTimeout = std::chrono::milliseconds(number(a, value(), 86400000));
    else if (a == "--max-value-mb")
      o.maxValueMiB = number(a, value(), 953);
    else if (a == "--lock-wait-ms")
      o.lockWaitMs = number(a, value(), 86400000);
    else if (a == "--test-classes")
      o.object.testClasses = true;
    else if (a.starts_with("-s") && a.size() > 2) {
      o.object.dataFolder = a.substr(2);
      dataGiven = true;
    } else if (a.starts_with("-U"))
      o.nameSpace = a.substr(2);
    else if (a == kSharedMemoryRoutine)
      o.sharedMemory = true;
    else
      throw std::invalid_argument("unknown option: " + a);
  }
  if (!o.allowRemote && !isLoopback(o.object.bindAddress))
    throw std::invalid_argument("--bind " + o.object.bindAddress +
                                " is not a loopback address (add --allow-remote)");
  if (!dataGiven)
    o.object.dataFolder = defaultDataFolder();
  if (o.seed.demoFolder.empty())
    o.seed.demoFolder = defaultDemoFolder().string();
  return o;
}

}  // namespace kesto::server::program
