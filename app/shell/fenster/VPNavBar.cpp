#include "VPNavBar.h"

#include "Fensterliste.h"
#include "NumberText.h"
#include "Schildfenster.h"
#include "Startglobale.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <activex/VSPrinter.h>

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace vovida {

namespace {

struct Zoomwort {
  const char* suchwort;
  int modus;
};

// In the order the typed text is searched.
constexpr std::array<Zoomwort, 4> kZoomworte{{
    {"seitenbreite", 4},
    {"ganze seite", 3},
    {"zwei seiten", 2},
    {"alle seiten", 1},
}};

// The list position of zoom modes 1 to 4.
constexpr std::array<int, 4> kListenplatz{3, 2, 0, 1};

// The kinds whose editor follows the page; the others have no article list per page.
constexpr std::array<const char*, 8> kNachziehendeArten{"A4N", "A4F", "A3N", "A3F", "SCHILD", "A7", "FVK", "EIGENBAU"};

int int16(int wert, const char* was) {
  if (wert < std::numeric_limits<std::int16_t>::min() || wert > std::numeric_limits<std::int16_t>::max())
    throw std::overflow_error(std::string("Überlauf: ") + was);
  return wert;
}

}  // namespace

double GetVal(QStringView s) {
  const qsizetype p = s.indexOf(u'%');
  return Val(p >= 0 ? s.left(p) : s);
}

VPNavBar::VPNavBar(kesto::activex::VSPrinter* vorschau, QWidget* parent) : QWidget(parent), vorschau_(vorschau) {
  setObjectName(QString::fromLatin1(kName));
  cmbZoom = new QComboBox;
  cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
  cmbZoom->setEditable(true);
  cmbZoom->setInsertPolicy(QComboBox::NoInsert);
  cmbZoom->addItems({QStringLiteral("Ganze Seite"), QStringLiteral("Seitenbreite"), QStringLiteral("Zwei Seiten"),
                     QStringLiteral("Alle Seiten"), QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("100%"),
                     QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("400%")});
  cmbZoom->setCurrentIndex(0);
  cmbZoom->setToolTip(QStringLiteral("Zommstufen"));
  Label1 = new QLabel(QStringLiteral("Zoom"));
  Label1->setObjectName(QStringLiteral("Label1"));
  scrlPage = new QScrollBar(Qt::Horizontal);
  scrlPage->setObjectName(QStringLiteral("scrlPage"));
  lblPage = new QLabel(QStringLiteral("Seite n von n"));
  lblPage->setObjectName(QStringLiteral("lblPage"));
  lblPage->setToolTip(QStringLiteral("Seitenanzeige"));

  auto* spalte = new QVBoxLayout(this);
  spalte->setContentsMargins(0, 0, 0, 0);
  auto* zoom = new QHBoxLayout;
  zoom->addWidget(Label1);
  zoom->addWidget(cmbZoom, 1);
  spalte->addLayout(zoom);
  spalte->addWidget(scrlPage);
  spalte->addWidget(lblPage);

  connect(cmbZoom, &QComboBox::activated, this, [this] { Ereignis([this] { cmbZoom_Click(); }); });
  connect(cmbZoom->lineEdit(), &QLineEdit::returnPressed, this, [this] { Ereignis([this] { cmbZoom_KeyDown(13); }); });
  cmbZoom->installEventFilter(this);
  connect(scrlPage, &QScrollBar::valueChanged, this, [this] { Ereignis([this] { scrlPage_Change(); }); });
}

bool VPNavBar::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == cmbZoom && ereignis->type() == QEvent::FocusOut) Ereignis([this] { cmbZoom_LostFocus(); });
  return QWidget::eventFilter(objekt, ereignis);
}

void VPNavBar::cmbZoom_Click() {
  if (!vorschau_) return;
  const QString text = cmbZoom->currentText();
  if (const double wert = GetVal(text); wert > 0) {
    vorschau_->setZoom(wert);
  } else {
    const QString klein = text.toLower();
    for (const Zoomwort& w : kZoomworte) {
      if (klein.contains(QLatin1String(w.suchwort))) {
        vorschau_->setZoomMode(w.modus);
        break;
      }
    }
  }
  Synchronize(false);
}

void VPNavBar::cmbZoom_KeyDown(int taste) {
  if (taste == 13) cmbZoom_Click();
}

void VPNavBar::cmbZoom_LostFocus() { cmbZoom_Click(); }

void VPNavBar::scrlPage_Change() {
  if (!vorschau_ || beschaeftigt_) return;
  vorschau_->setPreviewPage(scrlPage->value());
  Synchronize(true);
}

void VPNavBar::Synchronize(bool ruecksynchronisieren) {
  if (!vorschau_ || beschaeftigt_) return;
  beschaeftigt_ = true;
  // Cleared on every exit, errors included, so that the bar never stays dead.
  struct Frei {
    bool& flag;
    ~Frei() { flag = false; }
  } frei{beschaeftigt_};

  const int seite = vorschau_->PreviewPage();
  const int gezeigt = vorschau_->PagesShown();
  const int anzahl = vorschau_->PageCount();
  const int hoechste = int16(anzahl + 1 - gezeigt, "Seitenzahl");
  {
    // The range first, so that the value is never clamped to an old range.
    const QSignalBlocker sperre(scrlPage);
    scrlPage->setRange(1, hoechste);
    scrlPage->setPageStep(gezeigt);
    scrlPage->setValue(seite);
  }

  if (ruecksynchronisieren) editorNachziehen(seite);

  if (gezeigt == 1)
    lblPage->setText(QStringLiteral("Seite %1 von %2").arg(seite).arg(anzahl));
  else
    lblPage->setText(QStringLiteral("Seiten %1 - %2 von %3").arg(seite).arg(seite + gezeigt - 1).arg(anzahl));

  const QSignalBlocker sperre(cmbZoom);
  const int modus = vorschau_->ZoomMode();
  if (modus >= 1 && modus <= 4)
    cmbZoom->setCurrentIndex(kListenplatz[static_cast<std::size_t>(modus - 1)]);
  else
    cmbZoom->setEditText(zahlText(vorschau_->Zoom()) + u'%');
}

void VPNavBar::editorNachziehen(int seite) {
  const QString code = startglobale().Plakatart;
  bool nachziehen = false;
  for (const char* art : kNachziehendeArten) nachziehen = nachziehen || code == QLatin1String(art);
  if (!nachziehen) return;
  const Schildfenster* fenster = SchildfensterZu(code);
  if (!fenster || !fenster->ArtNr || !fenster->artikelZeigen) return;
  const QStringList artikel = fenster->ArtNr();
  if (seite < 1 || artikel.size() < seite) return;
  fenster->artikelZeigen(artikel[seite - 1]);
}

}  // namespace vovida
