// What the window tests share: a headless application, scripted boxes and modal windows,
// a fake clock, a recorded program end, and the stand-in server on an ephemeral port
// with the demo data, reached through the registered object library.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <objproto/Options.h>
#include <services/MessageBox.h>
#include <services/Program.h>
#include <services/Timers.h>

namespace vovida::test {

// A clock that tests move by hand; while laufend is set, every reading moves it on by
// 10 ms, so that busy waits end.
class TestUhr final : public kesto::services::Clock {
 public:
  std::chrono::milliseconds now() const override;
  void weiter(std::chrono::milliseconds um);
  bool laufend = false;

 private:
  mutable std::chrono::milliseconds jetzt_{0};
};

class Umgebung : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the server (refusing every connection when abweisen) and points the login
  // settings at it with the user name.
  void serverStarten(bool abweisen = false, const char* benutzer = "DEMO");
  // The next modal windows: the login window answers with user and password; "Server"
  // windows just close.
  void anmeldungSkript(const QString& benutzer, const QString& passwort);
  // Stops the server as a crash would: every link to it drops.
  void serverAnhalten();
  std::vector<std::string> boxTexte() const;
  // Moves the fake clock on and fires the due timers.
  void zeitVergeht(std::chrono::milliseconds um);
  bool verbunden() const;

  std::shared_ptr<kesto::services::ScriptedMessageBox> boxen;
  std::shared_ptr<kesto::services::RecordingProgram> programm;
  std::shared_ptr<TestUhr> uhr;
  std::vector<std::function<void(QWidget&)>> modalSkript;
  std::vector<std::string> modalGezeigt;
  int fabriken = 0;

 private:
  struct Server;
  std::shared_ptr<Server> server_;
};

}  // namespace vovida::test
