// vantrel-soak: draws a changing scene for many frames and fails when the
// live display objects or the resident memory grow after warm-up.
//   vantrel-soak [FRAMES]   (20000 when not given; at least three option periods)

#include "apps/vantrel-soak/SoakMeter.h"
#include "apps/vantrel-soak/SoakScene.h"
#include "decor/GUI_ViewRender3D.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
const int theDefaultFrames = 20000;
const short theWidth = 160;
const short theHeight = 120;
// Growth allowed between the samples: five percent.
const double theGrowthLimit = 0.05;

bool
parseFrames(int argc, char **argv, int &frames)
{
    frames = theDefaultFrames;
    if (argc < 2)
        return true;
    char *end = nullptr;
    const long value = std::strtol(argv[1], &end, 10);
    if (argc > 2 || end == argv[1] || *end || value < 3 * SoakScene::theOptionPeriod ||
        value > 100000000)
    {
        std::fprintf(stderr, "vantrel-soak: expected one frame count from %d to 100000000\n",
                     3 * SoakScene::theOptionPeriod);
        return false;
    }
    frames = int(value);
    return true;
}

void
print(const char *when, int frame, const SoakSample &sample)
{
    std::printf("%-5s frame %6d: %ld live display objects, %ld array buffers, "
                "%ld runs drawn together (%ld bytes), %.1f MB resident\n",
                when, frame, sample.liveObjects, sample.liveArrayBuffers, sample.liveBatches,
                sample.batchBytes, double(sample.residentBytes) / (1024.0 * 1024.0));
}
} // namespace

int
main(int argc, char **argv)
{
    int frames = 0;
    if (!parseFrames(argc, argv, frames))
        return 2;
    RE_OffscreenContext context(theWidth, theHeight);
    if (!context.isValid())
    {
        std::fprintf(stderr, "vantrel-soak: no offscreen context: %s\n",
                     context.getError().c_str());
        return 1;
    }
    context.makeCurrent();
    RE_Render *r = context.getRender();

    // Both samples are taken at the end of an option period, so the scene
    // is in the same state; warm-up is a tenth of the run in whole periods,
    // at least two (the allocators and GL settle over the first ones).
    const int period = SoakScene::theOptionPeriod;
    const int warmup = std::max(2 * period, (frames / 10 + period - 1) / period * period);
    const int last = frames / period * period - 1;

    SoakSample start, end;
    const auto began = std::chrono::steady_clock::now();
    {
        SoakScene scene(r, theWidth, theHeight);
        for (int frame = 0; frame < frames; ++frame)
        {
            scene.drawFrame(frame);
            if (frame == warmup - 1)
                print("start", frame, start = soakSample(*r));
            if (frame == last)
                print("end", frame, end = soakSample(*r));
        }
        std::printf("%d frames, %ld pick records, %.1f s\n", frames, scene.getPickRecords(),
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - began)
                        .count());
    }
    // The world origin and sticky origin are library-wide lists that stay
    // for the life of the process; anything else left belonged to a look.
    const int leftover = r->getNumLiveObjects() -
                         (GUI_ViewRender3D::getOriginListId() >= 0 ? 1 : 0) -
                         (GUI_ViewRender3D::getStickyOriginListId() >= 0 ? 1 : 0);
    if (leftover != 0)
        std::printf("%d display objects still alive after the scene went\n", leftover);
    std::fflush(stdout);
    const std::string growth = soakGrowth(start, end, theGrowthLimit);
    if (!growth.empty() || leftover != 0)
    {
        std::fprintf(stderr, "vantrel-soak: leak: %s\n",
                     growth.empty() ? "display objects outlive their looks" : growth.c_str());
        return 1;
    }
    std::printf("flat: no figure grew by more than %.0f%%\n", theGrowthLimit * 100.0);
    return 0;
}
