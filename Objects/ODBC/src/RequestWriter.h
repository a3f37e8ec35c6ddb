// Builds one request at a time: the 14-byte header, then list elements or raw bytes.
#pragma once

#include "Transport.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto::odbc {

class RequestWriter {
public:
    RequestWriter() { buffer_.reserve(512); }

    void begin(std::uint32_t sequence, std::string_view requestCode, std::uint32_t statementId);
    // Patches the body length and sends the whole request.
    int send(Transport& transport, Timeout timeout);

    // Element header of data length n; n = -1 writes the absent-value element 01.
    void writeElementHeader(long n);
    // Header, type byte and data. Fails with 460 when the data exceeds an element's limit.
    int writeElement(std::uint8_t type, const std::uint8_t* data, std::size_t length);
    void writeInteger(std::int32_t value);
    void writeUnsigned(std::uint32_t value);
    // Integer of up to 8 bytes, and a decimal mantissa x 10^exponent (types 6 and 7): for
    // number literals taken from the statement text.
    void writeInteger64(std::int64_t value);
    void writeDecimal(std::int64_t mantissa, std::int8_t exponent);
    void writeRaw(const void* data, std::size_t length);
    void writeRawU16(std::uint16_t value);
    void writeRawU32(std::uint32_t value);

    // Marks the bytes written since `from` as secret: trace dumps show them as '*'.
    void markSecret(std::size_t from);
    std::size_t size() const { return buffer_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return buffer_; }

    // Strings travel as UTF-16 when set (the server's flag from the handshake).
    bool unicode = false;

    static constexpr std::size_t kMaxElementData = 65534;

private:
    std::vector<std::uint8_t> buffer_;
    std::vector<std::pair<std::size_t, std::size_t>> secrets_;
};

}  // namespace kesto::odbc
