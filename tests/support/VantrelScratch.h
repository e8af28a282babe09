#pragma once

// Scratch files and environment settings for tests that touch the file
// system or the search path.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vantrel_test
{
// A fresh directory under /tmp; empty when none could be made.
inline std::string
makeTempDir()
{
    char name[] = "/tmp/vantrel-test-XXXXXX";
    return mkdtemp(name) ? name : "";
}

// A fresh directory removed, with all it holds, when the object goes.
class ScratchDir
{
public:
    ScratchDir() : myPath(makeTempDir()) {}
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!myPath.empty())
            std::filesystem::remove_all(myPath, ignored);
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    const std::string &path() const { return myPath; }

private:
    std::string myPath;
};

inline std::string
readFile(const std::string &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

inline void
writeFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Puts an environment variable back as it was when the object goes; the
// two-argument forms also set it (or unset it, given null) meanwhile.
class ScopedEnv
{
public:
    explicit ScopedEnv(const char *name) : myName(name)
    {
        const char *old = std::getenv(name);
        myHad = old != nullptr;
        myOld = old ? old : "";
    }
    ScopedEnv(const char *name, const char *value) : ScopedEnv(name)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ScopedEnv(const char *name, const std::string &value) : ScopedEnv(name, value.c_str()) {}
    ~ScopedEnv()
    {
        if (myHad)
            setenv(myName.c_str(), myOld.c_str(), 1);
        else
            unsetenv(myName.c_str());
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    std::string myName, myOld;
    bool myHad = false;
};
} // namespace vantrel_test
