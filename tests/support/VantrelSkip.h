#pragma once

// A test that cannot run on this machine (no GL context, no virtual X
// server) skips and says why. Where VANTREL_TESTS_MUST_RUN is set (CI sets
// it) the same test fails instead: there a skip would hide that the test
// never ran.
#include <gtest/gtest.h>

#include <cstdlib>

namespace vantrel_test
{
inline ::testing::TestPartResult::Type
cannotRunResult()
{
    const char *must = std::getenv("VANTREL_TESTS_MUST_RUN");
    return must && *must && *must != '0' ? ::testing::TestPartResult::kFatalFailure
                                         : ::testing::TestPartResult::kSkip;
}
}

// Used as GTEST_SKIP() is: VANTREL_CANNOT_RUN() << "why";
#define VANTREL_CANNOT_RUN() return GTEST_MESSAGE_("", ::vantrel_test::cannotRunResult())
