#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace wav {

// A complete 16-bit mono PCM WAV file, little-endian, with no optional chunks.
inline std::vector<std::uint8_t> encodeMono16(const std::vector<std::int16_t>& samples,
                                              std::uint32_t rate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out(44 + dataBytes);
    std::size_t at = 0;
    auto put16 = [&](std::uint32_t v) {
        out[at++] = static_cast<std::uint8_t>(v & 0xff);
        out[at++] = static_cast<std::uint8_t>((v >> 8) & 0xff);
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xffff);
        put16(v >> 16);
    };
    auto tag = [&](const char* fourCc) {
        for (int i = 0; i < 4; ++i) {
            out[at++] = static_cast<std::uint8_t>(fourCc[i]);
        }
    };
    tag("RIFF");
    put32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(rate);
    put32(rate * 2); // bytes per second
    put16(2);        // bytes per frame
    put16(16);       // bits per sample
    tag("data");
    put32(dataBytes);
    for (std::int16_t s : samples) {
        put16(static_cast<std::uint16_t>(s));
    }
    return out;
}

inline bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace wav
