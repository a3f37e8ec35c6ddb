// The server dies while the main window is open: one message, then the connection
// attempts at once, and the menu command goes on against the server the user reaches.
#include "Hauptfenster.h"

#include "FMServer.h"
#include "Kestoapi.h"
#include "Schildarten.h"
#include "ServerZugriff.h"

#include <QAction>
#include <QPushButton>

#include <automation/ComObject.h>
#include <registry/Settings.h>

#include <algorithm>

namespace vovida::test {
namespace {

using kesto::automation::ComObject;
using kesto::automation::ComPtr;

// The object library's factory, except that IsConnected answers False once a request
// over a cut link has failed (what the library itself reports once its own issue is done).
class Abreissbar final : public ComObject<Abreissbar, IDispatch> {
 public:
  static inline int erzeugt = 0;
  static inline int abgerissenBis = 0;  // factories up to this number have lost their link

  explicit Abreissbar(kesto::automation::Dispatch echt) : echt_(std::move(echt)), nummer_(++erzeugt) {}

  HRESULT GetTypeInfoCount(UINT* n) override { return echt_.object()->GetTypeInfoCount(n); }
  HRESULT GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return echt_.object()->GetTypeInfo(i, l, t); }
  HRESULT GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* ids) override {
    return echt_.object()->GetIDsOfNames(r, n, c, l, ids);
  }
  HRESULT Invoke(DISPID id, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* e, EXCEPINFO* x, UINT* a) override {
    constexpr DISPID kIsConnected = 10;
    if (id == kIsConnected && gemerkt_ && e) {
      e->vt = VT_BOOL;
      e->boolVal = VARIANT_FALSE;
      return S_OK;
    }
    const HRESULT hr = echt_.object()->Invoke(id, r, l, f, p, e, x, a);
    if (FAILED(hr) && nummer_ <= abgerissenBis) gemerkt_ = true;
    return hr;
  }

 private:
  kesto::automation::Dispatch echt_;
  int nummer_;
  bool gemerkt_ = false;
};

class VerbindungsabrissTest : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    Abreissbar::erzeugt = Abreissbar::abgerissenBis = 0;
    setFabrikErzeuger([this] {
      ++fabriken;
      return kesto::automation::Dispatch(Abreissbar::create(kesto::automation::Dispatch::create("KestoObject.Factory")));
    });
  }
  void abreissen() {
    serverAnhalten();
    Abreissbar::abgerissenBis = Abreissbar::erzeugt;
  }
  std::vector<std::string> texteMitTitel(const char* titel, std::size_t ab) const {
    std::vector<std::string> t;
    for (std::size_t i = ab; i < boxen->shown().size(); ++i)
      if (boxen->shown()[i].title == titel) t.push_back(boxen->shown()[i].text);
    return t;
  }
};

TEST_F(VerbindungsabrissTest, OneMessageThenTheAttemptsAndTheCommandGoesOn) {
  anmelden();
  const std::size_t vorher = boxen->shown().size();
  abreissen();
  uhr->laufend = true;  // the wait between the attempts
  // Between the attempts the user starts the server again and saves its new port.
  modalSkript.push_back([this](QWidget& w) {
    EXPECT_EQ(w.objectName().toStdString(), "FMServer");
    serverStarten();
    w.hide();
  });
  start().findChild<QAction*>(QStringLiteral("mSchriftNeuLesen"))->trigger();

  const auto zugriff = texteMitTitel("Kesto Zugriffsfehler", vorher);
  ASSERT_EQ(zugriff.size(), 1u);
  EXPECT_EQ(zugriff[0].rfind("Die Verbindung zum Server ist unterbrochen.\r\n\r\nVorgang: Lese Parameter Gruppe PLAKAT", 0), 0u)
      << zugriff[0];
  EXPECT_EQ(texteMitTitel("Anmeldung an Kesto", vorher),
            std::vector<std::string>{"Server nicht erreicht! Bitte überprüfen Sie die Verbindungseinstellungen\r\n"
                                     "Noch 2 Verbindungsversuche bis zum Abbruch."});
  EXPECT_FALSE(programm->endedWith());
  EXPECT_TRUE(verbunden());
  // The next reads reach the new server.
  EXPECT_EQ(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("STYLE")), QStringLiteral("neu"));
}

// The link goes while the preview is drawn: the sheet is half drawn under the reconnect
// prompts, and Druck draws it again before anything goes to the printer.
TEST_F(VerbindungsabrissTest, DruckNeverSendsTheSheetHalfDrawnWhileTheLinkWasLost) {
  SchildartDienste dienste;
  dienste.zeichnen = [this] {
    auto& p = start().VSPrinter1;
    p.StartDoc();
    p.Text("Stil: " + ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("STYLE")).toStdString());
    p.EndDoc();
  };
  SchildartEintragen(QStringLiteral("A4N"), dienste);
  anmelden();
  abreissen();
  uhr->laufend = true;
  modalSkript.push_back([this](QWidget& w) {
    serverStarten();
    w.hide();
  });
  start().Aktualisieren_Click();
  ASSERT_TRUE(verbunden());
  EXPECT_FALSE(start().VorschauAktuell());
  start().Drucken->click();
  ASSERT_EQ(drucker->gedruckt.size(), 1u);
  const auto* text = std::get_if<kesto::activex::TextOp>(&drucker->gedruckt[0].ops.at(0));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "Stil: neu");
}

TEST_F(VerbindungsabrissTest, ServerThatStaysAwayEndsTheProgramWithinTheFailedOperation) {
  anmelden();
  const std::size_t vorher = boxen->shown().size();
  abreissen();
  uhr->laufend = true;
  // Even the last operation of a command goes into the attempts, not a later one.
  EXPECT_THROW(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("STYLE")), kesto::services::ProgramEnded);
  EXPECT_EQ(texteMitTitel("Kesto Zugriffsfehler", vorher).size(), 1u);
  EXPECT_EQ(texteMitTitel("Anmeldung an Kesto", vorher).size(), 3u);
  EXPECT_EQ(programm->endedWith(), 0);
}

}  // namespace
}  // namespace vovida::test
