#include <gtest/gtest.h>

#include "TestApp.h"

#include <services/InputBox.h>
#include <services/qt/QtInputBox.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace kesto::services;
using namespace kesto::services::qt;

namespace {

// Acts on the dialog once its event loop runs; the zero timer is one step of that loop.
void whenDialogShows(std::function<void(QInputDialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr) << "no input box shown";
    act(*dialog);
  });
}

QPushButton* button(QInputDialog& dialog, const char* text) {
  for (QPushButton* b : dialog.findChildren<QPushButton*>())
    if (b->text() == QString::fromUtf8(text)) return b;
  return nullptr;
}

TEST(QtInputBox, TypedTextIsTheAnswer) {
  ensureApp();
  whenDialogShows([](QInputDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Vovida Eigenbau Nahmenseingabe"));
    EXPECT_EQ(dialog.labelText(), QString::fromUtf8("Geben Sie einen Namen ein"));
    EXPECT_NE(button(dialog, "OK"), nullptr);
    EXPECT_NE(button(dialog, "Abbrechen"), nullptr);
    auto* feld = dialog.findChild<QLineEdit*>();
    ASSERT_NE(feld, nullptr);
    EXPECT_EQ(feld->text(), QString::fromUtf8("vor"));
    feld->selectAll();
    QTest::keyClicks(feld, QString::fromUtf8("Sommerfest"));
    QTest::keyClick(feld, Qt::Key_Return);
  });
  QtInputBox box;
  EXPECT_EQ(box.show({"Geben Sie einen Namen ein", "Vovida Eigenbau Nahmenseingabe", "vor"}),
            std::optional<std::string>("Sommerfest"));
}

TEST(QtInputBox, EscapeAndTheCancelButtonCancel) {
  ensureApp();
  QtInputBox box;
  whenDialogShows([](QInputDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(box.show({"Name?", "Titel", ""}), std::nullopt);
  whenDialogShows([](QInputDialog& dialog) {
    QPushButton* abbrechen = button(dialog, "Abbrechen");
    ASSERT_NE(abbrechen, nullptr);
    QTest::mouseClick(abbrechen, Qt::LeftButton);
  });
  EXPECT_EQ(box.show({"Name?", "Titel", "x"}), std::nullopt);
}

TEST(QtInputBox, EmptyOkAnswersEmptyText) {
  ensureApp();
  whenDialogShows([](QInputDialog& dialog) { QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton); });
  QtInputBox box;
  EXPECT_EQ(box.show({"Name?", "Titel", ""}), std::optional<std::string>(""));
}

}  // namespace
