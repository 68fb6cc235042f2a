#pragma once

// Builds RIFF WAVE files in memory for the loader tests.

#include <cstdint>
#include <string>

namespace GralithTest {

inline std::string U32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

inline std::string U16(uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

inline std::string Chunk(const std::string& tag, const std::string& body, bool pad = true) {
    std::string chunk = tag + U32(static_cast<uint32_t>(body.size())) + body;
    if (pad && body.size() % 2)
        chunk += '\0';
    return chunk;
}

/// The 16 bytes of a PCM format chunk body.
inline std::string Format(int channels, int rate, int bits) {
    int align = channels * bits / 8;
    return U16(1) + U16(static_cast<uint16_t>(channels)) + U32(static_cast<uint32_t>(rate)) +
           U32(static_cast<uint32_t>(rate * align)) + U16(static_cast<uint16_t>(align)) +
           U16(static_cast<uint16_t>(bits));
}

/// "RIFF" + size + "WAVE" + the chunks.
inline std::string Riff(const std::string& chunks) {
    return "RIFF" + U32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

/// A canonical 44-byte-header file.
inline std::string Wav(int channels, int rate, int bits, const std::string& data) {
    return Riff(Chunk("fmt ", Format(channels, rate, bits)) + Chunk("data", data));
}

} // namespace GralithTest
