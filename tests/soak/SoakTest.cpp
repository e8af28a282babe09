#include "apps/vantrel-soak/SoakMeter.h"
#include "apps/vantrel-soak/SoakScene.h"
#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace
{
SoakSample
sample(long objects, long bytes)
{
    SoakSample s;
    s.liveObjects = objects;
    s.residentBytes = bytes;
    return s;
}

struct SoakRun
{
    int status = -1;
    std::string out;
};

// The soak program with its output (standard error joined in).
SoakRun
runSoak(const std::string &args)
{
    SoakRun run;
    // Under AddressSanitizer freed memory is held back for a while, which
    // would read as growth: the program runs with that hold-back off.
    const char *asan = std::getenv("ASAN_OPTIONS");
    const std::string cmd = "ASAN_OPTIONS=" + std::string(asan ? asan : "") +
                            ":quarantine_size_mb=0 timeout 120 " + VANTREL_SOAK_EXE + " " + args +
                            " 2>&1";
    if (FILE *pipe = popen(cmd.c_str(), "r"))
    {
        char buffer[1024];
        for (size_t got; (got = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
            run.out.append(buffer, got);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return run;
}
} // namespace

TEST(SoakMeter, GrowthPastTheLimitOrFromNothingIsALeak)
{
    const SoakSample start = sample(40, 100000000);
    // Flat, shrinking, and exactly five percent more all pass.
    EXPECT_EQ(soakGrowth(start, start, 0.05), "");
    EXPECT_EQ(soakGrowth(start, sample(10, 90000000), 0.05), "");
    EXPECT_EQ(soakGrowth(start, sample(42, 105000000), 0.05), "");

    const std::string objects = soakGrowth(start, sample(43, 100000000), 0.05);
    EXPECT_NE(objects.find("live display objects grew by 7.5% (40 to 43)"), std::string::npos)
        << objects;
    EXPECT_EQ(objects.find("resident"), std::string::npos);

    const std::string both = soakGrowth(start, sample(80, 105000001), 0.05);
    EXPECT_NE(both.find("live display objects grew by 100.0%"), std::string::npos) << both;
    EXPECT_NE(both.find("resident bytes grew"), std::string::npos) << both;

    // A scene that held no objects after warm-up may not start holding some.
    EXPECT_NE(soakGrowth(sample(0, 1000), sample(1, 1000), 0.05).find("from 0 to 1"),
              std::string::npos);
    EXPECT_GT(soakResidentBytes(), 0);
}

class SoakSceneTest : public vantrel_test::PixelTest
{
};

TEST_F(SoakSceneTest, ChurnsCachesAndPicksWhileLiveObjectsStayFlat)
{
    RE_Render *r = render();
    const int period = SoakScene::theOptionPeriod;
    const int before = r->getNumLiveObjects();
    std::vector<int> live, batches;
    long builds_last_period = 0, together_last_period = 0;
    {
        SoakScene scene(r, vantrel_test::theContextSize, vantrel_test::theContextSize);
        for (int frame = 0; frame < 3 * period; ++frame)
        {
            if (frame == 2 * period)
                r->resetFrameStats();
            scene.drawFrame(frame);
            if (frame % period == period - 1)
            {
                live.push_back(r->getNumLiveObjects());
                batches.push_back(r->getNumLiveBatches());
            }
        }
        builds_last_period = r->getFrameStats().cacheBuilds;
        together_last_period = r->getFrameStats().batchedObjects;
        // Half the pick passes are regions across the middle of the view,
        // where the objects stand.
        EXPECT_GT(scene.getPickRecords(), 3 * period / 20);
    }
    // Geometry changes every tenth frame: each one drops a cached object
    // that is built again, so a leak in that cycle would show.
    EXPECT_GE(builds_last_period, period / 20);
    ASSERT_EQ(live.size(), 3u);
    EXPECT_GT(live[1], before);
    EXPECT_EQ(live[1], live[2]);
    // The row of boxes is drawn together under most options, but for the
    // two boxes that move, and its buffers are rebuilt or patched, not
    // added to.
    EXPECT_GT(together_last_period, long(period) * SoakScene::theRowSize / 4);
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_GE(batches[1], 1);
    EXPECT_EQ(batches[1], batches[2]);
    // The row's boxes drawn together after the scene went would be a leak.
    EXPECT_EQ(r->getNumLiveBatches(), 0);
    // The looks release their objects; only the library-wide origin lists
    // (made on the first frame) may stay.
    EXPECT_LE(r->getNumLiveObjects(), before + 2);
    EXPECT_EQ(r->drainGLErrors(), 0);
}

TEST(SoakProgram, ReportsBothFiguresAndRefusesShortRuns)
{
    const SoakRun run = runSoak("1200");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("start frame    799: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("end   frame   1199: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("flat"), std::string::npos) << run.out;

    // Fewer frames than three option periods leave nothing to compare
    // after warm-up.
    for (const char *bad : {"1199", "-5", "12x", "800 1"})
    {
        const SoakRun refused = runSoak(bad);
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_NE(refused.out.find("expected one frame count"), std::string::npos) << bad;
    }
}
