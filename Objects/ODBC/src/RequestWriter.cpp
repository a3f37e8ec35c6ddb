#include "RequestWriter.h"

#include "Errors.h"

#include <odbclink/Protocol.h>

namespace kesto::odbc {

void RequestWriter::begin(std::uint32_t sequence, std::string_view requestCode, std::uint32_t statementId) {
    buffer_.clear();
    secrets_.clear();
    writeRawU32(0);  // body length, patched by send
    writeRawU32(sequence);
    writeRawU32(statementId);
    writeRaw(requestCode.data(), requestCode.size());
}

int RequestWriter::send(Transport& transport, Timeout timeout) {
    const auto body = static_cast<std::uint32_t>(buffer_.size() - protocol::kHeaderSize);
    for (int i = 0; i < 4; ++i) buffer_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(body >> (8 * i));
    if (secrets_.empty() || !transport.trace) return transport.send(buffer_, timeout);
    std::vector<std::uint8_t> masked = buffer_;
    for (const auto& [from, to] : secrets_)
        for (std::size_t i = from; i < to && i < masked.size(); ++i) masked[i] = '*';
    return transport.send(buffer_, timeout, masked);
}

void RequestWriter::writeElementHeader(long n) {
    if (n < 0) {
        buffer_.push_back(1);
    } else if (n <= 253) {
        buffer_.push_back(static_cast<std::uint8_t>(n + 2));
    } else {
        buffer_.push_back(0);
        const auto l = static_cast<std::uint32_t>(n + 1);
        buffer_.push_back(static_cast<std::uint8_t>(l & 0xFF));
        buffer_.push_back(static_cast<std::uint8_t>(l >> 8));
    }
}

int RequestWriter::writeElement(std::uint8_t type, const std::uint8_t* data, std::size_t length) {
    if (length > kMaxElementData) return code::Limit;
    writeElementHeader(static_cast<long>(length));
    buffer_.push_back(type);
    if (length) buffer_.insert(buffer_.end(), data, data + length);
    return 0;
}

void RequestWriter::writeInteger(std::int32_t value) { writeInteger64(value); }

void RequestWriter::writeUnsigned(std::uint32_t value) {
    std::uint8_t bytes[4];
    std::size_t n = 0;
    for (std::uint32_t rest = value; rest; rest >>= 8) bytes[n++] = static_cast<std::uint8_t>(rest);
    writeElement(4, bytes, n);
}

namespace {

// Fewest little-endian bytes of v: none for 0; for negatives those that hold the complement
// (at least one), readers filling the rest with ones.
std::size_t integerBytes(std::int64_t v, std::uint8_t (&bytes)[8]) {
    const auto u = static_cast<std::uint64_t>(v);
    std::size_t n = 0;
    if (v >= 0) {
        for (std::uint64_t rest = u; rest; rest >>= 8) bytes[n++] = static_cast<std::uint8_t>(rest);
        return n;
    }
    std::uint64_t complement = ~u;
    do {
        bytes[n] = static_cast<std::uint8_t>(u >> (8 * n));
        ++n;
        complement >>= 8;
    } while (complement && n < 8);
    return n;
}

}  // namespace

void RequestWriter::writeInteger64(std::int64_t value) {
    std::uint8_t bytes[8];
    const std::size_t n = integerBytes(value, bytes);
    writeElement(value < 0 ? 5 : 4, bytes, n);
}

void RequestWriter::writeDecimal(std::int64_t mantissa, std::int8_t exponent) {
    std::uint8_t data[9];
    std::uint8_t bytes[8];
    const std::size_t n = integerBytes(mantissa, bytes);
    data[0] = static_cast<std::uint8_t>(exponent);
    for (std::size_t i = 0; i < n; ++i) data[i + 1] = bytes[i];
    writeElement(mantissa < 0 ? 7 : 6, data, n + 1);
}

void RequestWriter::writeRaw(const void* data, std::size_t length) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    buffer_.insert(buffer_.end(), p, p + length);
}

void RequestWriter::writeRawU16(std::uint16_t value) {
    buffer_.push_back(static_cast<std::uint8_t>(value));
    buffer_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void RequestWriter::writeRawU32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) buffer_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void RequestWriter::markSecret(std::size_t from) { secrets_.emplace_back(from, buffer_.size()); }

}  // namespace kesto::odbc
