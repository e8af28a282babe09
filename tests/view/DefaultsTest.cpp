#include "tests/view/ViewStateTestSupport.h"

#include "host/UT/UT_ErrorManager.h"
#include "view/GUI_ExternalDefaultCB.h"

#include <filesystem>
#include <ostream>
#include <sys/stat.h>

using namespace view_state_test;

namespace
{
const std::string theLoadMessage = "Unable to load default Viewport settings:\n\t";

std::string
blockOf(const GUI_DisplayOption &options)
{
    std::ostringstream text;
    options.save(text);
    return text.str();
}

bool
hasError(const char *type, int code, const std::string &part)
{
    for (const UT_ErrorEntry &e : UTgetErrors())
        if (e.type == type && e.code == code && e.text.find(part) != std::string::npos)
            return true;
    return false;
}

int
countFiles(const std::string &dir)
{
    int count = 0;
    for (auto it = std::filesystem::directory_iterator(dir); it != std::filesystem::directory_iterator(); ++it)
        count++;
    return count;
}

// An application entry of its own; can also break the stream part way.
struct TestDefaults : GUI_ExternalDefaultCB
{
    bool matchesKeyword(const char *) override { return false; }
    bool loadKeyword(const char *, UT_IStream &) override { return false; }
    void saveDefaults(std::ostream &os) override
    {
        os << "testentry ( 42 )\n";
        if (breakStream)
            os.setstate(std::ios::badbit);
    }
    bool breakStream = false;
};

class DefaultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UTclearErrors();
        ASSERT_TRUE(std::filesystem::exists(VANTREL_VIEW_EXE)) << "the vantrel-view demo is not built";
    }
    // Saving changes this process's defaults: put the built-in options back.
    void TearDown() override
    {
        GUI_ViewState::setExternalDefaultCB(nullptr);
        GUI_ViewState builtin;
        builtin.getDisplayOptionRef() = GUI_DisplayOption();
        const std::string scratch = makeTempDir();
        {
            ScopedSearchPath path(scratch);
            UTclearErrors();
            builtin.saveAsDefault();
            UTclearErrors();
        }
        std::filesystem::remove_all(scratch);
        std::filesystem::remove_all(myDir);
    }
    std::string prefs() const { return myDir + "/display.pref"; }
    ChildRun viewer(const std::string &args) { return runViewer("--prefs " + myDir + " " + args, myDir); }

    const std::string myDir = makeTempDir();
};

TEST_F(DefaultsTest, SavedViewIsWhatAFreshProcessStartsFrom)
{
    const ChildRun saved = viewer("--near 0.5 --far 250 --adjust-limits 0 --background 0.1,0.3,0.6"
                                  " --tumble-style 2 --display-flag draworigin=0"
                                  " --user-option marks=1 --save-prefs --print-defaults");
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_NE(saved.out.find("Message GR 2"), std::string::npos);
    // View states made later in the saving process keep the old cameras.
    EXPECT_EQ(lineAfter(saved.out, "view 0 "), "near 0.1 far 10000 adjustlimits 1");
    EXPECT_NE(readFile(prefs()).find("}\nnear ( 0.5 )\nfar ( 250 )\nadjustlimits ( 0 )\ntumblestyle ( 2 )\n"),
              std::string::npos);

    // The user option is defined before the first view state, as an
    // application would, so that the file can turn it on.
    const ChildRun fresh = viewer("--user-option marks --print-defaults");
    ASSERT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_EQ(fresh.err, "");
    EXPECT_EQ(lineAfter(fresh.out, "limits "), "0.5 250");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lineAfter(fresh.out, "view " + std::to_string(i) + " "), "near 0.5 far 250 adjustlimits 0");
    EXPECT_EQ(lineAfter(fresh.out, "tumblestyle "), "2");
    EXPECT_EQ(optionBlock(fresh.out), optionBlock(saved.out));
    EXPECT_NE(optionBlock(fresh.out).find("useroption ( \"marks\" )"), std::string::npos);
    // A process that never defines the option starts without it.
    EXPECT_EQ(optionBlock(viewer("--print-defaults").out).find("useroption"), std::string::npos);

    // The defaults name the options they turn on: once an option registered
    // before "marks" is removed, a new viewport still finds "marks" (now one
    // index lower) and turns on nothing else for non-selected objects.
    ASSERT_EQ(viewer("--user-option first --user-option marks=1 --user-option third --save-prefs").status, 0);
    FILE *pipe = popen((std::string(VANTREL_FRESH_DEFAULTS_EXE) + " " + myDir +
                        " first marks third -first").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string enabled;
    char buffer[512];
    for (size_t got; (got = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
        enabled.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0) << enabled;
    EXPECT_EQ(enabled, "first 0 marks\nfirst 1\nfirst 2\nfirst 3\nfirst 4\n"
                       "second 0 marks\nsecond 1\nsecond 2\nsecond 3\nsecond 4\n");
}

TEST_F(DefaultsTest, MissingPartialAndBadFiles)
{
    const std::string builtin = blockOf(GUI_DisplayOption());
    ChildRun run = viewer("--print-defaults");
    EXPECT_EQ(lineAfter(run.out, "limits "), "0.1 10000");
    EXPECT_EQ(lineAfter(run.out, "view 2 "), "near 0.1 far 10000 adjustlimits 1");
    EXPECT_EQ(optionBlock(run.out), builtin);

    // Only an option block: its options, the built-in clipping.
    GUI_DisplayOption dark;
    dark.common().backgroundColor().setRGB(0.0f, 0.0f, 0.0f);
    writeFile(prefs(), blockOf(dark));
    run = viewer("--print-defaults");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(lineAfter(run.out, "limits "), "0.1 10000");
    EXPECT_EQ(optionBlock(run.out), blockOf(dark));

    // A bad value, or an entry its application refuses: no defaults at all.
    // The message names the entry that failed.
    const std::pair<const char *, const char *> bad_tails[] = {
        {"near ( abc )\nfar ( 50 )\n", "near"},
        {"near ( nan )\n", "near"},
        {"far ( 1e39 )\n", "far"},
        {"far ( 50 )\ntumblestyle ( 9 )\n", "tumblestyle"}};
    for (const auto &[tail, entry] : bad_tails)
    {
        writeFile(prefs(), blockOf(dark) + tail);
        run = viewer("--print-defaults");
        EXPECT_EQ(run.err, theLoadMessage + prefs() + "\n\tat the \"" + entry + "\" entry\n") << tail;
        EXPECT_EQ(lineAfter(run.out, "limits "), "0.001 1000") << tail;
        EXPECT_EQ(lineAfter(run.out, "view 0 "), "near 0.1 far 10000 adjustlimits 1") << tail;
        EXPECT_EQ(optionBlock(run.out), builtin) << tail;
    }

    // Saving from such a process writes a good file again.
    EXPECT_EQ(viewer("--far 80 --adjust-limits 0 --save-prefs --print-defaults").status, 0);
    run = viewer("--print-defaults");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(lineAfter(run.out, "limits "), "0.1 80");

    // A file that cannot be read is reported, not passed over (root reads
    // it anyway, so only other users see this).
    if (geteuid() != 0)
    {
        chmod(prefs().c_str(), 0);
        run = viewer("--print-defaults");
        EXPECT_EQ(run.err, theLoadMessage + prefs() + "\n\tthe file cannot be opened for reading\n");
        EXPECT_EQ(lineAfter(run.out, "limits "), "0.001 1000");
    }
}

TEST_F(DefaultsTest, DamagedFilesNeverCrashOrHang)
{
    const std::string good = blockOf(GUI_DisplayOption()) + "near ( 0.25 )\nfar ( 90 )\nadjustlimits ( 1 )\n";
    std::string garbled = good, binary;
    for (size_t i = 7; i < garbled.size(); i += 13)
        garbled[i] = "({) x\n"[i % 6];
    for (int i = 0; i < 3000; ++i)
        binary.push_back(char((i * 151 + 7) % 256));

    // Each file with the limits it must give. The garbled file's block
    // still reads, and its entries ("near { 0.25 )", "far ) 90 )") take
    // any one character on either side of the value; cut in half, the file
    // ends inside a per-kind record, which fails.
    const std::string refused = "0.001 1000";
    const std::pair<std::string, std::string> damaged[] = {
        {"", refused}, {binary, refused}, {garbled, "0.25 90"}, {"{", "0.1 10000"},
        {"{ COMMON_RENDERING_OPTIONS {", refused}, {good.substr(0, good.size() / 2), refused},
        {good.substr(0, good.size() - 20), "0.25 90"}, {good.substr(0, good.size() - 3), refused},
    };
    for (const auto &[bytes, expected] : damaged)
    {
        writeFile(prefs(), bytes);
        const ChildRun run = viewer("--print-defaults");
        ASSERT_EQ(run.status, 0) << bytes.size() << " bytes: " << run.err;
        const std::string limits = lineAfter(run.out, "limits ");
        EXPECT_EQ(run.err.find(theLoadMessage) == 0, limits == refused) << bytes.size() << " bytes";
        EXPECT_EQ(limits, expected) << bytes.size() << " bytes";
    }
}

TEST_F(DefaultsTest, SavesLoadElsewhereAndFailedSavesLeaveTheOldFile)
{
    GUI_ViewState state;
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    options[GUI_SELECTED].setFlag(GR_FLAG_POINT_NUMBERS, true);
    options[GUI_TEMPLATE].drawCategory(GR_DRAW_SHADED);
    options.showTemplates(false);
    state.setLimits(0.5f, 500.0f);
    TestDefaults callback;
    GUI_ViewState::setExternalDefaultCB(&callback);
    ScopedSearchPath good_path(myDir);
    state.saveAsDefault();
    EXPECT_TRUE(hasError("GR", 2, prefs()));
    const std::string first = readFile(prefs());
    EXPECT_NE(first.find("near ( 0.5 )\nfar ( 500 )\nadjustlimits ( 1 )\ntestentry ( 42 )\n"), std::string::npos);

    // A fresh process reads the records and passes over the foreign entry.
    const ChildRun fresh = viewer("--print-defaults");
    EXPECT_EQ(fresh.err, "");
    EXPECT_EQ(lineAfter(fresh.out, "limits "), "0.5 500");
    EXPECT_EQ(optionBlock(fresh.out), blockOf(options));

    // The stream breaking part way: the old file stays and nothing is left over.
    callback.breakStream = true;
    state.setLimits(0.75f, 500.0f);
    UTclearErrors();
    state.saveAsDefault();
    EXPECT_TRUE(hasError("UT", 1, "Saving Display Options failed."));
    EXPECT_FALSE(hasError("GR", 2, ""));
    EXPECT_EQ(readFile(prefs()), first);
    EXPECT_EQ(countFiles(myDir), 1);

    // An error already standing stops the save before anything is written.
    GUI_ViewState::setExternalDefaultCB(nullptr);
    UTaddError("XX", 1, "earlier failure");
    state.saveAsDefault();
    EXPECT_EQ(readFile(prefs()), first);

    // A directory that cannot be made, even by root: its parent is a file.
    writeFile(myDir + "/plain", "x");
    ScopedSearchPath bad_path(myDir + "/plain/sub");
    UTclearErrors();
    state.saveAsDefault();
    EXPECT_TRUE(hasError("GR", 1, "display.pref"));
    EXPECT_EQ(countFiles(myDir), 2);
}

TEST_F(DefaultsTest, OverridingTheFileNameLaterMovesOnlyTheSave)
{
    GUI_ViewState before;
    writeFile(myDir + "/other.pref", blockOf(GUI_DisplayOption()) + "near ( 7 )\n");
    ScopedSearchPath path(myDir);
    GUI_ViewState::overridePrefFile("other.pref");

    GUI_ViewState after;
    float near_dist = 0.0f, far_dist = 0.0f;
    GUI_ViewState::getDefaultNearFarLimits(near_dist, far_dist);
    EXPECT_FLOAT_EQ(near_dist, 0.1f);
    EXPECT_FLOAT_EQ(after.getViewParameterRef().getNear(), 0.1f);

    after.saveAsDefault();
    GUI_ViewState::overridePrefFile("display.pref");
    EXPECT_NE(readFile(myDir + "/other.pref").find("near ( 0.1 )"), std::string::npos);
    EXPECT_EQ(countFiles(myDir), 1);
}
} // namespace
