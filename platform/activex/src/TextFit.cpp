#include "activex/TextFit.h"
#include "activex/Fonts.h"
#include "activex/Page.h"
#include "QtText.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace kesto::activex {

namespace {

constexpr double sizeStep = 0.25;  // points between the sizes tried
constexpr double slack = 1.0;      // page units a line may exceed its box by rounding

struct Line {
    QString text;
    double width = 0;
};

QString trimmedEnd(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1].isSpace())
        --n;
    return s.left(n);
}

// The lines of one paragraph wrapped within the width; a word wider than the width stays
// whole unless `anywhere` lets it break.
std::vector<Line> wrapParagraph(const QString& paragraph, const QFont& font, double width, bool anywhere)
{
    const QFontMetricsF metrics(font);
    if (paragraph.isEmpty())
        return {Line{}};
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(anywhere ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<Line> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const QString text = trimmedEnd(paragraph.mid(line.textStart(), line.textLength()));
        lines.push_back({text, metrics.horizontalAdvance(text)});
    }
    layout.endLayout();
    return lines;
}

std::vector<Line> setLines(const std::vector<QString>& paragraphs, const QFont& font, double width, bool wrap,
                           bool anywhere)
{
    const QFontMetricsF metrics(font);
    std::vector<Line> lines;
    for (const QString& paragraph : paragraphs) {
        if (!wrap) {
            lines.push_back({paragraph, metrics.horizontalAdvance(paragraph)});
            continue;
        }
        auto wrapped = wrapParagraph(paragraph, font, width, anywhere);
        lines.insert(lines.end(), wrapped.begin(), wrapped.end());
    }
    return lines;
}

bool fits(const std::vector<Line>& lines, const QFont& font, double width, double height)
{
    for (const Line& line : lines)
        if (line.width > width + slack)
            return false;
    return height <= 0 || QFontMetricsF(font).lineSpacing() * static_cast<double>(lines.size()) <= height + slack;
}

// At the floor: the lines that fit, the last of them ending in an ellipsis when text is left off.
std::vector<Line> cutToFit(const std::vector<QString>& paragraphs, const QFont& font, double width, double height,
                           bool wrap, bool& cut)
{
    const QFontMetricsF metrics(font);
    std::vector<Line> lines = setLines(paragraphs, font, width, wrap, true);
    const auto elide = [&](const QString& text) {
        const QString shown = metrics.elidedText(text, Qt::ElideRight, width);
        return Line{shown, metrics.horizontalAdvance(shown)};
    };
    if (!wrap) {
        for (Line& line : lines)
            if (line.width > width + slack) {
                line = elide(line.text);
                cut = true;
            }
        return lines;
    }
    const auto room = static_cast<std::size_t>(std::max(1.0, std::floor((height + slack) / metrics.lineSpacing())));
    if (lines.size() <= room)
        return lines;
    cut = true;
    QString rest;
    for (std::size_t i = room - 1; i < lines.size(); ++i)
        rest += (rest.isEmpty() ? QString() : QStringLiteral(" ")) + lines[i].text;
    lines.resize(room);
    // The ellipsis must show even when the kept line fills the width on its own.
    Line last = elide(rest + QChar(0x2026));
    if (!last.text.endsWith(QChar(0x2026)))
        last = elide(rest);
    lines.back() = last;
    return lines;
}

} // namespace

double floorSize(double size)
{
    return std::max(size / 2, std::min(size, 6.0));
}

FittedText fitText(std::string_view text, const TextStyle& style, Length boxWidth, Length boxHeight, bool shrink)
{
    std::vector<QString> paragraphs;
    for (const std::string& line : splitLines(text))
        paragraphs.push_back(toQString(line));
    const double width = boxWidth.units();
    const bool wrap = boxHeight.units() > 0;
    const bool free = width <= 0;

    FittedText out;
    out.font = style.font;
    QFont font = makeFont(out.font);
    std::vector<Line> lines = setLines(paragraphs, font, width, wrap && !free, false);
    const double lineHeight = QFontMetricsF(font).lineSpacing();
    const double height = wrap ? boxHeight.units() : 0;
    if (shrink && !free && !fits(lines, font, width, height)) {
        out.shrunk = true;
        const double lowest = floorSize(style.font.size);
        const auto sizeAt = [&](int k) { return lowest + k * sizeStep; };
        const auto fitsAt = [&](int k) {
            FontSpec trial = style.font;
            trial.size = sizeAt(k);
            const QFont f = makeFont(trial);
            return fits(setLines(paragraphs, f, width, wrap, false), f, width, height);
        };
        // Largest size on the grid that fits; the size asked for (the top of the grid) does not.
        const int steps = static_cast<int>(std::ceil((style.font.size - lowest) / sizeStep));
        const bool found = steps > 0 && fitsAt(0);
        int lo = 0, hi = steps;
        while (found && hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            (fitsAt(mid) ? lo : hi) = mid;
        }
        out.font.size = sizeAt(lo);
        font = makeFont(out.font);
        lines = found ? setLines(paragraphs, font, width, wrap, false)
                      : cutToFit(paragraphs, font, width, height, wrap, out.cut);
    }

    const QFontMetricsF metrics(font);
    out.ascent = units(metrics.ascent());
    out.inkHeight = units(metrics.ascent() + metrics.descent());
    out.lineSpacing = units(metrics.lineSpacing());
    const double total = metrics.lineSpacing() * static_cast<double>(lines.size());
    // A one-line box is as high as a line at the size asked for.
    const double cell = wrap ? height : lineHeight;
    double top = 0;
    // A box lower than a line at the floor size holds its line from its top edge down, so
    // that it never reaches up over what lies above the box.
    if (!wrap || !shrink || total <= cell + slack)
        switch (style.vertical()) {
        case VAlign::Middle: top = (cell - total) / 2; break;
        case VAlign::Bottom: top = cell - total; break;
        default: break;
        }
    for (const Line& line : lines) {
        double left = 0;
        switch (style.horizontal()) {
        case HAlign::Centre: left = (width - line.width) / 2; break;
        case HAlign::Right: left = width - line.width; break;
        default: break;
        }
        out.lines.push_back({line.text.toStdString(), units(left), units(top), units(line.width)});
        top += metrics.lineSpacing();
    }
    return out;
}

FittedText fitText(const TextBoxOp& op)
{
    // A framed box is a band: it keeps its size and clips what does not fit.
    return fitText(op.text, op.style, op.box.width, op.box.height, !op.frame);
}

} // namespace kesto::activex
