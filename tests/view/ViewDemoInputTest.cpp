// What the demo refuses from its command line and from the files it is
// pointed at: a clear message and a failing status, never a hang, a blank
// frame or a camera of NaNs.
#include "tests/view/ViewStateTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace view_state_test;

namespace
{
class ViewDemoInput : public ::testing::Test
{
protected:
    void TearDown() override { std::filesystem::remove_all(myDir); }
    ChildRun viewer(const std::string &args)
    {
        return runViewer("--prefs " + myDir + " -o " + png() + " " + args, myDir);
    }
    std::string png() const { return myDir + "/out.png"; }
    std::string file(const char *name) const { return myDir + "/" + name; }

    std::string myDir = makeTempDir();
};
} // namespace

TEST_F(ViewDemoInput, NumbersInFlagsMustBeFinite)
{
    for (const char *args : {"--tumble nan,0", "--tumble 1,inf", "--tumble 1,2,3", "--dolly inf",
                             "--zoom 1e39", "--near nan", "--far -inf", "--dolly 0x10",
                             "--size 4294967616x240", "--size 320x-5", "--background 0.5,0.5",
                             "--tumble-style 4294967296", "--clear nan", "--fog-weight nan",
                             "--snapshot-alpha nan", "-o ''"})
    {
        const ChildRun run = viewer(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_NE(access(png().c_str(), F_OK), 0) << args << ": rendered anyway";
    }
    // Ordinary numbers still pass.
    const ChildRun run = viewer("--size 64x48 --tumble 10.5,-3 --dolly +2 --zoom 1e1 --near 0.01");
    EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(ViewDemoInput, CameraAndMeshFilesFromOutside)
{
    const std::string fifo = file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char *> specials[] = {
        {"--load-camera /dev/zero", "not a regular file"},
        {"--load-camera " + fifo, "not a regular file"},
        {"--load-camera " + myDir, "is a directory"},
        {"--mesh /dev/zero", "not a regular file"},
        {"--mesh " + fifo, "not a regular file"},
        {"--snapshot " + fifo, "not a regular file"},
        {"--background-image " + fifo, "not a regular file"}};
    for (const auto &[args, why] : specials)
    {
        const ChildRun run = viewer("--size 32x32 " + args);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_NE(run.err.find(why), std::string::npos) << args << ": " << run.err;
    }

    // Numbers a camera file may not hold.
    for (const char *text : {"focal ( nan )", "txyz ( 1e39 0 0 )", "nearfar ( inf 100 )",
                             "rotation ( 0x707107 0 0 0 1 0 0 0 1 )"})
    {
        writeFile(file("cam.txt"), text);
        const ChildRun run = viewer("--size 32x32 --load-camera " + file("cam.txt"));
        EXPECT_EQ(run.status, 1) << text;
        EXPECT_NE(run.err.find("cannot read camera"), std::string::npos) << run.err;
    }

    // Files in which no camera entry is found: nothing to load, said so.
    writeFile(file("empty.cam"), "");
    writeFile(file("mesh.cam"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    for (const char *name : {"empty.cam", "mesh.cam"})
    {
        const ChildRun run = viewer("--size 32x32 --load-camera " + file(name));
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find(file(name) + "\" holds no camera entry"), std::string::npos)
            << run.err;
    }

    // A camera file the demo writes loads again: homing onto a mesh too
    // large for the camera's numbers (a distance past a float, a size past
    // one) leaves the camera as it was and says why.
    const std::pair<const char *, const char *> meshes[] = {
        {"v 0 0 0\nv 1e20 0 0\nv 0 1 0\nf 1 2 3\n", "no number holds"},
        {"v 0 0 0\nv 3.4e38 0 0\nv -3.4e38 1 0\nf 1 2 3\n", "size is not finite"}};
    for (const auto &[mesh, why] : meshes)
    {
        writeFile(file("far.obj"), mesh);
        ChildRun run = viewer("--size 32x32 --mesh " + file("far.obj") + " --save-camera " +
                              file("far.cam"));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
        run = viewer("--size 32x32 --load-camera " + file("far.cam"));
        EXPECT_EQ(run.status, 0) << why << ": " << run.err;
    }

    // A camera saved through a link replaces the linked file, and a save
    // that cannot be made keeps the old file.
    writeFile(file("real.cam"), "old");
    ASSERT_EQ(symlink("real.cam", file("link.cam").c_str()), 0);
    ChildRun run = viewer("--size 32x32 --save-camera " + file("link.cam"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(file("real.cam")).compare(0, 12, "version ( 3 "), 0);
    struct stat st;
    ASSERT_EQ(lstat(file("link.cam").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    run = viewer("--size 32x32 --save-camera " + file("real.cam/below"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is not a directory"), std::string::npos) << run.err;
}

// Regions and distances that cannot be used as given: a pick region past
// the image is cut at its edge (and still finds what lies inside it), a far
// distance not beyond the near one is moved, and each change is said.
TEST_F(ViewDemoInput, RegionsAndDistancesAreFittedAndSaid)
{
    const ChildRun whole = viewer("--size 64x48 --pick 0,0,64,48");
    ASSERT_EQ(whole.status, 0) << whole.err;
    ASSERT_NE(whole.out.find("primitive"), std::string::npos) << whole.out;
    const ChildRun past = viewer("--size 64x48 --pick 0,0,40000,65536");
    EXPECT_EQ(past.status, 0) << past.err;
    EXPECT_EQ(past.out, whole.out);

    const ChildRun swapped = viewer("--size 32x32 --near 10 --far 1 --save-camera " +
                                    file("swapped.cam"));
    EXPECT_EQ(swapped.status, 0) << swapped.err;
    EXPECT_NE(swapped.err.find("the far distance 1 is not beyond the near distance 10"),
              std::string::npos)
        << swapped.err;
    const std::string cam = readFile(file("swapped.cam"));
    const size_t at = cam.find("nearfar ( ");
    ASSERT_NE(at, std::string::npos) << cam;
    std::istringstream limits(cam.substr(at + 10));
    double nearDist = 0, farDist = 0;
    limits >> nearDist >> farDist;
    EXPECT_EQ(nearDist, 10.0);
    EXPECT_GT(farDist, 10.0);
}

// Settings a person would lose or never notice: an unreadable settings file
// is kept beside the one a save writes, and values that load but that no
// one would choose are named.
TEST_F(ViewDemoInput, SettingsFilesAreKeptAndOddValuesNamed)
{
    const std::string pref = file("display.pref");
    writeFile(pref, "garbled { ( ) ");
    ChildRun run = viewer("--size 32x32 --save-prefs");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Unable to load default Viewport settings"), std::string::npos);
    EXPECT_NE(run.err.find("Kept the unreadable default Viewport settings as:\n\t" + pref + ".bad"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(readFile(pref + ".bad"), "garbled { ( ) ");

    // The file written loads again; made odd by hand, each entry is named.
    std::string text = readFile(pref);
    const std::pair<std::string, std::string> edits[] = {
        {"backgroundcolor ( 0.22 0.22 0.22 )", "backgroundcolor ( 1.5 0.22 -0.1 )"},
        {"wirewidth ( 1 )", "wirewidth ( -2 )"},
        {"lod ( 1 )", "lod ( -1 )"},
        {"imagescale ( 1 1 )", "imagescale ( 1 0 )"}};
    for (const auto &[from, to] : edits)
    {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    writeFile(pref, text);
    run = viewer("--size 32x32");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Unable to load"), std::string::npos) << run.err;
    for (const char *named : {"\"backgroundcolor\" is a colour outside 0 to 1 (1.5 0.22 -0.1)",
                              "\"wirewidth\" is negative (-2)", "\"lod\" is negative (-1)",
                              "\"imagescale\" is zero (1 0)"})
        EXPECT_NE(run.err.find(named), std::string::npos) << named << "\n" << run.err;
}
