#include "host/UT/UT_SafeSave.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char theTempMark[] = ".save-";
const char theTempEnd[] = ".tmp";

std::string
directoryOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string
baseOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool
failWith(std::string *error, const std::string &path, const std::string &why)
{
    if (error)
        *error = "cannot save \"" + path + "\": " + why;
    return false;
}

// Follows symbolic links (also dangling ones, whose target is then made)
// to the path of the file that is really to be written.
bool
resolveTarget(const std::string &path, std::string &target, std::string &why)
{
    target = path;
    for (int depth = 0; depth < 40; ++depth)
    {
        struct stat st;
        if (lstat(target.c_str(), &st) != 0)
        {
            // Nothing there (yet): the directory checks say more.
            if (errno == ENOENT || errno == ENOTDIR)
                return true;
            why = std::strerror(errno);
            return false;
        }
        if (!S_ISLNK(st.st_mode))
            return true;
        char buf[4096];
        const ssize_t n = readlink(target.c_str(), buf, sizeof(buf) - 1);
        if (n < 0)
        {
            why = std::strerror(errno);
            return false;
        }
        const std::string link(buf, size_t(n));
        target = link[0] == '/' ? link : directoryOf(target) + "/" + link;
    }
    why = "too many levels of symbolic links";
    return false;
}

bool
writeAll(int fd, const std::string &bytes)
{
    const char *p = bytes.data();
    size_t left = bytes.size();
    while (left > 0)
    {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= size_t(n);
    }
    return fsync(fd) == 0;
}

// Removes temporary files of saves whose process is gone.
void
removeStaleTemps(const std::string &dir)
{
    DIR *d = opendir(dir.c_str());
    if (!d)
        return;
    while (const dirent *entry = readdir(d))
    {
        long pid = 0;
        if (!UTisSafeSaveTempName(entry->d_name, pid) || pid == long(getpid()))
            continue;
        if (kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            unlink((dir + "/" + entry->d_name).c_str());
    }
    closedir(d);
}

// A file-size limit stops a write with SIGXFSZ, whose default is to end
// the process without a word; ignored while a save writes, the write fails
// with EFBIG instead, which the save reports.
class FileSizeSignalIgnored
{
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        myKept = sigaction(SIGXFSZ, &ignore, &myPrevious) == 0;
    }
    ~FileSizeSignalIgnored()
    {
        if (myKept)
            sigaction(SIGXFSZ, &myPrevious, nullptr);
    }
    FileSizeSignalIgnored(const FileSizeSignalIgnored &) = delete;
    FileSizeSignalIgnored &operator=(const FileSizeSignalIgnored &) = delete;

private:
    struct sigaction myPrevious = {};
    bool myKept = false;
};

// The longest part of the target's name a temporary name keeps, so that a
// target whose name is near the system's limit still gets a temporary.
const size_t theTempBaseMax = 200;
} // namespace

std::string
UTsafeSaveTempName(const std::string &path, long pid)
{
    return directoryOf(path) + "/." + baseOf(path).substr(0, theTempBaseMax) + theTempMark +
           std::to_string(pid) + theTempEnd;
}

bool
UTisSafeSaveTempName(const std::string &entry, long &pid)
{
    const size_t end_len = sizeof(theTempEnd) - 1;
    if (entry.size() < 2 + end_len || entry[0] != '.' ||
        entry.compare(entry.size() - end_len, end_len, theTempEnd) != 0)
        return false;
    const size_t mark = entry.rfind(theTempMark);
    if (mark == std::string::npos || mark == 0)
        return false;
    const std::string digits =
        entry.substr(mark + sizeof(theTempMark) - 1,
                     entry.size() - end_len - (mark + sizeof(theTempMark) - 1));
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    pid = std::atol(digits.c_str());
    return pid > 0;
}

bool
UTsaveFileSafely(const std::string &path, const std::string &bytes, std::string *error)
{
    if (path.empty())
        return failWith(error, path, "no file name given");
    std::string target, why;
    if (!resolveTarget(path, target, why))
        return failWith(error, path, why);

    struct stat st;
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return failWith(error, path, "it is not a regular file");
    const std::string dir = directoryOf(target);
    struct stat dir_st;
    if (stat(dir.c_str(), &dir_st) != 0)
        return failWith(error, path, "the directory \"" + dir + "\" does not exist");
    if (!S_ISDIR(dir_st.st_mode))
        return failWith(error, path, "\"" + dir + "\" is not a directory");

    removeStaleTemps(dir);

    FileSizeSignalIgnored noSignal;
    const std::string temp = UTsafeSaveTempName(target, long(getpid()));
    unlink(temp.c_str());
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0)
    {
        // Rewriting the file in place could leave it cut short or half new
        // if the write failed or the process died: refuse instead.
        const std::string reason = std::strerror(errno);
        if (!exists)
            return failWith(error, path, "cannot write in \"" + dir + "\": " + reason);
        return failWith(error, path, "no temporary file can be made beside it in \"" + dir +
                                         "\" (" + reason + "), and rewriting it in place "
                                         "could lose it; it was left as it was");
    }
    bool ok = !exists || fchmod(fd, st.st_mode & 07777) == 0;
    ok = writeAll(fd, bytes) && ok;
    const int write_errno = errno;
    ok = (close(fd) == 0) && ok;
    if (!ok)
    {
        unlink(temp.c_str());
        return failWith(error, path, std::strerror(write_errno ? write_errno : EIO));
    }
    if (rename(temp.c_str(), target.c_str()) != 0)
    {
        const std::string reason = std::strerror(errno);
        unlink(temp.c_str());
        return failWith(error, path, reason + "; it was left as it was");
    }
    return true;
}
