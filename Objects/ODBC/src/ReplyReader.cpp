#include "ReplyReader.h"

#include <cstdlib>
#include <string>

#include "AnsiText.h"
#include "Errors.h"

#include <odbclink/Protocol.h>

#include <array>
#include <cmath>

namespace kesto::odbc {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

const std::array<double, 256>& powers() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = std::pow(10.0, static_cast<std::int8_t>(i));
        return t;
    }();
    return table;
}

}  // namespace

double powerOfTen(std::int8_t exponent) { return powers()[static_cast<std::uint8_t>(exponent)]; }

int ReplyReader::receive(Transport& transport, std::uint32_t expectedSequence, Timeout timeout,
                         std::uint32_t expectedStatement, bool raw) {
    std::vector<std::uint8_t> message;
    const std::size_t headerSize = protocol::kHeaderSize;
    if (const int r = transport.receive(message, headerSize, timeout)) return r;
    if (message.size() < headerSize) return code::Protocol;
    const std::uint32_t bodyLength = le32(message.data());
    const std::uint32_t sequence = le32(message.data() + 4);
    const std::uint32_t statement = le32(message.data() + 8);
    returnCode_ = static_cast<std::uint16_t>(message[12] | message[13] << 8);
    if (statement != expectedStatement || sequence != expectedSequence) return code::Sequence;
    if (transport.deliversWholeMessages()) {
        if (message.size() - headerSize != bodyLength) return code::Protocol;
        message.erase(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(headerSize));
    } else {
        if (bodyLength > protocol::kMaxBodyLength) return code::Protocol;
        message.clear();
        if (bodyLength)
            if (const int r = transport.receive(message, bodyLength, timeout)) return r;
    }
    if (raw) startRaw(std::move(message));
    else start(std::move(message));
    return returnCode_;
}

void ReplyReader::start(std::vector<std::uint8_t> body) {
    buffer_ = std::move(body);
    offset_ = 0;
    number_ = 1;
    place();
}

void ReplyReader::startRaw(std::vector<std::uint8_t> body) {
    buffer_ = std::move(body);
    offset_ = buffer_.size();
    number_ = 1;
    onElement_ = false;
    current_ = {};
}

void ReplyReader::place() {
    onElement_ = false;
    current_ = {};
    const std::size_t end = buffer_.size();
    if (offset_ >= end) return;
    const std::uint8_t* p = buffer_.data() + offset_;
    const std::size_t left = end - offset_;
    std::size_t size = 0;
    if (p[0] == 1) {
        size = 1;  // absent value: no type, no data
    } else if (p[0] != 0) {
        size = p[0];
        if (size > left) throw MalformedReply("element runs past the end of the reply");
        current_.type = p[1];
        current_.data = p + 2;
        current_.length = size - 2;
    } else {
        if (left < 4) throw MalformedReply("long element header cut off");
        const std::size_t l = static_cast<std::size_t>(p[1]) | static_cast<std::size_t>(p[2]) << 8;
        if (l == 0) throw MalformedReply("long element without a type byte");
        size = l + 3;
        if (size > left) throw MalformedReply("element runs past the end of the reply");
        current_.type = p[3];
        current_.data = p + 4;
        current_.length = l - 1;
        current_.longForm = true;
    }
    onElement_ = true;
}

bool ReplyReader::step(std::size_t k) {
    if (k < number_) {
        offset_ = 0;
        number_ = 1;
        place();
    }
    while (number_ < k && onElement_) next();
    return onElement_ && number_ == k;
}

bool ReplyReader::next() {
    if (!onElement_) {
        ++number_;
        return false;
    }
    const std::uint8_t h = buffer_[offset_];
    offset_ += h == 0 ? current_.length + 4 : h;
    ++number_;
    place();
    return onElement_;
}

const Element& ReplyReader::current() const {
    if (!onElement_) throw MalformedReply("reply has fewer elements than expected");
    return current_;
}

std::int64_t ReplyReader::readInteger() const { return integerValue(current()); }

double ReplyReader::readDecimal() const { return decimalValue(current()); }

std::int64_t integerValue(const Element& e) {
    if (e.type != 4 && e.type != 5) return 0;
    const bool negative = e.type == 5;
    if (e.longForm || e.length >= 128) return negative ? -1 : 0;
    if (e.length > 8) throw MalformedReply("integer wider than 64 bits");
    std::uint64_t v = negative ? ~std::uint64_t{0} : 0;
    for (std::size_t i = 0; i < e.length; ++i) {
        v &= ~(std::uint64_t{0xFF} << (8 * i));
        v |= static_cast<std::uint64_t>(e.data[i]) << (8 * i);
    }
    return static_cast<std::int64_t>(v);
}

DecimalParts decimalParts(const Element& e) {
    const bool negative = e.type == 7;
    std::uint64_t mantissa = negative ? ~std::uint64_t{0} : 0;
    DecimalParts parts;
    if (e.length > 0) {
        parts.exponent = static_cast<std::int8_t>(e.data[0]);
        if (e.length - 1 > 8) throw MalformedReply("decimal mantissa wider than 64 bits");
        for (std::size_t i = 1; i < e.length; ++i) {
            mantissa &= ~(std::uint64_t{0xFF} << (8 * (i - 1)));
            mantissa |= static_cast<std::uint64_t>(e.data[i]) << (8 * (i - 1));
        }
    }
    parts.mantissa = static_cast<std::int64_t>(mantissa);
    return parts;
}

double decimalValue(const Element& e) {
    if (e.type != 6 && e.type != 7) return 0;
    const DecimalParts p = decimalParts(e);
    // The nearest double to mantissa x 10^exponent: one exact operand pair and one rounding
    // when both are exact (|mantissa| <= 2^53, |exponent| <= 22), else the decimal text read
    // as such. Multiplying by a rounded 10^-k would miss it (33 x 0.1 is not 3.3).
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const std::int64_t m = p.mantissa;
    if (m >= -(std::int64_t{1} << 53) && m <= (std::int64_t{1} << 53) && p.exponent >= -22 && p.exponent <= 22)
        return p.exponent < 0 ? static_cast<double>(m) / kExact[-p.exponent] : static_cast<double>(m) * kExact[p.exponent];
    const std::string text = std::to_string(m) + "e" + std::to_string(p.exponent);
    return std::strtod(text.c_str(), nullptr);
}

void ReplyReader::peekWideString(std::u16string& out) const {
    const Element& e = current();
    if (e.type == 1) {
        out = widen(std::string_view(reinterpret_cast<const char*>(e.data), e.length));
    } else if (e.type == 2) {
        out.clear();
        for (std::size_t i = 0; i + 1 < e.length; i += 2)
            out.push_back(static_cast<char16_t>(e.data[i] | e.data[i + 1] << 8));
    }
}

void ReplyReader::readWideString(std::u16string& out) {
    peekWideString(out);
    next();
}

std::uint16_t ReplyReader::rawU16(std::size_t offset) const {
    if (offset + 2 > buffer_.size()) throw MalformedReply("reply body too short");
    return static_cast<std::uint16_t>(buffer_[offset] | buffer_[offset + 1] << 8);
}

std::uint32_t ReplyReader::rawU32(std::size_t offset) const {
    if (offset + 4 > buffer_.size()) throw MalformedReply("reply body too short");
    return le32(buffer_.data() + offset);
}

}  // namespace kesto::odbc
