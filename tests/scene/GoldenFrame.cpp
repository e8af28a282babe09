#include "tests/scene/GoldenFrame.h"

#include "host/RE/RE_PNG.h"
#include "host/TIL/TIL_ImageFile.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace golden
{
Comparison
compare(const TIL_TextureMap &reference, const TIL_TextureMap &actual, const Tolerance &tol,
        TIL_TextureMap *diff)
{
    Comparison result;
    result.sameSize = reference.getWidth() == actual.getWidth() &&
                      reference.getHeight() == actual.getHeight() && !actual.isEmpty();
    if (!result.sameSize)
        return result;
    const int w = actual.getWidth(), h = actual.getHeight();
    result.total = w * h;
    if (diff)
        diff->resize(w, h);
    const uint8_t *a = reference.getPixels();
    const uint8_t *b = actual.getPixels();
    for (int i = 0; i < result.total; ++i)
    {
        bool differs = false;
        for (int c = 0; c < 4; ++c)
            differs = differs || std::abs(int(a[4 * i + c]) - int(b[4 * i + c])) > tol.channel;
        result.differing += differs ? 1 : 0;
        if (diff)
        {
            uint8_t *d = diff->getPixels() + 4 * i;
            for (int c = 0; c < 3; ++c)
                d[c] = differs ? (c == 0 ? 255 : 0) : uint8_t(b[4 * i + c] / 3);
            d[3] = 255;
        }
    }
    return result;
}

std::string
check(const std::string &name, const std::string &actualPath, const std::string &referencePath,
      const std::string &failureDir, const Tolerance &tol)
{
    TIL_TextureMap reference, actual;
    std::string error;
    if (!std::filesystem::exists(referencePath))
        return "no reference frame \"" + referencePath + "\"; render the references with " +
               theRegenerateCommand;
    if (!TILreadPNG(referencePath.c_str(), reference, error))
        return "bad reference frame: " + error + "; render the references with " +
               theRegenerateCommand;
    if (!TILreadPNG(actualPath.c_str(), actual, error))
        return "no frame rendered: " + error;

    TIL_TextureMap diff;
    const Comparison result = compare(reference, actual, tol, &diff);
    if (result.passes(tol))
        return "";

    std::ostringstream why;
    if (!result.sameSize)
        why << "frame is " << actual.getWidth() << "x" << actual.getHeight() << ", reference "
            << reference.getWidth() << "x" << reference.getHeight();
    else
        why << result.differing << " of " << result.total
            << " pixels differ by more than " << tol.channel << " in a channel";
    std::filesystem::create_directories(failureDir);
    const std::string base = failureDir + "/" + name;
    // The images are stored bottom row first, as GL reads them back.
    REwritePNG((base + ".actual.png").c_str(), actual.getWidth(), actual.getHeight(),
               actual.getPixels(), true);
    if (result.sameSize)
        REwritePNG((base + ".diff.png").c_str(), diff.getWidth(), diff.getHeight(),
                   diff.getPixels(), true);
    why << "; wrote " << base << ".actual.png" << (result.sameSize ? " and .diff.png" : "")
        << "; if the change is intended, render the references with " << theRegenerateCommand;
    return why.str();
}
}
