#include "Textkoerper.h"

#include <QFile>

#include <activex/RTFText2.h>
#include <text/CodePage.h>

#include <stdexcept>

namespace vovida {

namespace {

[[noreturn]] void nichtGeschrieben(const QString& pfad) {
  throw std::runtime_error(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.").arg(pfad).toStdString());
}

}  // namespace

void RtfCodeKoerper::SaveFile(const QString& pfad) {
  const std::string bytes = kesto::text::toNarrow(code_.toStdU16String());
  QFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      datei.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    nichtGeschrieben(pfad);
  }
}

int RtfCodeKoerper::LoadFile(const QString& pfad) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return 1;
  const QByteArray bytes = datei.readAll();
  code_ = QString::fromStdU16String(kesto::text::toWide(std::string_view(bytes.constData(), bytes.size())));
  return 0;
}

QString RtfSteuerelementKoerper::RichText() const { return QString::fromStdString(rtf_.Rtf()); }

void RtfSteuerelementKoerper::setRichText(const QString& code) { rtf_.setRtf(code.toStdString()); }

void RtfSteuerelementKoerper::SaveFile(const QString& pfad) {
  rtf_.setFileName(pfad.toStdString());
  if (rtf_.Save(kesto::activex::RTFText2::richTextFormat, pfad.toStdString()) != 0) nichtGeschrieben(pfad);
}

int RtfSteuerelementKoerper::LoadFile(const QString& pfad) {
  rtf_.setFileName(pfad.toStdString());
  return rtf_.Load(rtf_.FileName());
}

bool RtfSteuerelementKoerper::Vorlage() const { return rtf_.Loaded(); }

void RtfSteuerelementKoerper::setVorlage(bool an) { rtf_.setLoaded(an); }

QTextDocument* RtfSteuerelementKoerper::Dokument() { return rtf_.document(); }

void RtfSteuerelementKoerper::geaendert() {
  rtf_.setRefresh(true);
  rtf_.setEditState(true);
}

}  // namespace vovida
