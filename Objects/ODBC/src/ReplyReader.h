// Receives one reply, checks it answers the request just sent, and walks its list elements.
// Every length a server sends is checked; a malformed reply throws MalformedReply (413).
#pragma once

#include "Transport.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace kesto::odbc {

struct MalformedReply : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The current element of the cursor. An absent element (the lone byte 01) has type 0.
struct Element {
    std::uint8_t type = 0;
    const std::uint8_t* data = nullptr;
    std::size_t length = 0;
    bool longForm = false;

    bool isNull() const { return type == 1 && length == 0; }
};

class ReplyReader {
public:
    ReplyReader() { buffer_.reserve(2048); }

    // The server's return code (0, 100, an error), a transport code, 452 for a reply to another
    // request, or 413 for a body length beyond the limit.
    // raw: the body is not list elements (stream pieces); only the raw reads apply.
    int receive(Transport& transport, std::uint32_t expectedSequence, Timeout timeout,
                std::uint32_t expectedStatement, bool raw = false);

    // Places the cursor on a body (tests and the receive path).
    void start(std::vector<std::uint8_t> body);
    void startRaw(std::vector<std::uint8_t> body);

    bool step(std::size_t k);  // to element k (1-based); false past the end
    bool next();               // to the following element; false past the end
    bool atElement() const { return onElement_; }
    std::size_t elementNumber() const { return number_; }
    const Element& current() const;

    std::int64_t readInteger() const;
    double readDecimal() const;
    // Type 1 (8-bit) or 2 (UTF-16); other types leave out unchanged.
    void peekWideString(std::u16string& out) const;
    void readWideString(std::u16string& out);

    // Raw body reads (handshake and stream replies), bounds-checked.
    std::uint16_t rawU16(std::size_t offset) const;
    std::uint32_t rawU32(std::size_t offset) const;

    const std::vector<std::uint8_t>& body() const { return buffer_; }
    std::uint16_t returnCode() const { return returnCode_; }

private:
    void place();  // reads the element at offset_ into current_

    std::vector<std::uint8_t> buffer_;
    std::size_t offset_ = 0;  // start of the current element
    std::size_t number_ = 0;
    bool onElement_ = false;
    Element current_;
    std::uint16_t returnCode_ = 0;
};

double powerOfTen(std::int8_t exponent);

// Type 4 zero-extended, type 5 one-extended; 128 data bytes or more, or the long form, count
// as no data (0 or -1); 9 to 127 bytes throw. Other types give 0.
std::int64_t integerValue(const Element& e);
// Types 6/7: exponent byte, then the mantissa like types 4/5 (value = mantissa x 10^exponent).
struct DecimalParts {
    std::int8_t exponent = 0;
    std::int64_t mantissa = 0;
};
DecimalParts decimalParts(const Element& e);
// The value of a type 6/7 element; other types give 0.
double decimalValue(const Element& e);

}  // namespace kesto::odbc
