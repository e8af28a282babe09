// Says how many pixels of a re-rendered golden frame changed, so that the
// person who blesses new references sees what they bless:
//   vantrel-golden-diff OLD.png NEW.png
// prints "N of M pixels changed, K beyond the tests' tolerance" (or why the
// frames could not be compared) and exits 0.
#include "tests/scene/GoldenFrame.h"

#include "host/TIL/TIL_ImageFile.h"

#include <cstdio>
#include <string>

int
main(int argc, char **argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: vantrel-golden-diff OLD.png NEW.png\n");
        return 2;
    }
    TIL_TextureMap before, after;
    std::string error;
    if (!TILreadPNG(argv[1], before, error))
    {
        std::printf("new frame (%s)\n", error.c_str());
        return 0;
    }
    if (!TILreadPNG(argv[2], after, error))
    {
        std::printf("not rendered (%s)\n", error.c_str());
        return 0;
    }
    golden::Tolerance exact;
    exact.channel = 0;
    const golden::Comparison changed = golden::compare(before, after, exact);
    if (!changed.sameSize)
    {
        std::printf("size changed from %dx%d to %dx%d\n", before.getWidth(), before.getHeight(),
                    after.getWidth(), after.getHeight());
        return 0;
    }
    const golden::Tolerance tests;
    const golden::Comparison beyond = golden::compare(before, after, tests);
    std::printf("%d of %d pixels changed, %d beyond the tests' tolerance\n", changed.differing,
                changed.total, beyond.differing);
    return 0;
}
