#include <gtest/gtest.h>

#include "services/Cursor.h"
#include "services/Locale.h"
#include "services/Program.h"

using namespace kesto::services;

TEST(Cursor, WaitCursorRestoresThePreviousShapeWhenNested) {
  auto cursor = std::make_shared<RecordingCursor>();
  setCursorPort(cursor);
  {
    WaitCursor outer;
    {
      WaitCursor inner;
    }
    EXPECT_EQ(cursorShape(), CursorShape::Wait);
  }
  EXPECT_EQ(cursorShape(), CursorShape::Default);
  EXPECT_EQ(cursor->history(), (std::vector<CursorShape>{CursorShape::Wait, CursorShape::Wait,
                                                         CursorShape::Wait, CursorShape::Default}));
  setCursorPort(nullptr);
}

TEST(Program, RecordingPortCatchesTheEnd) {
  auto program = std::make_shared<RecordingProgram>();
  setProgramPort(program);
  EXPECT_FALSE(program->endedWith());
  try {
    endProgram(3);
    ADD_FAILURE() << "endProgram returned";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.exitCode, 3);
  }
  EXPECT_EQ(program->endedWith(), 3);
  setProgramPort(nullptr);
}

TEST(ProgramDeathTest, DefaultPortExits) {
  EXPECT_EXIT(endProgram(4), testing::ExitedWithCode(4), "");
}

TEST(Locale, GermanFactsUnlessPinnedOtherwise) {
  EXPECT_EQ(localeFacts().languageAbbreviation, "DEU");
  EXPECT_EQ(localeFacts().decimalSeparator, ",");
  EXPECT_EQ(localeFacts().listSeparator, ";");
  EXPECT_EQ(localeFacts().dateFormat, "dd.MM.yyyy");
  LocaleFacts english;
  english.languageAbbreviation = "ENU";
  english.decimalSeparator = ".";
  setLocaleFacts(english);
  EXPECT_EQ(localeFacts().languageAbbreviation, "ENU");
  resetLocaleFacts();
  EXPECT_EQ(localeFacts().decimalSeparator, ",");
}
