#include <gtest/gtest.h>

#include <sstream>

#include "services/InputBox.h"

using namespace kesto::services;

TEST(InputBox, HeadlessWritesTheBoxAndCancels) {
  std::ostringstream out;
  HeadlessInputBox box(out);
  EXPECT_EQ(box.show({"Name?", "Eingabe", "vorgabe"}), std::nullopt);
  EXPECT_EQ(out.str(), "Eingabe: Name?\n");
}

TEST(InputBox, ScriptedAnswersInOrderThenCancels) {
  auto boxes = std::make_shared<ScriptedInputBox>();
  setInputBoxPort(boxes);
  boxes->answer("");
  boxes->cancel();
  boxes->answer("Sommer");
  EXPECT_EQ(inputBox("Name?", "Titel"), std::optional<std::string>(""));
  EXPECT_EQ(inputBox("Name?", "Titel"), std::nullopt);
  EXPECT_EQ(inputBox("Name?", "Titel", "x"), std::optional<std::string>("Sommer"));
  EXPECT_EQ(inputBox("Name?", "Titel"), std::nullopt);  // nothing left: cancel
  ASSERT_EQ(boxes->shown().size(), 4u);
  EXPECT_EQ(boxes->shown()[2].defaultText, "x");
  EXPECT_EQ(boxes->shown()[2].title, "Titel");
  EXPECT_EQ(boxes->pendingAnswers(), 0u);
  setInputBoxPort(nullptr);
}
