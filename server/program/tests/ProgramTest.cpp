#include "ProgramOptions.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "mlink/Frame.h"
#include "mlink/MLink.h"

using namespace kesto::server::program;

TEST(Options, ParsesTheSwitches) {
  const ProgramOptions o = parseOptions({"--object-port", "0", "--odbc-port", "0", "--data", "/tmp/x", "--unicode-object",
                                         "0", "--max-fetch-bytes", "100", "--fetch-rows", "2",
                                         "--max-describe-bytes", "300", "--drop-at", "5", "--refuse",
                                         "--demo-files", "/srv/demo"});
  EXPECT_EQ(o.object.port, 0);
  EXPECT_EQ(o.object.dataFolder, "/tmp/x");
  EXPECT_FALSE(o.object.unicode);
  EXPECT_EQ(o.object.fetchBatchBytes, 100u);
  EXPECT_EQ(o.object.fetchBatchRows, 2u);
  EXPECT_EQ(o.object.describePieceBytes, 300u);
  EXPECT_EQ(o.object.dropAtRequest, 5u);
  EXPECT_TRUE(o.object.refuseConnections);
  EXPECT_EQ(o.object.bindAddress, "127.0.0.1");
  EXPECT_EQ(o.seed.demoFolder, "/srv/demo");

  const ProgramOptions d = parseOptions({});
  EXPECT_EQ(d.object.port, 1973);
  EXPECT_EQ(d.odbcPort, 1972);
  EXPECT_EQ(d.object.dataFolder.filename(), "server");
  EXPECT_EQ(std::filesystem::path(d.seed.demoFolder).filename(), "demo");
}

TEST(Options, TakesTheDriversSharedMemoryCommandLine) {
  const ProgramOptions o = parseOptions({"-s/opt/kesto/mgr", "-UFERRIX", "SharedMemory^%qserver"});
  EXPECT_TRUE(o.sharedMemory);
  EXPECT_EQ(o.object.dataFolder, "/opt/kesto/mgr");
  EXPECT_EQ(o.nameSpace, "FERRIX");
  EXPECT_FALSE(parseOptions({"-s/opt/kesto/mgr", "-U"}).sharedMemory);
  EXPECT_THROW(parseOptions({"SharedMemory^other"}), std::invalid_argument);
}

TEST(Options, RefusesWhatItDoesNotUnderstand) {
  const std::vector<std::vector<std::string>> cases = {
      {"--object-port", "70000"}, {"--object-port"},           {"--bind", "0.0.0.0"},
      {"--unicode-object", "2"},  {"--max-fetch-bytes", "-1"}, {"--frobnicate"},
  };
  for (const auto& args : cases)
    EXPECT_THROW(parseOptions(args), std::invalid_argument) << args[0];
  EXPECT_NO_THROW(parseOptions({"--bind", "0.0.0.0", "--allow-remote"}));
}

// --help: every option of the usage has a line of its own that says what it does.
TEST(Options, HelpDescribesEveryOptionOfTheUsage) {
  const std::string usage = kUsage;
  const std::string help = std::string("\n") + kOptions;
  std::size_t options = 0;
  for (std::size_t at = usage.find("--"); at != std::string::npos; at = usage.find("--", at + 2)) {
    const std::string option = usage.substr(at, usage.find_first_of(" ]", at) - at);
    ++options;
    const std::size_t line = help.find("\n  " + option + " ");
    ASSERT_NE(line, std::string::npos) << option;
    const std::string text = help.substr(line + 1, help.find('\n', line + 1) - line - 1);
    EXPECT_GT(text.size(), 2 + option.size() + 10) << option;
  }
  EXPECT_GE(options, 18u);  // the usage was read
  EXPECT_NE(help.find("\n  -s<dir> -U<namespace> SharedMemory^%qserver\n"), std::string::npos);
}

TEST(Program, StartsWithOneCommandAndStopsCleanlyOnSigterm) {
  const auto data = std::filesystem::temp_directory_path() / ("kestoserver-" + std::to_string(::getpid()));
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::execl(KESTOSERVER_PATH, "kestoserver", "--object-port", "0", "--odbc-port", "0", "--data", data.c_str(), nullptr);
    ::_exit(127);
  }
  ::close(out[1]);
  FILE* lines = ::fdopen(out[0], "r");
  char line[512] = {};
  ASSERT_NE(std::fgets(line, sizeof line, lines), nullptr);  // waits until it listens
  const std::string banner = line;
  const auto colon = banner.find("127.0.0.1:");
  ASSERT_NE(colon, std::string::npos) << banner;
  const int port = std::stoi(banner.substr(colon + 10));

  MMsg m(65537);
  MLink link(nullptr, &m);
  const std::string text = "cn_iptcp:127.0.0.1[" + std::to_string(port) + "]";
  ASSERT_EQ(link.Connect(text.c_str(), nullptr), 1) << link.ErrorText;
  m.InitMessage();
  m.Buffer[kesto::mlink::kPosCode] = 17;
  m.Buffer[kesto::mlink::kPosType] = 1;
  m.Buffer[kesto::mlink::kPosKind] = 2;
  m.AppendDataToMessage("Ferrix", 6);
  const std::string query = "=$ZBITGET($ZVERSION(0),1)";
  m.AppendDataToMessage(query.data(), static_cast<short>(query.size()));
  ASSERT_GT(link.Send(&m, 0xFFFFFFFFul), 0) << link.ErrorText;
  EXPECT_EQ(std::string(m.Buffer + 58, 1), "1");

  // A connected client does not keep the server from stopping.
  ASSERT_EQ(::kill(pid, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::fclose(lines);
  std::filesystem::remove_all(data);
}
