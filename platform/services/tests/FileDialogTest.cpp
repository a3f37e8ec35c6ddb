#include <gtest/gtest.h>

#include "services/FileDialog.h"
#include "services/Today.h"

using namespace kesto::services;

TEST(FileDialog, FilterPairsKeepDescriptionsAndDropAHalfPair) {
  const auto pairs = filterPairs("Bitmaps (*.bmp;*.dib)|*.bmp;*.dib|Alle Dateien|*.*|Rest");
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>{"Bitmaps (*.bmp;*.dib)", "*.bmp;*.dib"}));
  EXPECT_EQ(pairs[1], (std::pair<std::string, std::string>{"Alle Dateien", "*.*"}));
  EXPECT_TRUE(filterPairs("").empty());
}

TEST(FileDialog, HeadlessCancelsAndTheScriptAnswersInOrder) {
  EXPECT_EQ(fileDialog({}), std::nullopt);
  auto script = std::make_shared<ScriptedFileDialog>();
  setFileDialogPort(script);
  script->choose("/tmp/a.bmp");
  script->cancel();
  FileDialogRequest open;
  open.filter = "Alle Dateien|*.*";
  EXPECT_EQ(fileDialog(open), "/tmp/a.bmp");
  EXPECT_EQ(fileDialog({}), std::nullopt);
  EXPECT_EQ(fileDialog({}), std::nullopt);  // script used up
  ASSERT_EQ(script->shown().size(), 3u);
  EXPECT_EQ(script->shown()[0].filter, "Alle Dateien|*.*");
  setFileDialogPort(nullptr);
  EXPECT_EQ(fileDialog({}), std::nullopt);
}

TEST(Today, FixedDayUntilResetToTheSystemClock) {
  auto fixed = std::make_shared<FixedToday>(Date{2024, 2, 29});
  setTodayPort(fixed);
  EXPECT_EQ(today(), (Date{2024, 2, 29}));
  fixed->set({2025, 1, 1});
  EXPECT_EQ(today(), (Date{2025, 1, 1}));
  setTodayPort(nullptr);
  const Date system = today();
  EXPECT_GE(system.year, 2024);
  EXPECT_GE(system.month, 1);
  EXPECT_LE(system.month, 12);
}
