#include <gtest/gtest.h>

#include "TestApp.h"

#include <services/Cursor.h>
#include <services/MessageBox.h>
#include <services/Program.h>
#include <services/Timers.h>
#include <services/qt/QtCursor.h>
#include <services/qt/QtFileDialog.h>
#include <services/qt/QtMessageBox.h>
#include <services/qt/QtPorts.h>
#include <services/qt/QtProgram.h>
#include <services/qt/QtTimerPump.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDate>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <stdexcept>

using namespace kesto::services;
using namespace kesto::services::qt;
using std::chrono::milliseconds;

namespace {

// Runs act on the message box once its event loop is running; the zero timer is one
// step of that loop, not a wait on the clock.
void whenBoxShows(std::function<void(QMessageBox&)> act) {
  QTimer::singleShot(0, [act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr) << "no message box shown";
    act(*box);
  });
}

QAbstractButton* buttonWithText(QMessageBox& box, const QString& text) {
  for (QAbstractButton* b : box.buttons()) {
    if (b->text() == text) return b;
  }
  return nullptr;
}

struct BoxCase {
  unsigned flags;
  QStringList buttons;
  QString defaultButton;
  QMessageBox::Icon icon;
  QString press;  // "" closes the box without a button
  int answer;
};

void PrintTo(const BoxCase& c, std::ostream* out) {
  *out << "flags 0x" << std::hex << c.flags << std::dec << " press " << c.press.toStdString();
}

class MessageBoxCases : public testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxCases, ShowsGermanButtonsAndAnswers) {
  ensureApp();
  const BoxCase& c = GetParam();
  whenBoxShows([&c](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("Anmeldung an Kesto"));
    EXPECT_EQ(box.text(), QString::fromUtf8("Änderungen sichern?"));
    EXPECT_EQ(box.icon(), c.icon);
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) texts << b->text();
    texts.sort();
    QStringList expected = c.buttons;
    expected.sort();
    EXPECT_EQ(texts, expected);
    ASSERT_NE(box.defaultButton(), nullptr);
    EXPECT_EQ(box.defaultButton()->text(), c.defaultButton);
    if (c.press.isEmpty()) {
      box.close();
    } else {
      QAbstractButton* b = buttonWithText(box, c.press);
      ASSERT_NE(b, nullptr);
      b->click();
    }
  });
  EXPECT_EQ(QtMessageBox().show({"Änderungen sichern?", "Anmeldung an Kesto", c.flags}), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, MessageBoxCases,
    testing::Values(
        BoxCase{MB_YESNO | MB_ICONQUESTION, {"Ja", "Nein"}, "Ja", QMessageBox::Question, "Nein", IDNO},
        BoxCase{MB_YESNO | MB_DEFBUTTON2, {"Ja", "Nein"}, "Nein", QMessageBox::NoIcon, "Ja", IDYES},
        BoxCase{MB_OK | MB_ICONEXCLAMATION, {"OK"}, "OK", QMessageBox::Warning, "", IDOK},
        BoxCase{MB_OKCANCEL | MB_ICONINFORMATION, {"OK", "Abbrechen"}, "OK",
                QMessageBox::Information, "", IDCANCEL},
        BoxCase{MB_ABORTRETRYIGNORE | MB_ICONSTOP | MB_DEFBUTTON3,
                {"Abbrechen", "Wiederholen", "Ignorieren"}, "Ignorieren", QMessageBox::Critical,
                "Wiederholen", IDRETRY}));

class QtPump : public testing::Test {
 protected:
  void SetUp() override { ensureApp(); }
  std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
  std::shared_ptr<TimerService> service = std::make_shared<TimerService>(clock);
};

TEST_F(QtPump, ArmsForTheEarliestTimerAndFiresThroughRunDue) {
  QtTimerPump pump(service);
  EXPECT_FALSE(pump.armed());
  int fired = 0;
  const TimerId id = service->setTimer(milliseconds(500), [&] { ++fired; });
  service->setTimer(milliseconds(30000), [] {});
  ASSERT_TRUE(pump.armed());
  EXPECT_EQ(pump.armedFor(), milliseconds(500));

  QApplication::processEvents();
  EXPECT_EQ(fired, 0);

  clock->advance(milliseconds(500));
  pump.rearm();
  EXPECT_EQ(pump.armedFor(), milliseconds(0));
  QApplication::processEvents();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(pump.armedFor(), milliseconds(500));  // the periodic timer's next round

  service->killTimer(id);
  EXPECT_EQ(pump.armedFor(), milliseconds(29500));
}

TEST_F(QtPump, StopsWhenNoTimerIsLeft) {
  QtTimerPump pump(service);
  const TimerId id = service->setTimer(milliseconds(10), [] {});
  EXPECT_TRUE(pump.armed());
  service->killTimer(id);
  EXPECT_FALSE(pump.armed());
}

TEST_F(QtPump, ReportsAFailingTimerAndGoesOn) {
  auto boxes = std::make_shared<ScriptedMessageBox>();
  setMessageBoxPort(boxes);
  QtTimerPump pump(service);
  service->setTimer(milliseconds(100), [] { throw std::runtime_error("kaputt"); });
  clock->advance(milliseconds(100));
  pump.rearm();
  QApplication::processEvents();
  ASSERT_EQ(boxes->shown().size(), 1u);
  EXPECT_EQ(boxes->shown()[0].text, "kaputt");
  EXPECT_TRUE(pump.armed());
  setMessageBoxPort(nullptr);
}

TEST(QtCursorPort, HourglassIsOneStateNotAStack) {
  ensureApp();
  QtCursor cursor;
  cursor.setShape(CursorShape::Wait);
  cursor.setShape(CursorShape::Wait);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  cursor.setShape(CursorShape::Default);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  cursor.setShape(CursorShape::Default);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// True when body ends by ProgramEnded and runs nothing after the end.
bool throwsProgramEnded(const std::function<void()>& body) {
  try {
    body();
  } catch (const ProgramEnded&) {
    return true;
  }
  return false;
}

TEST(QtProgramPort, EndsTheEventLoopWithTheCode) {
  ensureApp();
  bool ended = false;
  QTimer::singleShot(0, [&] { ended = throwsProgramEnded([] { QtProgram().end(3); }); });
  EXPECT_EQ(QApplication::exec(), 3);
  EXPECT_TRUE(ended);
}

TEST(InstallQtPorts, RoutesThePortsThroughQt) {
  ensureApp();
  auto clock = std::make_shared<FakeClock>();
  installQtPorts(std::make_shared<TimerService>(clock));

  whenBoxShows([](QMessageBox& box) { buttonWithText(box, "Ja")->click(); });
  EXPECT_EQ(messageBox("Frage?", "Titel", MB_YESNO), IDYES);

  setCursorShape(CursorShape::Wait);
  EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  setCursorShape(CursorShape::Default);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  int fired = 0;
  const auto id = timers().setTimer(milliseconds(0), [&] { ++fired; });
  QApplication::processEvents();
  EXPECT_EQ(fired, 1);
  // The timer repeats; left running it would fire into later tests' event loops.
  timers().killTimer(id);

  // Inside the event loop: an end outside it would leave Qt's quit flag set for the
  // loops of later tests.
  bool ended = false;
  QTimer::singleShot(0, [&] { ended = throwsProgramEnded([] { endProgram(5); }); });
  EXPECT_EQ(QApplication::exec(), 5);
  EXPECT_TRUE(ended);

  const QDate heute = QDate::currentDate();
  EXPECT_EQ(today(), (Date{heute.year(), heute.month(), heute.day()}));

  setMessageBoxPort(nullptr);
  setCursorPort(nullptr);
  setProgramPort(nullptr);
  setFileDialogPort(nullptr);
  setTodayPort(nullptr);
}

TEST(QtFileDialogPort, FilterInQtSyntaxAndTheChosenFile) {
  EXPECT_EQ(qtFilter("Bitmaps (*.bmp;*.dib)|*.bmp;*.dib|Alle Dateien|*.*"),
            QStringLiteral("Bitmaps (*.bmp;*.dib) (*.bmp *.dib);;Alle Dateien (*.*)"));
  ensureApp();
  QString gezeigt;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) {
        gezeigt = d->selectedNameFilter();
        d->selectFile(QStringLiteral("/tmp/gewaehlt.bmp"));
        QMetaObject::invokeMethod(d, "accept");
      }
  });
  FileDialogRequest r;
  r.mode = FileDialogMode::Save;
  r.filter = "Bitmaps|*.bmp|Alle Dateien|*.*";
  r.filterIndex = 2;
  EXPECT_EQ(QtFileDialog().show(r), std::optional<std::string>("/tmp/gewaehlt.bmp"));
  EXPECT_EQ(gezeigt, QStringLiteral("Alle Dateien (*.*)"));
}

}  // namespace

// fontconfig keeps caches for the life of the process; they are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libfreetype\n";
}
