#include "Pdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>

namespace kesto::test {

namespace {

// The standard output of a poppler tool, or nothing when it fails.
std::optional<QString> ausgabe(const QString& programm, const QStringList& argumente) {
  QProcess prozess;
  prozess.start(programm, argumente);
  if (!prozess.waitForFinished() || prozess.exitStatus() != QProcess::NormalExit || prozess.exitCode() != 0)
    return std::nullopt;
  return QString::fromUtf8(prozess.readAllStandardOutput());
}

}  // namespace

std::vector<std::string> pdfSeitentexte(const std::string& datei) {
  const QString pfad = QString::fromStdString(datei);
  const std::optional<QString> info = ausgabe(QStringLiteral("pdfinfo"), {pfad});
  if (!info) return {};
  const auto treffer =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption).match(*info);
  if (!treffer.hasMatch()) return {};
  std::vector<std::string> seiten;
  for (int s = 1, n = treffer.captured(1).toInt(); s <= n; ++s) {
    const QString nr = QString::number(s);
    const std::optional<QString> text =
        ausgabe(QStringLiteral("pdftotext"), {QStringLiteral("-f"), nr, QStringLiteral("-l"), nr, pfad, QStringLiteral("-")});
    seiten.push_back(text ? text->toStdString() : std::string());
  }
  return seiten;
}

}  // namespace kesto::test
