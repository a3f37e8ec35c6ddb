#include "DemoFixture.h"
#include "commands/Xecute.h"

using namespace kesto::server;

namespace {

const std::string Y = "\xC3\xBF";  // character 255 between entries

class XecuteTest : public DemoTest {
 protected:
  void SetUp() override { commands::xecute(ctx, "S FIRMA=1,FIL=0,PERSONAL=\"DEMO\""); }
};

}  // namespace

TEST_F(XecuteTest, AcceptedLines) {
  struct Case {
    const char* line;
    std::string output;
  } cases[] = {
      {"D ^%XTT", ""},
      {"  d ^%XTT  ", ""},
      {"d UGRP^FRXCLSU(1)", "11`Zement & Mörtel" + Y + "12`Dämmstoffe" + Y + "13`Trockenbau"},
      {"d UGRP^FRXCLSU(\"1\")", "11`Zement & Mörtel" + Y + "12`Dämmstoffe" + Y + "13`Trockenbau"},
      {"d UGRP^FRXCLSU(9)", ""},
      {"S P0=$$ASCIANSI^%UML($P($G(^B(FIRMA,\"L\",700001,1)),%,2)) W:$F($ZV,\"MSM\") P0", "Baustoffwerke Müller"},
      {"S P0=$$ASCIANSI^%UML($P($G(^B(FIRMA,\"L\",\"700003\",1)),%,2)) W:$F($ZV,\"MSM\") P0", "Farbenfabrik Weiß"},
      {"S P0=$$ASCIANSI^%UML($P($G(^B(FIRMA,\"L\",799999,1)),%,2)) W:$F($ZV,\"MSM\") P0", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(commands::xecute(ctx, c.line), c.output) << c.line;
  EXPECT_EQ(commands::xecute(ctx, "d HGRP^FRXCLSU").substr(0, 13 + Y.size()), "1`Baustoffe" + Y + "2`");
  EXPECT_EQ(commands::xecute(ctx, "d ABTNR^FRXCLSU").substr(0, 12), "10`Baustoffe");
}

TEST_F(XecuteTest, ContextLineTakesTheLoginBeforeTheBar) {
  commands::xecute(ctx, "s FIRMA=2,FIL=1,PERSONAL=\"DEMO|Demo \"\"Chef\"\"\"");
  EXPECT_EQ(session.firma, "2");
  EXPECT_EQ(session.fil, "1");
  EXPECT_EQ(session.personal, "DEMO");
}

TEST_F(XecuteTest, RefusedLinesChangeNothing) {
  const std::string first = commands::xecute(ctx, "D GETARF^FRXCLSU(\"\",\"2\",\"23\",\"\",\"\",\"\",\"\")");
  const char* refused[] = {
      "",
      "D",
      "D GETARF^FRXCLSU(\"ZEMENT\",\"\",\"\",\"\",\"\",\"\")",
      "D GETARF^FRXCLSU(\"ZEMENT\",\"\",\"\",\"\",\"\",\"\",\"\",\"\")",
      "D GETARF^FRXCLSU(\"ZE\"MENT\",\"\",\"\",\"\",\"\",\"\",\"\")",
      "D GETARF^FRXCLSU(\"ZEMENT\",\"x\",\"\",\"\",\"\",\"\",\"\")",
      "D GETARF^FRXCLSU(\"ZEMENT\",\"\",\"\",\"\",\"\",\"\",\"\") K ^B",
      "D GETARF^FRXCLSU(\"ZEMENT,\"\",\"\",\"\",\"\",\"\",\"\")",
      "S P0=$$ASCIANSI^%UML($P($G(^B(FIRMA,\"L\",70000A,1)),%,2)) W:$F($ZV,\"MSM\") P0",
      "S P0=$$ASCIANSI^%UML($P($G(^B(FIRMA,\"L\",\"1\"_\"2\",1)),%,2)) W:$F($ZV,\"MSM\") P0",
      "d UGRP^FRXCLSU(1) W 1",
      "d UGRP^FRXCLSU(A)",
      "D ^%XTT,K ^B",
      "D KILL^FRXCLSU",
      "D hgrp^frxclsu",
      "X \"K ^B\"",
      "S FIRMA=3,FIL=0,PERSONAL=DEMO",
      "S FIRMA=A,FIL=0,PERSONAL=\"DEMO\"",
      "S FIRMA=3,FIL=0,PERSONAL=\"DEMO\",X=1",
      "S FIRMA=3,FIL=0,PERSONAL=\"DEMO",
      "SFIRMA=3,FIL=0,PERSONAL=\"DEMO\"",
  };
  for (const char* line : refused)
    EXPECT_EQ(errorOf([&] { commands::xecute(ctx, line); }), model::errc::CommandRefused) << line;
  EXPECT_EQ(session.firma, "1");
  EXPECT_EQ(session.personal, "DEMO");
  // The running search pages on as if nothing had come in between.
  const std::string second = commands::xecute(ctx, "D GETARN^FRXCLSU");
  EXPECT_FALSE(second.empty());
  EXPECT_NE(second, first);
}

TEST_F(XecuteTest, SearchPagesSurviveAReconnect) {
  const std::string page1 = commands::xecute(ctx, "D GETARF^FRXCLSU(\"ZEMENT\",\"\",\"\",\"\",\"\",\"\",\"\")");
  EXPECT_EQ(page1, "100001`Zement CEM II 42,5`10");

  const std::string all = commands::xecute(ctx, "D GETARF^FRXCLSU(\"\",\"2\",\"23\",\"\",\"\",\"\",\"\")");
  EXPECT_EQ(std::count(all.begin(), all.end(), '`'), 8);  // four hits of three fields

  // A new connection with the same context goes on with the next page.
  model::Database other(folder_->path());
  model::SessionContext again{"1", "0", "DEMO"};
  model::CallContext ctx2{other, again};
  const std::string page2 = commands::xecute(ctx2, "d GETARN^FRXCLSU");
  EXPECT_FALSE(page2.empty());
  EXPECT_NE(page2, all);

  model::SessionContext stranger{"1", "0", "MAIER"};
  model::CallContext ctx3{other, stranger};
  EXPECT_EQ(commands::xecute(ctx3, "D GETARN^FRXCLSU"), "");

  // Paging ends with an empty answer.
  std::string page;
  int pages = 0;
  while (!(page = commands::xecute(ctx, "D GETARN^FRXCLSU")).empty()) ASSERT_LT(++pages, 100);
}

TEST_F(XecuteTest, QuotesInSearchTermsAreData) {
  const auto before = db.scalar("SELECT count(*) FROM FRX.ArtHaupt1")->asInteger();
  EXPECT_EQ(commands::xecute(ctx, "D GETARF^FRXCLSU(\"X\"\" OR 1=1 --\",\"\",\"\",\"\",\"\",\"\",\"\")"), "");
  EXPECT_EQ(db.scalar("SELECT count(*) FROM FRX.ArtHaupt1")->asInteger(), before);
}
