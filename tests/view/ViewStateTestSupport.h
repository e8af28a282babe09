#pragma once

// Shared by the view state and defaults tests: scratch directories, a
// private empty search path for this process's own defaults, and runs of
// the demo as a fresh process.

#include "tests/support/VantrelScratch.h"
#include "view/GUI_ViewState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace view_state_test
{
using vantrel_test::makeTempDir;
using vantrel_test::readFile;
using vantrel_test::writeFile;

// Before the first view state, so this process starts from the built-in
// defaults whatever the machine's home directory holds.
struct EmptyPrefsEnvironment : ::testing::Environment
{
    void SetUp() override
    {
        setenv("VANTREL_PATH", myDir.c_str(), 1);
        GUI_ViewState::ensureDefaultsLoaded();
    }
    void TearDown() override { rmdir(myDir.c_str()); }
    const std::string myDir = makeTempDir();
};
inline ::testing::Environment *const theEmptyPrefs =
    ::testing::AddGlobalTestEnvironment(new EmptyPrefsEnvironment);

// Points the search path at a directory for the lifetime of the object.
struct ScopedSearchPath : vantrel_test::ScopedEnv
{
    explicit ScopedSearchPath(const std::string &path) : ScopedEnv("VANTREL_PATH", path) {}
};

struct ChildRun
{
    int status = -1; // the exit code; -1 when killed, crashed or timed out
    std::string out, err;
};

// Runs the demo with a time limit, so a hang fails rather than blocks;
// wrapper (such as a virtual X server's runner) goes before it.
inline ChildRun
runViewer(const std::string &args, const std::string &scratch_dir,
          const std::string &wrapper = "")
{
    ChildRun run;
    const std::string err_path = scratch_dir + "/child-stderr.txt";
    const std::string cmd = "timeout 60 " + wrapper + VANTREL_VIEW_EXE + " " + args + " 2>" + err_path;
    if (FILE *pipe = popen(cmd.c_str(), "r"))
    {
        char buffer[4096];
        for (size_t got; (got = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
            run.out.append(buffer, got);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) && WEXITSTATUS(status) != 124 ? WEXITSTATUS(status) : -1;
    }
    run.err = readFile(err_path);
    std::remove(err_path.c_str());
    return run;
}

// Runs of the demo in a scratch directory that is also the search path,
// each writing its frame of the given size into that directory.
class DemoRuns
{
public:
    DemoRuns(const std::string &frame, const std::string &size)
        : myPath(myDir.path()), myFrame(myDir.path() + "/" + frame), mySize(size)
    {
    }

    ChildRun run(const std::string &args) const
    {
        return runViewer(args + " -o " + myFrame + " --size " + mySize, myDir.path());
    }
    const std::string &framePath() const { return myFrame; }

private:
    vantrel_test::ScratchDir myDir;
    ScopedSearchPath myPath;
    std::string myFrame, mySize;
};

// The number of lines of text that start with prefix.
inline int
countLines(const std::string &text, const std::string &prefix)
{
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        n += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    return n;
}

// The rest of the first line that starts with prefix; "" if none.
inline std::string
lineAfter(const std::string &text, const std::string &prefix)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    return "";
}

// The option block that --print-defaults prints after "options".
inline std::string
optionBlock(const std::string &text)
{
    const size_t at = text.find("options\n");
    const size_t end = text.find("\n}\n", at);
    return at == std::string::npos || end == std::string::npos ? "" : text.substr(at + 8, end + 3 - (at + 8));
}
} // namespace view_state_test
