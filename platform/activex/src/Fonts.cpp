#include "activex/Fonts.h"
#include "activex/PreviewError.h"
#include "QtText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>

namespace kesto::activex {

namespace {

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

struct Substitute {
    std::string_view requested;  // lower case
    std::string_view family;
    bool bold;                   // the face is always drawn bold
};

// Free families for the names the server's font slots use: metric-compatible ones for the
// office faces, and a condensed bold face for the narrow headline and price face "Kipp",
// so that a 160-point price fits the width of an A4 poster.
constexpr std::array<Substitute, 6> substitutes = {{
    {"arial", "Liberation Sans", false},
    {"helvetica", "Liberation Sans", false},
    {"times new roman", "Liberation Serif", false},
    {"courier", "Liberation Mono", false},
    {"courier new", "Liberation Mono", false},
    {"kipp", "Nimbus Sans Narrow", true},
}};

const Substitute* substituteFor(const std::string& key)
{
    for (const auto& s : substitutes)
        if (s.requested == key)
            return &s;
    return nullptr;
}

constexpr std::string_view fallbackFamily = "DejaVu Sans";

void requireGuiApplication()
{
    // Qt aborts when fonts are touched without a GUI application; refuse instead.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw PreviewError(PreviewError::invalidCall, "Schriften sind ohne Qt-Anwendung nicht verfügbar");
}

std::string installedFamily(const std::string& lowered)
{
    for (const QString& family : QFontDatabase::families()) {
        const std::string name = family.toStdString();
        if (lowerAscii(name) == lowered)
            return name;
    }
    return {};
}

} // namespace

std::string resolveFontFamily(std::string_view requested)
{
    requireGuiApplication();
    const std::string key = lowerAscii(requested);
    if (const Substitute* s = substituteFor(key))
        return std::string(s->family);

    static std::mutex mutex;
    static std::map<std::string, std::string> cache;
    std::lock_guard lock(mutex);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    std::string family = key.empty() ? std::string() : installedFamily(key);
    if (family.empty())
        family = fallbackFamily;
    cache.emplace(key, family);
    return family;
}

void installFontSubstitutes()
{
    requireGuiApplication();
    for (const auto& s : substitutes) {
        const QString family = QString::fromLatin1(s.family.data(), static_cast<qsizetype>(s.family.size()));
        QFont::insertSubstitution(QString::fromLatin1(s.requested.data(), static_cast<qsizetype>(s.requested.size())),
                                  family);
    }
}

QFont makeFont(const FontSpec& spec)
{
    QFont font(toQString(resolveFontFamily(spec.name)));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(spec.size * unitsPerPoint))));
    const Substitute* s = substituteFor(lowerAscii(spec.name));
    font.setBold(spec.bold || (s && s->bold));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::ForceOutline);
    return font;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(std::move(line));
    return lines;
}

TextExtent measureText(const FontSpec& spec, std::string_view text)
{
    const QFontMetricsF metrics(makeFont(spec));
    const auto lines = splitLines(text);
    double width = 0;
    for (const auto& line : lines)
        width = std::max(width, metrics.horizontalAdvance(toQString(line)));
    return {units(width), units(metrics.lineSpacing() * static_cast<double>(lines.size()))};
}

Length textAdvance(const FontSpec& spec, std::string_view text)
{
    const QFontMetricsF metrics(makeFont(spec));
    return units(metrics.horizontalAdvance(toQString(text)));
}

} // namespace kesto::activex
