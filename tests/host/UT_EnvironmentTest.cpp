#include "host/UT/UT_EnvControl.h"
#include "host/UT/UT_ErrorManager.h"
#include "host/UT/UT_PathFile.h"
#include "host/UT/UT_Performance.h"
#include "tests/support/VantrelScratch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// A scratch directory tree, removed afterwards, with VANTREL_PATH and HOME
// restored.
class UT_PathFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(myRoot.empty()); }

    vantrel_test::ScratchDir myScratch;
    const std::string myRoot = myScratch.path();
    vantrel_test::ScopedEnv myPath{"VANTREL_PATH"};
    vantrel_test::ScopedEnv myHome{"HOME"};
};

using vantrel_test::writeFile;
} // namespace

TEST_F(UT_PathFileTest, SearchFindsFilesInPathOrderAndSavesIntoTheFirst)
{
    const std::string a = myRoot + "/a", b = myRoot + "/b", c = myRoot + "/c";
    mkdir(b.c_str(), 0777);
    mkdir(c.c_str(), 0777);
    writeFile(c + "/display.pref", "c");
    writeFile(b + "/display.pref", "b");
    mkdir((myRoot + "/a").c_str(), 0777);
    mkdir((a + "/display.pref").c_str(), 0777); // a directory of that name
    setenv("VANTREL_PATH", (a + "::" + b + "/:" + c).c_str(), 1);

    UT_PathFile pf;
    pf.setSearchPath(0, "display.pref");
    EXPECT_EQ(pf.getDirCount(), 3); // the empty entry is skipped
    EXPECT_EQ(pf.getFileInfoCount(1), 3);
    pf.applyStandardFilter(); // drops the directory
    ASSERT_EQ(pf.getFileInfoCount(1), 2);
    const UT_PathFileInfo *first = pf.getFileInfo(0, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::string(first->getFullPath()), b + "/display.pref");
    EXPECT_EQ(first->getDirIndex(), 1);
    EXPECT_EQ(pf.getFileInfo(2, 1), nullptr);
    EXPECT_EQ(pf.getFileInfo(-1, 1), nullptr);

    // Saving into a directory that does not exist yet creates it.
    setenv("VANTREL_PATH", (myRoot + "/new/deeper:" + b).c_str(), 1);
    pf.setSearchPath(0, "display.pref");
    pf.applyStandardFilter();
    UT_PathFileInfo *info = pf.createFileInfo();
    EXPECT_EQ(info->getDirIndex(), 0);
    EXPECT_EQ(info->prepareForSave(0, 0, 1), 0); // not without make_dirs
    EXPECT_NE(info->prepareForSave(0, 1, 1), 0);
    std::string saved = info->getFullPath();
    EXPECT_EQ(saved, myRoot + "/new/deeper/display.pref");
    writeFile(saved, "x");
    EXPECT_EQ(info->prepareForSave(0, 1, 0), 0); // exists, no overwrite
    EXPECT_NE(info->prepareForSave(1, 1, 1), 0);
    EXPECT_EQ(access((saved + ".bak").c_str(), R_OK), 0);
    info->setDirIndex(9);
    EXPECT_STREQ(info->getFullPath(), "");
    EXPECT_EQ(info->prepareForSave(0, 1, 1), 0);
    delete info;

    // With no VANTREL_PATH the search looks in $HOME/.vantrel.
    unsetenv("VANTREL_PATH");
    setenv("HOME", myRoot.c_str(), 1);
    pf.setSearchPath(0, "display.pref");
    ASSERT_EQ(pf.getDirCount(), 1);
    EXPECT_EQ(std::string(pf.getDir(0)), myRoot + "/.vantrel");
    EXPECT_EQ(pf.getFileInfoCount(1), 0);
}

TEST(UT_EnvControlTest, ValuesAreReadOnceUntilRefresh)
{
    setenv("VANTREL_UT_TEST_INT", "42", 1);
    setenv("VANTREL_UT_TEST_FLOAT", "garbage", 1);
    UT_EnvControl::refresh();
    EXPECT_EQ(UT_EnvControl::getInt("VANTREL_UT_TEST_INT", -1), 42);
    EXPECT_EQ(UT_EnvControl::getFloat("VANTREL_UT_TEST_FLOAT", 0.5f), 0.5f);
    EXPECT_EQ(UT_EnvControl::getInt("VANTREL_UT_TEST_UNSET", -1), -1);
    setenv("VANTREL_UT_TEST_INT", "7", 1);
    EXPECT_EQ(UT_EnvControl::getInt("VANTREL_UT_TEST_INT", -1), 42);
    UT_EnvControl::refresh();
    EXPECT_EQ(UT_EnvControl::getInt("VANTREL_UT_TEST_INT", -1), 7);
    unsetenv("VANTREL_UT_TEST_INT");
    unsetenv("VANTREL_UT_TEST_FLOAT");
    UT_EnvControl::refresh();
}

TEST(UT_ErrorTest, SeverityListAndStreamChecks)
{
    UTclearErrors();
    EXPECT_EQ(UTgetErrorSeverity(), UT_SEVERITY_NONE);
    UTaddMessage("GR", 2, "/tmp/x %s %n");
    EXPECT_LT(UTgetErrorSeverity(), 4);
    std::ostringstream good;
    EXPECT_TRUE(UTcheckOutStream(good, "Saving failed.", nullptr));
    std::ofstream bad;
    bad << "x"; // never opened: failed
    EXPECT_FALSE(UTcheckOutStream(bad, "Saving failed.", nullptr));
    EXPECT_GE(UTgetErrorSeverity(), 4);

    auto errors = UTgetErrors();
    ASSERT_EQ(errors.size(), 2u);
    // The caller's text is data, never a format.
    EXPECT_NE(errors[0].text.find("/tmp/x %s %n"), std::string::npos);
    std::ostringstream printed;
    UTprintErrors(printed);
    EXPECT_NE(printed.str().find("Saving failed."), std::string::npos);
    UTclearErrors();
    EXPECT_EQ(UTgetErrorSeverity(), UT_SEVERITY_NONE);

    // Directories above a file; a file in the way fails.
    EXPECT_TRUE(UTcreateDirectoryForFile("plainname"));
    EXPECT_FALSE(UTcreateDirectoryForFile("/dev/null/sub/file"));

    // The performance recorder is silent until switched on.
    UT_Performance *perf = UTgetPerformance();
    perf->clearEvents();
    EXPECT_EQ(perf->startEvent("draw    ", nullptr, "/obj/a", -1), -1);
    perf->stopEvent(1);
    perf->setRecordObjectDrawEvents(true);
    perf->startEvent("draw    ", nullptr, "/obj/a", -1);
    perf->stopEvent(1);
    perf->setRecordObjectDrawEvents(false);
    EXPECT_EQ(perf->getEventCount("draw    "), 1);
    perf->clearEvents();
}
