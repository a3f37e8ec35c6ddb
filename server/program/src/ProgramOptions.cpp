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
    "                   [--max-value-mb N]\n"
    "       kestoserver -s<data dir> -U<namespace> SharedMemory^%qserver\n";

const char* const kSharedMemoryRoutine = "SharedMemory^%qserver";

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
