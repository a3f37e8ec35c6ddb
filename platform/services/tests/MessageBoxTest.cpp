#include <gtest/gtest.h>

#include <sstream>

#include "services/MessageBox.h"

using namespace kesto::services;

TEST(MessageBox, DefaultButtonOfEachSet) {
  struct Case {
    unsigned flags;
    int button;
  };
  const Case cases[] = {
      {MB_OK, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_OKCANCEL | MB_DEFBUTTON3, IDOK},  // no third button: the first
      {MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
      {MB_RETRYCANCEL, IDRETRY},
      {MB_ICONSTOP | MB_TASKMODAL, IDOK},
  };
  for (const Case& c : cases) EXPECT_EQ(defaultButton(c.flags), c.button) << c.flags;
}

TEST(MessageBox, HeadlessWritesTheBoxAndAnswersTheDefault) {
  std::ostringstream out;
  HeadlessMessageBox box(out);
  EXPECT_EQ(box.show({"Send to Server failed", "KestoObject", MB_ICONSTOP | MB_TASKMODAL}), IDOK);
  EXPECT_EQ(out.str(), "KestoObject: Send to Server failed\n");
}

class ScriptedBoxes : public testing::Test {
 protected:
  void SetUp() override { setMessageBoxPort(boxes); }
  void TearDown() override { setMessageBoxPort(nullptr); }
  std::shared_ptr<ScriptedMessageBox> boxes = std::make_shared<ScriptedMessageBox>();
};

TEST_F(ScriptedBoxes, AnswersFromTheScriptThenWithTheDefaultAndRecords) {
  boxes->answer(IDNO);
  EXPECT_EQ(messageBox("Speichern?", "Vovida", MB_YESNO), IDNO);
  EXPECT_EQ(messageBox("Noch einmal?", "Vovida", MB_YESNO), IDYES);
  const auto shown = boxes->shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Speichern?");
  EXPECT_EQ(shown[0].title, "Vovida");
  EXPECT_EQ(shown[1].flags, MB_YESNO);
  EXPECT_EQ(boxes->pendingAnswers(), 0u);
}

TEST_F(ScriptedBoxes, AnswerThatIsNoButtonOfTheBoxIsAnError) {
  boxes->answer(IDCANCEL);
  EXPECT_THROW(messageBox("Fertig", "Vovida", MB_OK), std::logic_error);
}

TEST_F(ScriptedBoxes, TheInstalledPortIsTheOneSetAndTheHeadlessOneAfterAReset) {
  EXPECT_EQ(messageBoxPort(), boxes);
  setMessageBoxPort(nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<HeadlessMessageBox>(messageBoxPort()), nullptr);
}
