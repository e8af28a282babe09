// Saving a file so that the old content survives anything short of success.
#include "host/UT/UT_SafeSave.h"
#include "tests/support/VantrelScratch.h"

#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
mode_t
modeOf(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

int
countEntries(const std::string &dir)
{
    int n = 0;
    if (DIR *d = opendir(dir.c_str()))
    {
        while (const dirent *e = readdir(d))
            n += std::string(e->d_name) != "." && std::string(e->d_name) != "..";
        closedir(d);
    }
    return n;
}

// The id of a process that has already ended.
long
deadPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return long(child);
}
} // namespace

TEST(UT_SafeSave, LinksModesAndBadDirectories)
{
    vantrel_test::ScratchDir dir;
    const std::string real = dir.path() + "/real.pref";
    const std::string link = dir.path() + "/link.pref";
    vantrel_test::writeFile(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.pref", link.c_str()), 0);

    std::string error;
    ASSERT_TRUE(UTsaveFileSafely(link, "new", &error)) << error;
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced by a file";
    EXPECT_EQ(vantrel_test::readFile(real), "new");
    EXPECT_EQ(modeOf(real), mode_t(0640));
    EXPECT_EQ(countEntries(dir.path()), 2) << "a temporary file was left";

    // A dangling link makes the file it names.
    const std::string dangling = dir.path() + "/dangling";
    ASSERT_EQ(symlink("made.txt", dangling.c_str()), 0);
    EXPECT_TRUE(UTsaveFileSafely(dangling, "made", &error)) << error;
    EXPECT_EQ(vantrel_test::readFile(dir.path() + "/made.txt"), "made");

    // Nowhere to save: one clear reason naming the path, nothing touched.
    const std::string plain = dir.path() + "/plain";
    vantrel_test::writeFile(plain, "x");
    struct Case { std::string path; const char *why; };
    const Case cases[] = {{dir.path() + "/missing/file", "does not exist"},
                          {plain + "/file", "is not a directory"},
                          {dir.path(), "not a regular file"},
                          {"", "no file name"}};
    for (const Case &c : cases)
    {
        error.clear();
        EXPECT_FALSE(UTsaveFileSafely(c.path, "data", &error)) << c.path;
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
        EXPECT_NE(error.find("\"" + c.path + "\""), std::string::npos) << error;
    }
    EXPECT_EQ(vantrel_test::readFile(plain), "x");
}

TEST(UT_SafeSave, ReadOnlyDirectoryAndStaleTemporaries)
{
    vantrel_test::ScratchDir dir;
    const std::string file = dir.path() + "/cam.txt";
    vantrel_test::writeFile(file, "old");

    // Left by saves that were killed; one of a process still alive stays.
    const std::string stale = UTsafeSaveTempName(dir.path() + "/other.txt", deadPid());
    const std::string live = UTsafeSaveTempName(file, long(getppid()));
    vantrel_test::writeFile(stale, "half");
    vantrel_test::writeFile(live, "busy");
    long pid = 0;
    EXPECT_TRUE(UTisSafeSaveTempName(stale.substr(dir.path().size() + 1), pid));
    EXPECT_FALSE(UTisSafeSaveTempName(".cam.txt.save-12x.tmp", pid));
    EXPECT_FALSE(UTisSafeSaveTempName("cam.txt.save-12.tmp", pid));

    std::string error;
    ASSERT_TRUE(UTsaveFileSafely(file, "new", &error)) << error;
    EXPECT_NE(access(stale.c_str(), F_OK), 0) << "stale temporary kept";
    EXPECT_EQ(access(live.c_str(), F_OK), 0) << "a live save's file was removed";

    if (geteuid() != 0)
    {
        ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
        EXPECT_FALSE(UTsaveFileSafely(dir.path() + "/new.txt", "x", &error));
        EXPECT_NE(error.find("cannot write in"), std::string::npos) << error;
        chmod(dir.path().c_str(), 0755);
    }
}

// A save whose temporary cannot be made beside the file (here a directory
// holds its name, as a read-only directory or a disk without free inodes
// would refuse it, whoever runs the test) is refused, whatever happens to
// the process: under a one-block file-size limit, killed at any moment.
// A save that meets the limit while writing reports it and leaves no
// temporary behind; the signal the limit raises does not end the process.
TEST(UT_SafeSave, SavesThatCannotBeWholeLeaveTheOldFile)
{
    vantrel_test::ScratchDir dir;
    const std::string file = dir.path() + "/display.pref";
    const std::string old(3000, 'o'), fresh(5000, 'n');
    vantrel_test::writeFile(file, old);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        const struct rlimit oneBlock = {512, 512};
        setrlimit(RLIMIT_FSIZE, &oneBlock);
        std::string error;
        const bool refused = !UTsaveFileSafely(file, fresh, &error) &&
                             error.find("File too large") != std::string::npos &&
                             countEntries(dir.path()) == 1;
        mkdir(UTsafeSaveTempName(file, long(getpid())).c_str(), 0755);
        const bool blocked = !UTsaveFileSafely(file, "short", &error) &&
                             error.find("no temporary file can be made") != std::string::npos;
        _exit(refused && blocked ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(vantrel_test::readFile(file), old);

    for (int round = 0; round < 10; ++round)
    {
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0)
        {
            mkdir(UTsafeSaveTempName(file, long(getpid())).c_str(), 0755);
            for (;;)
                UTsaveFileSafely(file, fresh, nullptr);
        }
        usleep(useconds_t(1000 * (round + 1)));
        kill(saver, SIGKILL);
        waitpid(saver, nullptr, 0);
        rmdir(UTsafeSaveTempName(file, long(saver)).c_str());
        ASSERT_EQ(vantrel_test::readFile(file), old) << "round " << round;
    }
}

TEST(UT_SafeSave, KilledSavesNeverLeaveAPartFile)
{
    vantrel_test::ScratchDir dir;
    const std::string file = dir.path() + "/big.pref";
    const size_t size = 256 * 1024;
    const std::string a(size, 'a'), b(size, 'b');
    ASSERT_TRUE(UTsaveFileSafely(file, a, nullptr));

    std::mt19937 rng(99);
    for (int round = 0; round < 25; ++round)
    {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            for (int i = 0;; ++i)
                UTsaveFileSafely(file, i % 2 ? a : b, nullptr);
        }
        usleep(useconds_t(rng() % 20000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string now = vantrel_test::readFile(file);
        ASSERT_EQ(now.size(), size) << "round " << round;
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": mixed content";
    }
    // The next save clears what the killed ones left.
    ASSERT_TRUE(UTsaveFileSafely(file, "done", nullptr));
    EXPECT_EQ(countEntries(dir.path()), 1);
}
