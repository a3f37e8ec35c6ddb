// Writer of a QTextDocument as rich-text code that the reader beside it, and the word
// processors our users keep their templates in, read back.
#include "activex/RichText.h"

#include <text/CodePage.h>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cmath>
#include <cstdio>
#include <vector>

namespace kesto::activex {

namespace {

// Umlauts as the application's own conversion to rich-text code spells them.
const char* umlautEscape(char16_t c)
{
    switch (c) {
    case u'ä': return "\\'e4";
    case u'ö': return "\\'f6";
    case u'ü': return "\\'fc";
    case u'ß': return "\\'df";
    case u'Ä': return "\\'C4";
    case u'Ö': return "\\'d6";
    case u'Ü': return "\\'dc";
    default: return nullptr;
    }
}

// The bullet hangs this far (twips) left of the text, as word processors write it.
constexpr int bulletHang = 360;

int twips(double pixels)
{
    return static_cast<int>(std::lround(pixels * twipsPerPixel));
}

QString familyOf(const QTextCharFormat& format, const QString& fallback)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() || families.front().isEmpty() ? fallback : families.front();
}

class Tables {
public:
    explicit Tables(const QString& defaultFamily) { fonts_.push_back(defaultFamily); }

    int font(const QString& family)
    {
        const auto at = fonts_.indexOf(family);
        if (at >= 0)
            return static_cast<int>(at);
        fonts_.push_back(family);
        return static_cast<int>(fonts_.size() - 1);
    }

    // 0 for the automatic colour.
    int colour(const QTextCharFormat& format)
    {
        if (!format.hasProperty(QTextFormat::ForegroundBrush))
            return 0;
        const QRgb rgb = format.foreground().color().rgb();
        for (std::size_t i = 0; i < colours_.size(); ++i)
            if (colours_[i] == rgb)
                return static_cast<int>(i + 1);
        colours_.push_back(rgb);
        return static_cast<int>(colours_.size());
    }

    std::string header() const
    {
        std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
        for (qsizetype i = 0; i < fonts_.size(); ++i)
            out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 " + escapeRtfText(fonts_[i]) + ";}";
        out += "}\r\n{\\colortbl ;";
        for (QRgb rgb : colours_)
            out += "\\red" + std::to_string(qRed(rgb)) + "\\green" + std::to_string(qGreen(rgb)) + "\\blue" +
                   std::to_string(qBlue(rgb)) + ";";
        out += "}\r\n\\viewkind4\\uc1\r\n";
        return out;
    }

private:
    QStringList fonts_;
    std::vector<QRgb> colours_;
};

std::string paragraphStart(const QTextBlock& block)
{
    const QTextBlockFormat f = block.blockFormat();
    std::string out = "\\pard";
    const Qt::Alignment align = f.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        out += "\\qc";
    else if (align & Qt::AlignRight)
        out += "\\qr";
    else if (align & Qt::AlignJustify)
        out += "\\qj";
    else
        out += "\\ql";
    const bool bullet = block.textList() != nullptr;
    out += "\\li" + std::to_string(twips(f.leftMargin())) + "\\ri" + std::to_string(twips(f.rightMargin()));
    out += "\\fi" + std::to_string(bullet ? -bulletHang : twips(f.textIndent()));
    if (f.topMargin() != 0)
        out += "\\sb" + std::to_string(twips(f.topMargin()));
    if (f.bottomMargin() != 0)
        out += "\\sa" + std::to_string(twips(f.bottomMargin()));
    out += " ";
    if (bullet)
        out += "{\\pntext\\f0\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'b7}}";
    return out;
}

std::string run(const QString& text, const QTextCharFormat& f, Tables& tables, const QString& defaultFamily,
                double defaultPoints)
{
    const double points = f.fontPointSize() > 0 ? f.fontPointSize() : defaultPoints;
    std::string out = "{\\f" + std::to_string(tables.font(familyOf(f, defaultFamily))) + "\\fs" +
                      std::to_string(std::lround(points * 2));
    if (f.fontWeight() >= QFont::Bold)
        out += "\\b";
    if (f.fontItalic())
        out += "\\i";
    if (f.fontUnderline())
        out += "\\ul";
    if (f.fontStrikeOut())
        out += "\\strike";
    if (const int colour = tables.colour(f))
        out += "\\cf" + std::to_string(colour);
    return out + " " + escapeRtfText(text) + "}";
}

} // namespace

std::string escapeRtfText(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        unsigned char byte = 0;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == 0x2028 || c == 0x2029 || c == '\n') {
            out += "\\line ";
        } else if (c == 0xA0) {
            out += "\\~";
        } else if (c < 0x80) {
            if (c >= 0x20)
                out += static_cast<char>(c);
        } else if (const char* umlaut = umlautEscape(c)) {
            out += umlaut;
        } else if (text::toNarrowChar(c, text::CodePage::Ansi, byte)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", byte);
            out += hex;
        } else {
            const int signedUnit = c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c);
            out += "\\u" + std::to_string(signedUnit) + "?";
        }
    }
    return out;
}

std::string writeRtf(const QTextDocument& document)
{
    const QFont defaultFont = document.defaultFont();
    const QString defaultFamily = defaultFont.family();
    const double defaultPoints = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF() : 12;
    Tables tables(defaultFamily);
    std::string body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += paragraphStart(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                body += run(fragment.text(), fragment.charFormat(), tables, defaultFamily, defaultPoints);
        }
        body += "\\par\r\n";
    }
    return tables.header() + body + "}\r\n";
}

} // namespace kesto::activex
