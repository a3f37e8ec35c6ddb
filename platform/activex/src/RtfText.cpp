// Plain text of rich-text code: enough to show a rich text box's words until the
// rich-text reader draws it with its formatting.
#include "activex/Renderer.h"

#include <QStringDecoder>

#include <cctype>
#include <vector>

namespace kesto::activex {

namespace {

// Groups whose content is no text of the document.
bool isDestination(const std::string& word)
{
    static const char* const names[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict",
                                        "header", "footer", "object", "listtable", "listoverridetable"};
    for (const char* name : names)
        if (word == name)
            return true;
    return false;
}

void appendCodePoint(std::u16string& out, long codePoint)
{
    if (codePoint < 0)
        codePoint += 65536;
    if (codePoint >= 0 && codePoint <= 0xFFFF)
        out.push_back(static_cast<char16_t>(codePoint));
}

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : in_(rtf) {}

    std::string read()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                skip_.push_back(skipping());
            } else if (c == '}') {
                if (!skip_.empty())
                    skip_.pop_back();
            } else if (c == '\\') {
                controlSymbol();
            } else if (c != '\r' && c != '\n') {
                putByte(static_cast<unsigned char>(c));
            }
        }
        while (!out_.empty() && out_.back() == u'\n')
            out_.pop_back();
        return QString::fromStdU16String(out_).toStdString();
    }

private:
    bool skipping() const { return !skip_.empty() && skip_.back(); }

    void put(char16_t c)
    {
        if (!skipping())
            out_.push_back(c);
    }

    void putByte(unsigned char byte)
    {
        if (byte < 0x80) {
            put(static_cast<char16_t>(byte));
            return;
        }
        const char raw = static_cast<char>(byte);
        QString decoded = decoder_.isValid() ? decoder_.decode(QByteArrayView(&raw, 1)) : QString();
        if (decoded.isEmpty())
            decoded = QString(QChar(byte));  // Latin-1 without a Windows-1252 decoder
        for (QChar ch : decoded)
            put(ch.unicode());
    }

    void controlSymbol()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (c == '\\' || c == '{' || c == '}') {
            ++pos_;
            put(static_cast<char16_t>(c));
        } else if (c == '\'') {
            ++pos_;
            const std::string hex(in_.substr(pos_, 2));
            pos_ += hex.size();
            char* end = nullptr;
            const long value = std::strtol(hex.c_str(), &end, 16);
            if (hex.size() == 2 && end == hex.c_str() + 2)
                putByte(static_cast<unsigned char>(value));
        } else if (c == '*') {
            ++pos_;
            if (!skip_.empty())
                skip_.back() = true;
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            controlWord();
        } else {
            ++pos_;  // other control symbols carry no text
        }
    }

    void controlWord()
    {
        std::string word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])))
            word += in_[pos_++];
        std::string digits;
        if (pos_ < in_.size() && in_[pos_] == '-')
            digits += in_[pos_++];
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_])) && digits.size() < 10)
            digits += in_[pos_++];
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        const long parameter = digits.empty() || digits == "-" ? 0 : std::strtol(digits.c_str(), nullptr, 10);

        if (word == "par" || word == "line")
            put(u'\n');
        else if (word == "tab")
            put(u'\t');
        else if (word == "u") {
            if (!skipping()) {
                appendCodePoint(out_, parameter);
                skipFallback();
            }
        } else if (isDestination(word) && !skip_.empty())
            skip_.back() = true;
    }

    // After \uN one fallback character (or escape) stands for readers without Unicode.
    void skipFallback()
    {
        if (pos_ >= in_.size())
            return;
        if (in_[pos_] == '\\' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\'')
            pos_ = std::min(in_.size(), pos_ + 4);
        else if (in_[pos_] != '\\' && in_[pos_] != '{' && in_[pos_] != '}')
            ++pos_;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<bool> skip_;
    std::u16string out_;
    QStringDecoder decoder_{"windows-1252"};
};

} // namespace

std::string plainTextFromRtf(std::string_view rtf)
{
    return RtfReader(rtf).read();
}

} // namespace kesto::activex
