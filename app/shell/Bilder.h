// Picture files named by server parameters: Windows paths mapped to this machine, and
// the picture formats the application loads.
#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace vovida {

// A Windows path as this machine's path: a drive letter or UNC prefix is replaced by the
// folder the settings store maps it to (application "Vovida", section "Pfade", key e.g.
// "T:" or "\\server\share"), "\" becomes "/", and each name is matched without regard to
// case against what exists.
QString PfadAbbilden(const QString& windowsPfad);

// BMP, GIF, JPEG, PNG and ICO files load; metafiles and anything else do not (nullopt).
std::optional<QImage> BildLaden(const QString& windowsPfad);

}  // namespace vovida
