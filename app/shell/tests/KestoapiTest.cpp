#include "Bilder.h"
#include "Kestoapi.h"
#include "TestApp.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <registry/Settings.h>

using namespace vovida;

TEST(ServerZeichenkette, QuotesAndDoublesInnerQuotes) {
  const struct {
    QString text;
    QString erwartet;
  } faelle[] = {
      {QStringLiteral("DEMO"), QStringLiteral("\"DEMO\"")},
      {QStringLiteral("A\"B"), QStringLiteral("\"A\"\"B\"")},
      {QStringLiteral("\",PERSONAL=\"X"), QStringLiteral("\"\"\",PERSONAL=\"\"X\"")},
      {QStringLiteral("ab\r\ncd"), QStringLiteral("\"abcd\"")},
      {QString(), QStringLiteral("\"\"")},
  };
  for (const auto& f : faelle) EXPECT_EQ(ServerZeichenkette(f.text), f.erwartet) << f.text.toStdString();
}

TEST(KontextBefehl, QuotesCompanyBranchAndUser) {
  kestoapiZuruecksetzen();
  kestoapi().Firma = QStringLiteral("1");
  kestoapi().Filiale = QStringLiteral("0\"");
  EXPECT_EQ(KontextBefehl(QStringLiteral("DEMO|Demo")),
            QStringLiteral("S FIRMA=\"1\",FIL=\"0\"\"\",PERSONAL=\"DEMO|Demo\""));
  kestoapiZuruecksetzen();
}

TEST(Verbindungstext, NamespaceIsAlwaysFerrix) {
  kestoapiZuruecksetzen();
  kestoapi().ServerAdresse = QStringLiteral("127.0.0.1");
  kestoapi().ServerPort = QStringLiteral("1973");
  kestoapi().ServerNamespace = QStringLiteral("Anders");
  EXPECT_EQ(verbindungstext(), QStringLiteral("cn_iptcp:127.0.0.1[1973]:Ferrix"));
  kestoapiZuruecksetzen();
}

TEST(Serverarbeit, NestedBracketRestartsIdleTimerOnlyAtOutermostEnd) {
  kestoapiZuruecksetzen();
  std::vector<bool> lock;
  KestoapiFenster fenster;
  fenster.LockSchalten = [&](bool an) { lock.push_back(an); };
  setKestoapiFenster(fenster);
  // Two brackets that never connect: the depth alone decides.
  ServerarbeitBeenden();  // at depth 0: restarts
  EXPECT_EQ(lock, std::vector<bool>{true});
  EXPECT_EQ(Serverarbeitstiefe(), 0);
  kestoapiZuruecksetzen();
}

class BilderTest : public ::testing::Test {
 protected:
  void SetUp() override { ensureTestApp(); }
  QTemporaryDir ordner;
};

TEST_F(BilderTest, MapsDriveAndMatchesNamesWithoutCase) {
  ASSERT_TRUE(QDir(ordner.path()).mkpath(QStringLiteral("Bilder")));
  QImage bild(4, 3, QImage::Format_RGB32);
  bild.fill(Qt::red);
  ASSERT_TRUE(bild.save(ordner.filePath(QStringLiteral("Bilder/Brisal.BMP")), "BMP"));
  kesto::registry::SaveSetting("Vovida", "Pfade", "T:", ordner.path().toStdString());

  EXPECT_EQ(PfadAbbilden(QStringLiteral("T:\\bilder\\brisal.bmp")), ordner.filePath(QStringLiteral("Bilder/Brisal.BMP")));
  const auto geladen = BildLaden(QStringLiteral("t:\\BILDER\\brisal.bmp"));
  ASSERT_TRUE(geladen);
  EXPECT_EQ(geladen->size(), QSize(4, 3));
  kesto::registry::DeleteSetting("Vovida", "Pfade");
}

TEST_F(BilderTest, MetafilesAndMissingFilesDoNotLoad) {
  QFile wmf(ordner.filePath(QStringLiteral("logo.wmf")));
  ASSERT_TRUE(wmf.open(QIODevice::WriteOnly));
  // Placeable metafile signature.
  wmf.write(QByteArray::fromHex("d7cdc69a0000000000000000000000000000000000000000"));
  wmf.close();
  EXPECT_FALSE(BildLaden(QDir::toNativeSeparators(wmf.fileName()).replace(u'/', u'\\')));
  EXPECT_FALSE(BildLaden(ordner.filePath(QStringLiteral("fehlt.bmp")).replace(u'/', u'\\')));
}
