#include "ProgramOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "KestoServerProcess.h"
#include "MultibyteQuery.h"

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
  kesto::testing::KestoServerProcess server;
  Client client(server.objectPort());
  EXPECT_EQ(client.ask(), "1");
  // A connected client does not keep the server from stopping.
  EXPECT_EQ(server.terminate(), 0);
}
