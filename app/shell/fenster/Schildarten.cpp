#include "Schildarten.h"

#include <map>
#include <utility>

namespace vovida {

namespace {

std::map<QString, SchildartDienste>& tabelle() {
  static std::map<QString, SchildartDienste> t;
  return t;
}

}  // namespace

const Schildart* SchildartZu(QStringView code) {
  for (const Schildart& art : kSchildarten)
    if (code == QString::fromUtf8(art.code)) return &art;
  return nullptr;
}

void SchildartEintragen(const QString& code, SchildartDienste dienste) {
  tabelle()[code] = std::move(dienste);
}

const SchildartDienste* SchildartDiensteZu(const QString& code) {
  const auto it = tabelle().find(code);
  return it == tabelle().end() ? nullptr : &it->second;
}

void SchildartenLeeren() { tabelle().clear(); }

}  // namespace vovida
