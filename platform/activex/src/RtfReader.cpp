// Reader of rich-text code into a QTextDocument. Tolerant: unknown control words and
// destinations are skipped; broken code is read as far as it goes and reported.
#include "activex/RichText.h"

#include <text/CodePage.h>

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <vector>

namespace kesto::activex {

namespace {

// Deeper nesting than any real document; beyond it groups are skipped whole.
constexpr int maxDepth = 256;
// Bullet text sits in the margin: never closer to the left edge than this (twips).
constexpr int minBulletIndent = 360;
constexpr long maxParameter = 1'000'000;

enum class Destination { Text, Skip, FontTable, ColourTable };

struct CharState {
    int font = -1;       // -1: the document's default
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    int colour = 0;      // 0: automatic
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int li = 0, ri = 0, fi = 0, sb = 0, sa = 0;  // twips
    bool bullet = false;
};

struct State {
    CharState ch;
    ParaState para;
    int uc = 1;
    Destination dest = Destination::Text;
};

struct Run {
    QString text;
    CharState ch;
};

struct Paragraph {
    ParaState para;
    std::vector<Run> runs;
};

class RtfReader {
public:
    explicit RtfReader(std::string_view in) : in_(in), utf8_(text::isValidUtf8(in)) {}

    bool read(QTextDocument& document)
    {
        // The opening brace of "{\rtf" is the first group.
        while (pos_ < in_.size() && !broken_) {
            const char c = in_[pos_++];
            if (c == '{')
                openGroup();
            else if (c == '}') {
                if (!closeGroup())
                    break;
            } else if (c == '\\')
                control();
            else if (c != '\r' && c != '\n' && c != '\0')
                rawByte(static_cast<unsigned char>(c));
        }
        if (depth_ != 0)
            broken_ = true;
        if (!current_.runs.empty())
            finishParagraph();
        build(document);
        return !broken_;
    }

private:
    State& state() { return stack_.back(); }

    void openGroup()
    {
        pendingSkip_ = 0;
        ++depth_;
        if (depth_ > maxDepth) {
            broken_ = true;
            return;
        }
        stack_.push_back(stack_.empty() ? State{} : stack_.back());
    }

    // False when the outermost group has closed: whatever follows is no part of the text.
    bool closeGroup()
    {
        pendingSkip_ = 0;
        if (depth_ <= 0) {
            broken_ = true;
            return false;
        }
        if (state().dest == Destination::FontTable && fontNumber_ >= 0)
            endFontName();
        --depth_;
        stack_.pop_back();
        return depth_ > 0;
    }

    bool inGroup() const { return !stack_.empty(); }

    void control()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            controlWord();
            return;
        }
        ++pos_;
        switch (c) {
        case '\\': case '{': case '}': character(static_cast<unsigned char>(c)); break;
        case '~': character(0xA0); break;
        case '_': character(0x2011); break;
        case '\t': character('\t'); break;
        case '\r': case '\n': paragraphEnd(); break;  // "\" before a line end means \par
        case '\'': hexByte(); break;
        case '*': starred_ = true; break;
        default: break;  // \- and other symbols carry no text
        }
    }

    void hexByte()
    {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (pos_ >= in_.size() || !std::isxdigit(static_cast<unsigned char>(in_[pos_])))
                return;
            const char h = static_cast<char>(std::tolower(static_cast<unsigned char>(in_[pos_++])));
            value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        character(text::toWideChar(static_cast<unsigned char>(value)));
    }

    void rawByte(unsigned char byte)
    {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (byte < 0x80 || !utf8_) {
            character(byte < 0x80 ? byte : text::toWideChar(byte));
            return;
        }
        // A whole UTF-8 sequence: the input was checked to be valid.
        std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        length = std::min(length, in_.size() - pos_ + 1);
        const QString decoded = QString::fromUtf8(in_.data() + pos_ - 1, static_cast<qsizetype>(length));
        pos_ += length - 1;
        for (QChar ch : decoded)
            character(ch.unicode());
    }

    void controlWord()
    {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && pos_ - start < 32 && std::isalpha(static_cast<unsigned char>(in_[pos_])))
            ++pos_;
        const std::string word(in_.substr(start, pos_ - start));
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        bool hasParameter = false;
        long parameter = 0;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            hasParameter = true;
            parameter = std::min(maxParameter, parameter * 10 + (in_[pos_++] - '0'));
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        if (!inGroup())
            return;
        const bool starred = std::exchange(starred_, false);
        if (pendingSkip_ > 0 && word != "u") {
            --pendingSkip_;
            return;
        }
        apply(word, hasParameter ? std::optional<long>(parameter) : std::nullopt, starred);
    }

    static int toInt(long v) { return static_cast<int>(v); }

    void apply(const std::string& word, std::optional<long> parameter, bool starred)
    {
        State& s = state();
        const long n = parameter.value_or(1);
        if (s.dest == Destination::Skip)
            return;
        // "{\*\word" marks a destination a reader may skip; the bullet group is the one we read.
        if (starred && !(s.dest == Destination::Text && word == "pn")) {
            s.dest = Destination::Skip;
            return;
        }
        if (word == "bin") {  // binary data: skip it, never read past the end
            pos_ += static_cast<std::size_t>(std::clamp<long>(n, 0, static_cast<long>(in_.size() - pos_)));
            return;
        }
        if (s.dest == Destination::FontTable) {
            if (word == "f")
                fontNumber_ = toInt(n);
            else if (word == "panose" || word == "falt")
                s.dest = Destination::Skip;
            return;
        }
        if (s.dest == Destination::ColourTable) {
            if (word == "red") colour_.setRed(std::clamp(toInt(n), 0, 255));
            else if (word == "green") colour_.setGreen(std::clamp(toInt(n), 0, 255));
            else if (word == "blue") colour_.setBlue(std::clamp(toInt(n), 0, 255));
            colourSet_ = true;
            return;
        }
        if (word == "pn") {
            // A bullet definition group: its paragraph is a list item (our texts know no
            // numbered lists, so every such group counts as bullets).
            if (stack_.size() >= 2)
                stack_[stack_.size() - 2].para.bullet = true;
            s.dest = Destination::Skip;
        } else if (word == "fonttbl") {
            s.dest = Destination::FontTable;
            fontNumber_ = -1;
        } else if (word == "colortbl") {
            s.dest = Destination::ColourTable;
        } else if (isSkippedDestination(word)) {
            s.dest = Destination::Skip;
        } else if (word == "par") {
            paragraphEnd();
        } else if (word == "line") {
            character(0x2028);
        } else if (word == "tab") {
            character('\t');
        } else if (word == "u") {
            if (n >= -32768 && n <= 65535)
                character(static_cast<char16_t>(n < 0 ? n + 65536 : n));
            pendingSkip_ = s.uc;
        } else if (word == "uc") {
            s.uc = std::clamp(toInt(n), 0, 10);
        } else if (word == "deff") {
            defaultFont_ = toInt(n);
        } else if (word == "pard") {
            s.para = ParaState{};
        } else if (word == "plain") {
            s.ch = CharState{};
        } else if (word == "f") {
            s.ch.font = toInt(n);
        } else if (word == "fs") {
            s.ch.halfPoints = std::clamp(toInt(n), 2, 3276);
        } else if (word == "b") {
            s.ch.bold = n != 0;
        } else if (word == "i") {
            s.ch.italic = n != 0;
        } else if (word == "ul") {
            s.ch.underline = n != 0;
        } else if (word == "ulnone") {
            s.ch.underline = false;
        } else if (word == "strike") {
            s.ch.strike = n != 0;
        } else if (word == "cf") {
            s.ch.colour = std::max(0, toInt(n));
        } else if (word == "ql") {
            s.para.align = Qt::AlignLeft;
        } else if (word == "qc") {
            s.para.align = Qt::AlignHCenter;
        } else if (word == "qr") {
            s.para.align = Qt::AlignRight;
        } else if (word == "qj") {
            s.para.align = Qt::AlignJustify;
        } else if (word == "li") {
            s.para.li = toInt(n);
        } else if (word == "ri") {
            s.para.ri = toInt(n);
        } else if (word == "fi") {
            s.para.fi = toInt(n);
        } else if (word == "sb") {
            s.para.sb = toInt(n);
        } else if (word == "sa") {
            s.para.sa = toInt(n);
        } else if (word == "ls") {
            s.para.bullet = true;
        }
    }

    static bool isSkippedDestination(const std::string& word)
    {
        static const char* const names[] = {"stylesheet", "info", "pict", "header", "footer", "headerl",
                                            "headerr", "footerl", "footerr", "object", "listtable",
                                            "listoverridetable", "pntext", "listtext", "field", "fldinst",
                                            "generator", "xmlnstbl", "rsidtbl", "themedata", "colorschememapping",
                                            "latentstyles", "datastore", "revtbl", "filetbl", "footnote"};
        return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return word == n; });
    }

    void character(char16_t c)
    {
        if (!inGroup())
            return;
        State& s = state();
        switch (s.dest) {
        case Destination::Text: {
            // Control characters and the document's own markers are no text; a paragraph
            // separator inside a run is a line break.
            if ((c < 0x20 && c != '\t') || (c >= 0xFDD0 && c <= 0xFDEF) || c == 0xFFFC || c >= 0xFFFE)
                return;
            if (c == 0x2029)
                c = 0x2028;
            auto& runs = current_.runs;
            if (runs.empty() || !(runs.back().ch == s.ch))
                runs.push_back({QString(), s.ch});
            runs.back().text += QChar(c);
            current_.para = s.para;
            break;
        }
        case Destination::FontTable:
            if (c == ';')
                endFontName();
            else if (fontNumber_ >= 0)
                fontName_ += QChar(c);
            break;
        case Destination::ColourTable:
            if (c == ';') {
                colours_.push_back(colourSet_ ? std::optional<QColor>(colour_) : std::nullopt);
                colour_ = QColor(0, 0, 0);
                colourSet_ = false;
            }
            break;
        case Destination::Skip:
            break;
        }
    }

    void endFontName()
    {
        if (fontNumber_ >= 0 && !fonts_.contains(fontNumber_))
            fonts_[fontNumber_] = fontName_.trimmed();
        fontName_.clear();
        fontNumber_ = -1;
    }

    void paragraphEnd()
    {
        if (!inGroup() || state().dest != Destination::Text)
            return;
        current_.para = state().para;
        finishParagraph();
    }

    void finishParagraph()
    {
        paragraphs_.push_back(std::move(current_));
        current_ = Paragraph{};
    }

    QTextCharFormat charFormat(const CharState& ch) const
    {
        QTextCharFormat f;
        const int font = ch.font >= 0 ? ch.font : defaultFont_;
        if (auto it = fonts_.find(font); it != fonts_.end() && !it->second.isEmpty() && font != defaultFont_)
            f.setFontFamilies(QStringList{it->second});
        f.setFontPointSize(ch.halfPoints / 2.0);
        f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(ch.italic);
        f.setFontUnderline(ch.underline);
        f.setFontStrikeOut(ch.strike);
        // Entry 0 of the table is the automatic colour (an empty entry).
        if (ch.colour > 0 && ch.colour < static_cast<int>(colours_.size()) && colours_[ch.colour])
            f.setForeground(*colours_[ch.colour]);
        return f;
    }

    static QTextBlockFormat blockFormat(const ParaState& p)
    {
        QTextBlockFormat f;
        f.setAlignment(p.align);
        const int li = p.bullet ? std::max(p.li, minBulletIndent) : p.li;
        f.setLeftMargin(li / twipsPerPixel);
        f.setRightMargin(p.ri / twipsPerPixel);
        f.setTextIndent(p.bullet ? 0 : p.fi / twipsPerPixel);
        f.setTopMargin(p.sb / twipsPerPixel);
        f.setBottomMargin(p.sa / twipsPerPixel);
        return f;
    }

    void build(QTextDocument& document) const
    {
        document.clear();
        if (auto it = fonts_.find(defaultFont_); it != fonts_.end() && !it->second.isEmpty()) {
            QFont font = document.defaultFont();
            font.setFamilies({it->second});
            document.setDefaultFont(font);
        }
        QTextCursor cursor(&document);
        QTextList* list = nullptr;
        bool first = true;
        for (const Paragraph& paragraph : paragraphs_) {
            const QTextBlockFormat format = blockFormat(paragraph.para);
            const QTextCharFormat start =
                paragraph.runs.empty() ? charFormat(CharState{}) : charFormat(paragraph.runs.front().ch);
            if (first)
                cursor.setBlockFormat(format), cursor.setBlockCharFormat(start);
            else
                cursor.insertBlock(format, start);
            first = false;
            if (paragraph.para.bullet) {
                if (list)
                    list->add(cursor.block());
                else {
                    QTextListFormat bullets;
                    bullets.setStyle(QTextListFormat::ListDisc);
                    bullets.setIndent(0);
                    list = cursor.createList(bullets);
                }
            } else {
                list = nullptr;
            }
            for (const Run& run : paragraph.runs)
                cursor.insertText(run.text, charFormat(run.ch));
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool utf8_;
    bool broken_ = false;
    int depth_ = 0;
    bool starred_ = false;
    int pendingSkip_ = 0;
    std::vector<State> stack_;

    std::map<int, QString> fonts_;
    int defaultFont_ = 0;
    int fontNumber_ = -1;
    QString fontName_;
    std::vector<std::optional<QColor>> colours_;
    QColor colour_{0, 0, 0};
    bool colourSet_ = false;

    std::vector<Paragraph> paragraphs_;
    Paragraph current_;
};

std::string_view trimmedStart(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    return text;
}

} // namespace

bool isRtf(std::string_view text)
{
    return trimmedStart(text).starts_with("{\\rtf");
}

bool readRtf(std::string_view rtf, QTextDocument& document)
{
    if (!isRtf(rtf)) {
        const QString plain = text::isValidUtf8(rtf)
                                  ? QString::fromUtf8(rtf.data(), static_cast<qsizetype>(rtf.size()))
                                  : QString::fromStdU16String(text::toWide(rtf));
        document.setPlainText(plain);
        return true;
    }
    return RtfReader(trimmedStart(rtf)).read(document);
}

} // namespace kesto::activex
