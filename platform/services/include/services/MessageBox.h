// Message boxes through a port: headless by default, scripted in tests, Qt in the program.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Button sets, icons, default buttons and modality, with the platform's values.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_TYPEMASK = 0xF;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONERROR = MB_ICONSTOP;
inline constexpr unsigned MB_ICONHAND = MB_ICONSTOP;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;
inline constexpr unsigned MB_APPLMODAL = 0x0000;
inline constexpr unsigned MB_SYSTEMMODAL = 0x1000;
inline constexpr unsigned MB_TASKMODAL = 0x2000;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

namespace kesto::services {

struct MessageBoxRequest {
  std::string text;   // UTF-8
  std::string title;  // UTF-8
  unsigned flags = MB_OK;
};

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  // Shows the box and returns the button pressed (IDOK ...).
  virtual int show(const MessageBoxRequest& request) = 0;
};

// The buttons of a box's button set, in order, and the one its MB_DEFBUTTONn picks
// (the first when the set has fewer buttons).
std::vector<int> buttonsOf(unsigned flags);
int defaultButton(unsigned flags);

// Writes "title: text" to a stream and answers the default button.
class HeadlessMessageBox final : public MessageBoxPort {
 public:
  explicit HeadlessMessageBox(std::ostream& out);
  int show(const MessageBoxRequest& request) override;

 private:
  std::ostream& out_;
};

// Records every box and answers from a script, then with the default button.
// An answer that is not one of the box's buttons is a fault in the test: it throws
// std::logic_error.
class ScriptedMessageBox final : public MessageBoxPort {
 public:
  void answer(int button);  // queues the answer for the next box
  int show(const MessageBoxRequest& request) override;

  std::vector<MessageBoxRequest> shown() const;
  std::size_t pendingAnswers() const;

 private:
  mutable std::mutex mutex_;
  std::deque<int> answers_;
  std::vector<MessageBoxRequest> shown_;
};

// Shows a box through the installed port.
int messageBox(std::string_view text, std::string_view title, unsigned flags = MB_OK);

// nullptr goes back to the headless port on stderr.
void setMessageBoxPort(std::shared_ptr<MessageBoxPort> port);
// The port installed now, so that a caller can put its own in front of it.
std::shared_ptr<MessageBoxPort> messageBoxPort();

}  // namespace kesto::services
