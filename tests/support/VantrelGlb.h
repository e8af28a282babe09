#pragma once

// Packing glTF binary (.glb) files for the tests, fuzz seeds and
// benchmarks: a JSON text and the bytes of its first buffer.

#include <cstdint>
#include <cstring>
#include <string>

namespace vantrel_test
{
// Appends the bytes of a value as the machine holds it (little-endian here).
template <typename T>
void
appendBytes(std::string &out, T value)
{
    char b[sizeof(T)];
    std::memcpy(b, &value, sizeof(T));
    out.append(b, sizeof(T));
}

// A .glb file: the header, the JSON chunk (padded with blanks) and, when
// bin is not empty, the binary chunk (padded with zeros).
inline std::string
glbFile(std::string json, std::string bin)
{
    json.resize((json.size() + 3) / 4 * 4, ' ');
    bin.resize((bin.size() + 3) / 4 * 4, '\0');
    std::string out = "glTF";
    const uint32_t length = uint32_t(12 + 8 + json.size() + (bin.empty() ? 0 : 8 + bin.size()));
    appendBytes(out, uint32_t(2));
    appendBytes(out, length);
    appendBytes(out, uint32_t(json.size()));
    appendBytes(out, uint32_t(0x4E4F534A));
    out += json;
    if (!bin.empty())
    {
        appendBytes(out, uint32_t(bin.size()));
        appendBytes(out, uint32_t(0x004E4942));
        out += bin;
    }
    return out;
}
} // namespace vantrel_test
