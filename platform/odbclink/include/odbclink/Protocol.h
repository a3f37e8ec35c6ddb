// Facts of the ODBC client/server protocol that the driver and the stand-in server share.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kesto::odbc::protocol {

inline constexpr std::size_t kHeaderSize = 14;
inline constexpr std::uint16_t kDefaultPort = 1972;
inline constexpr std::uint16_t kProtocolWord = 1;

// Largest body either side accepts; a peer announcing more is refused (413).
inline constexpr std::uint32_t kMaxBodyLength = 256u * 1024u * 1024u;

// A long parameter sent before in chunks (SB/SM) is named in the execution request by its
// handle, as an integer element of exactly this many data bytes (the handle and a zero high
// byte). Values are always written in their fewest bytes, so no value looks like a handle.
inline constexpr std::size_t kStreamHandleBytes = 5;

// Return codes with a meaning on both sides.
inline constexpr std::uint16_t kOk = 0;
inline constexpr std::uint16_t kEndOfData = 100;
inline constexpr std::uint16_t kGeneralError = 400;
inline constexpr std::uint16_t kBadLogin = 402;
inline constexpr std::uint16_t kIncompatibleProtocol = 413;

// One-byte key of the credential scramble; a shared secret of driver and server.
inline constexpr std::uint8_t kScrambleKey = 0x5A;

inline constexpr std::uint8_t rotateRight3(std::uint8_t v) {
    return static_cast<std::uint8_t>((v >> 3) | ((v << 5) & 0xFF));
}
inline constexpr std::uint8_t rotateLeft3(std::uint8_t v) {
    return static_cast<std::uint8_t>(((v << 3) & 0xFF) | (v >> 5));
}

// Scrambles n units (bytes or UTF-16 code units) into out[0..n-1]; the output is reversed
// and only the low byte of each unit changes.
template <typename Unit>
void scrambleCredential(const Unit* in, Unit* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const auto low = static_cast<std::uint8_t>(static_cast<std::uint32_t>(in[i]) & 0xFF);
        const auto t = static_cast<std::uint8_t>((low ^ kScrambleKey) + (n - 1 - i));
        const auto high = static_cast<std::uint32_t>(in[i]) & ~0xFFu;
        out[n - 1 - i] = static_cast<Unit>(high | rotateRight3(t));
    }
}

// The server's inverse of scrambleCredential.
template <typename Unit>
void unscrambleCredential(const Unit* in, Unit* out, std::size_t n) {
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t i = n - 1 - j;  // position of the unit before scrambling
        const auto s = static_cast<std::uint8_t>(static_cast<std::uint32_t>(in[j]) & 0xFF);
        const auto low = static_cast<std::uint8_t>(
            static_cast<std::uint8_t>(rotateLeft3(s) - (n - 1 - i)) ^ kScrambleKey);
        const auto high = static_cast<std::uint32_t>(in[j]) & ~0xFFu;
        out[i] = static_cast<Unit>(high | low);
    }
}

}  // namespace kesto::odbc::protocol
