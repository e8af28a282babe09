#pragma once

// Shared pieces of the fuzz targets: the round-trip check, and writing the
// seed inputs (made by the savers) when VANTREL_FUZZ_WRITE_SEEDS names a
// directory.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace vantrel_fuzz
{
inline std::string
bytes(const uint8_t *data, size_t size)
{
    return std::string(reinterpret_cast<const char *>(data), size);
}

// Stops the run, keeping the input, when what was saved does not load back
// to the same state (seen as the same saved text).
inline void
expectSameText(const std::string &first, const std::string &second, const char *what)
{
    if (first == second)
        return;
    std::fprintf(stderr, "round trip changed %s:\n--- first save\n%s\n--- second save\n%s\n", what,
                 first.c_str(), second.c_str());
    std::abort();
}

[[noreturn]] inline void
failRoundTrip(const char *what, const std::string &text)
{
    std::fprintf(stderr, "%s:\n%s\n", what, text.c_str());
    std::abort();
}

// Writes named seeds into $VANTREL_FUZZ_WRITE_SEEDS and ends the process,
// when that is set; does nothing otherwise.
inline void
writeSeedsIfAsked(const std::vector<std::pair<std::string, std::string>> &seeds)
{
    const char *dir = std::getenv("VANTREL_FUZZ_WRITE_SEEDS");
    if (!dir || !*dir)
        return;
    for (const auto &seed : seeds)
        std::ofstream(std::string(dir) + "/" + seed.first, std::ios::binary) << seed.second;
    std::exit(0);
}
} // namespace vantrel_fuzz
