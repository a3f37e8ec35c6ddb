#include "Fliesenumgebung.h"

#include "frmFlliesenSchildDimensionen.h"

#include <QAction>
#include <QPixmap>

namespace vovida::test {
namespace {

class FliesenFensterBildTest : public Fliesenumgebung {
 protected:
  // The window as drawn; kept in KESTO_SCREENSHOTS when that is set.
  static QImage bild(QWidget& fenster, const char* name) {
    const QImage b = fenster.grab().toImage();
    if (const QByteArray ordner = qgetenv("KESTO_SCREENSHOTS"); !ordner.isEmpty())
      b.save(QString::fromUtf8(ordner) + u'/' + QString::fromUtf8(name));
    return b;
  }
};

TEST_F(FliesenFensterBildTest, EveryPageFitsTheWindow) {
  frmFliesenSchild& f = editor();
  eingeben(*f.ArtNr, QStringLiteral("200002"));
  const char* namen[] = {"frmFliesenSchild-1.png", "frmFliesenSchild-2.png", "frmFliesenSchild-3.png"};
  for (int nr = 1; nr <= 3; ++nr) {
    seite(f, nr);
    EXPECT_EQ(fliesendaten().AktuelleZeile, 1);
    const QImage b = bild(f, namen[nr - 1]);
    EXPECT_GE(b.width(), 4725 / 15);
    // Every control of the page lies inside the window.
    for (QWidget* w : f.Frame1[static_cast<std::size_t>(nr - 1)]->findChildren<QWidget*>()) {
      if (!w->isVisible()) continue;
      const QRect r(w->mapTo(&f, QPoint(0, 0)), w->size());
      EXPECT_TRUE(f.rect().contains(r)) << w->objectName().toStdString();
    }
  }
}

TEST_F(FliesenFensterBildTest, DimensionsWindow) {
  modalSkript.push_back([](QWidget& fenster) {
    fenster.show();
    const QImage b = bild(fenster, "frmFlliesenSchildDimensionen.png");
    EXPECT_FALSE(b.isNull());
    fenster.hide();
  });
  editor().mBearbeiten->trigger();
  EXPECT_EQ(modalGezeigt.back(), frmFlliesenSchildDimensionen::kName);
}

}  // namespace
}  // namespace vovida::test
