#include "Fehlertexte.h"

#include <QRegularExpression>

#include <services/MessageBox.h>

#include <array>
#include <memory>
#include <utility>

namespace vovida {

namespace {

struct Bedeutung {
  const char* muster;   // the library's text, "(.+)" where it names something
  const char* deutsch;  // "%1" takes what the text names
};

// The object library's messages that reach the user.
constexpr std::array<Bedeutung, 5> kBedeutungen{{
    {"^Send to Server failed", "Die Anfrage konnte nicht an den Server gesendet werden."},
    {"^Factory not connected to server|^Factory\\.New .* Factory not connected", "Es besteht keine Verbindung zum Server."},
    {"^Failure to create class\\. Name missing", "Ein Objekt ohne Klassennamen kann nicht geöffnet werden."},
    {"^Failure to create (\\S+?)\\.(\\s|$)", "Das Objekt der Klasse %1 konnte auf dem Server nicht geöffnet werden."},
    {"^Class\\s+(\\S+)\\s+not released", "Die Klasse %1 ist noch in Gebrauch; die Verbindung wird nicht getrennt."},
}};

const char* const kAllgemein = "Der Server hat den Vorgang nicht ausgeführt.";
const char* const kBibliothekstitel = "KestoObject";
const char* const kTitel = "Kesto Zugriffsfehler";

class DeutscheBibliotheksmeldungen final : public kesto::services::MessageBoxPort {
 public:
  explicit DeutscheBibliotheksmeldungen(std::shared_ptr<kesto::services::MessageBoxPort> dahinter)
      : dahinter_(std::move(dahinter)) {}

  int show(const kesto::services::MessageBoxRequest& anfrage) override {
    if (anfrage.title != kBibliothekstitel) return dahinter_->show(anfrage);
    kesto::services::MessageBoxRequest deutsch = anfrage;
    deutsch.title = kTitel;
    deutsch.text = FehlerMitEinzelheiten(QString::fromStdString(anfrage.text)).toStdString();
    return dahinter_->show(deutsch);
  }

 private:
  std::shared_ptr<kesto::services::MessageBoxPort> dahinter_;
};

}  // namespace

QString FehlerErklaerung(const QString& text) {
  for (const Bedeutung& b : kBedeutungen) {
    const QRegularExpressionMatch treffer = QRegularExpression(QString::fromUtf8(b.muster)).match(text);
    if (!treffer.hasMatch()) continue;
    QString deutsch = QString::fromUtf8(b.deutsch);
    return treffer.lastCapturedIndex() >= 1 ? deutsch.arg(treffer.captured(1)) : deutsch;
  }
  return QString::fromUtf8(kAllgemein);
}

QString FehlerMitEinzelheiten(const QString& text) {
  const QString erklaerung = FehlerErklaerung(text);
  if (text.trimmed().isEmpty()) return erklaerung;
  return erklaerung + QStringLiteral("\r\nEinzelheiten: ") + text.trimmed();
}

void BibliotheksmeldungenEindeutschen() {
  const std::shared_ptr<kesto::services::MessageBoxPort> jetzt = kesto::services::messageBoxPort();
  if (std::dynamic_pointer_cast<DeutscheBibliotheksmeldungen>(jetzt)) return;
  kesto::services::setMessageBoxPort(std::make_shared<DeutscheBibliotheksmeldungen>(jetzt));
}

}  // namespace vovida
