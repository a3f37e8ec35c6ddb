#include <gtest/gtest.h>

#include <services/qt/QtGerman.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QStringList>

namespace {

QStringList texte(const QWidget& fenster) {
  QStringList t;
  for (const auto* b : fenster.findChildren<QAbstractButton*>()) t << b->text();
  for (const auto* l : fenster.findChildren<QLabel*>()) t << l->text();
  return t;
}

TEST(QtGerman, QtsOwnDialogsSpeakGermanAndNumbersUseTheDecimalComma) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "services_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = qApp ? qApp : new QApplication(argc, argv);
  (void)app;

  ASSERT_TRUE(kesto::services::qt::installGermanUi());
  QColorDialog farbe;
  farbe.setOption(QColorDialog::DontUseNativeDialog);
  farbe.show();
  const QStringList t = texte(farbe);
  EXPECT_TRUE(t.contains(QStringLiteral("Abbrechen"))) << t.join(u'|').toStdString();
  EXPECT_TRUE(t.contains(QStringLiteral("&Rot:"))) << t.join(u'|').toStdString();
  EXPECT_FALSE(t.contains(QStringLiteral("Cancel")));
  EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1,5"));
  // A second call keeps the one translation.
  EXPECT_TRUE(kesto::services::qt::installGermanUi());
}

}  // namespace
