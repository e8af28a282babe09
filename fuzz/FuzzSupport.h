#pragma once

// Shared pieces of the fuzz targets: the round-trip check, and writing the
// seed inputs (made by the savers) when VANTREL_FUZZ_WRITE_SEEDS names a
// directory.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <locale>
#include <ostream>
#include <string>
#include <utility>
#include <unistd.h>
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

// What written(gdp) writes loads again (as a stream called name) and is
// written the same way a second time; otherwise stops the run, keeping the
// input. For the mesh readers, whose writers are the fuzz targets' own.
template <typename Detail, typename Write>
void
expectMeshRoundTrip(const Detail &gdp, const char *name, Write written)
{
    const std::string first = written(gdp);
    std::istringstream back(first);
    Detail again;
    std::string error;
    if (!again.load(back, name, &error))
        failRoundTrip(("a written mesh does not load: " + error).c_str(), first);
    expectSameText(first, written(again), "the mesh");
}

// A file name of this process's own in the temporary directory, for
// readers that take a path. The savers flush each file to disk, which in
// memory (/dev/shm) costs next to nothing and elsewhere costs most of each
// run.
inline std::string
scratchPath(const char *target, const char *what, const char *extension)
{
    const char *tmp = std::getenv("TMPDIR");
    std::string dir = tmp && *tmp ? tmp : "/tmp";
    if (!(tmp && *tmp) && access("/dev/shm", W_OK | X_OK) == 0)
        dir = "/dev/shm";
    return dir + "/vantrel-fuzz-" + target + "-" + std::to_string(getpid()) + "-" + what +
           extension;
}

inline bool
writeFile(const std::string &path, const uint8_t *data, size_t size)
{
    FILE *fp = std::fopen(path.c_str(), "wb");
    if (!fp)
        return false;
    const bool ok = std::fwrite(data, 1, size, fp) == size;
    return std::fclose(fp) == 0 && ok;
}

// Loads the fuzz input as a viewer loads a file it is given, through a file
// with the extension (the readers choose by content, then by name). False
// when it does not load.
template <typename Detail>
bool
loadAsFile(const char *target, const char *extension, const uint8_t *data, size_t size,
           Detail &gdp)
{
    const std::string path = scratchPath(target, "input", extension);
    if (!writeFile(path, data, size))
        return false;
    const bool ok = gdp.load(path.c_str());
    std::remove(path.c_str());
    return ok;
}

// Sets a text stream to write floats so that they read back exactly: nine
// significant digits, whatever the process's locale.
inline void
writeExactFloats(std::ostream &os)
{
    os.imbue(std::locale::classic());
    os.precision(9);
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
