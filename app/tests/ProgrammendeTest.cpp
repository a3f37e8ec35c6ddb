// The real program ends cleanly, with status 0 under the sanitizers, however the user
// ends it: "Beenden" after a login, "Abbruch" after a wrong password, and the end after
// the third failed connection. Each run is its own process (the driven program of
// GesteuertesVovida.cpp) against a kestoserver process on an ephemeral loopback port.
#include <gtest/gtest.h>

#include <automation/Activation.h>
#include <registry/Settings.h>

#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Server {
  pid_t pid = -1;
  int port = 0;
  std::filesystem::path daten;
  FILE* ausgabe = nullptr;

  explicit Server(bool abweisen) {
    daten = std::filesystem::temp_directory_path() / ("vovida-ende-" + std::to_string(::getpid()));
    int rohr[2];
    if (::pipe(rohr) != 0) return;
    pid = ::fork();
    if (pid == 0) {
      ::dup2(rohr[1], 1);
      ::close(rohr[0]);
      if (abweisen)
        ::execl(KESTOSERVER_PATH, "kestoserver", "--object-port", "0", "--odbc-port", "0", "--data", daten.c_str(),
                "--refuse", nullptr);
      else
        ::execl(KESTOSERVER_PATH, "kestoserver", "--object-port", "0", "--odbc-port", "0", "--data", daten.c_str(),
                nullptr);
      ::_exit(127);
    }
    ::close(rohr[1]);
    ausgabe = ::fdopen(rohr[0], "r");
    char zeile[512] = {};
    if (!std::fgets(zeile, sizeof zeile, ausgabe)) return;  // waits until it listens
    const std::string banner = zeile;
    const auto stelle = banner.find("127.0.0.1:");
    if (stelle != std::string::npos) port = std::stoi(banner.substr(stelle + 10));
  }
  ~Server() {
    if (pid > 0) {
      ::kill(pid, SIGTERM);
      ::waitpid(pid, nullptr, 0);
    }
    if (ausgabe) std::fclose(ausgabe);
    std::error_code ec;
    std::filesystem::remove_all(daten, ec);
  }
};

int programmLaufen(const char* szenario) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execl(GESTEUERTES_VOVIDA, "vovida", szenario, nullptr);
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

TEST(Programmende, EveryWayOutEndsWithStatusZero) {
  void* bibliothek = dlopen(KESTO_OBJECT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(bibliothek, nullptr) << dlerror();
  auto anmelden = reinterpret_cast<DllRegisterServerFn>(dlsym(bibliothek, "DllRegisterServer"));
  ASSERT_NE(anmelden, nullptr);
  ASSERT_EQ(anmelden(), S_OK);

  const struct {
    const char* szenario;
    bool abweisen;
  } faelle[] = {{"beenden", false}, {"abbruch", false}, {"versuche", true}};
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.szenario);
    Server server(fall.abweisen);
    ASSERT_GT(server.port, 0);
    kesto::registry::SaveSetting("Kesto Login", "Login", "Server", "127.0.0.1");
    kesto::registry::SaveSetting("Kesto Login", "Login", "Port", std::to_string(server.port));
    kesto::registry::SaveSetting("Kesto Login", "Login", "Name", "DEMO");
    EXPECT_EQ(programmLaufen(fall.szenario), 0);
  }
}

}  // namespace
