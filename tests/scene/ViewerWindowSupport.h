#pragma once

// Shared by the viewer window tests: whether a virtual X server can run,
// runs of the viewer in a window on one, and the numbers of a saved camera.

#include "tests/support/VantrelSkip.h"
#include "tests/view/ViewStateTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace viewer_window_test
{
using view_state_test::ChildRun;

inline bool
haveVirtualX()
{
    return std::system("command -v xvfb-run >/dev/null 2>&1 && command -v Xvfb >/dev/null 2>&1 "
                       "&& command -v xauth >/dev/null 2>&1") == 0;
}

// The viewer in a window on a fresh virtual X server. Without the GL
// driver's shader cache, whose writer thread is still alive at exit: under
// load the leak checker's thread tracer crashed on it in sanitizer builds.
inline ChildRun
runWindowed(const std::string &args, const std::string &dir)
{
    return view_state_test::runViewer(
        "--window " + args, dir,
        "env MESA_SHADER_CACHE_DISABLE=true xvfb-run -a -s \"-screen 0 640x480x24\" ");
}

// True when the run could not start its virtual X server.
inline bool
noVirtualX(const ChildRun &run)
{
    return run.err.find("Xvfb failed to start") != std::string::npos;
}

// Skip the test, saying why, where no virtual X server can run, or where
// the one a run asked for could not start.
#define VANTREL_SKIP_WITHOUT_VIRTUAL_X()                                                   \
    if (!viewer_window_test::haveVirtualX())                                               \
    VANTREL_CANNOT_RUN() << "no virtual X server here (xvfb-run, Xvfb and xauth are needed; "      \
                    "./dev installs them)"
#define VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run)                                              \
    if (viewer_window_test::noVirtualX(run))                                               \
    VANTREL_CANNOT_RUN() << "the virtual X server cannot start here: " << (run).err

// Every number in the text, in order.
inline std::vector<double>
cameraNumbers(const std::string &text)
{
    std::vector<double> numbers;
    std::istringstream in(text);
    for (std::string word; in >> word;)
    {
        char *end = nullptr;
        const double v = std::strtod(word.c_str(), &end);
        if (end && *end == '\0' && end != word.c_str())
            numbers.push_back(v);
    }
    return numbers;
}

// The numbers of one "keyword ( values )" entry of a saved camera; empty
// when it has none.
inline std::vector<double>
cameraEntry(const std::string &text, const std::string &keyword)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, keyword.size() + 2, keyword + " (") == 0)
            return cameraNumbers(line);
    return {};
}

inline bool
allFinite(const std::vector<double> &numbers)
{
    for (double v : numbers)
        if (!std::isfinite(v))
            return false;
    return true;
}
} // namespace viewer_window_test
