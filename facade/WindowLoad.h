#pragma once

#include "host/GU/GU_Detail.h"
#include "host/UT/SYS_Visibility.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace vantrel
{
// Reads mesh files on a thread of its own, so that a window keeps answering
// while a large file loads, and says how far it has come.
class VANTREL_API MeshLoad
{
public:
    MeshLoad() = default;
    ~MeshLoad();
    MeshLoad(const MeshLoad &) = delete;
    MeshLoad &operator=(const MeshLoad &) = delete;

    // Starts reading the files, one after the other; false while a reading
    // is still under way.
    bool start(const std::vector<std::string> &paths);
    bool busy() const { return myThread.joinable(); }
    // True once the reading has ended (whether or not it succeeded).
    bool finished() const { return myFinished.load(); }
    // From 0 to 1: the bytes read over the bytes of every file.
    double progress() const;
    // What is being read, for messages: the first file's name, and how
    // many more.
    const std::string &label() const { return myLabel; }
    // Waits for the end; the parts of every file (none when any failed),
    // with the reason of the first failure in error.
    std::vector<GU_MeshPart> finish(std::string &error);

private:
    std::thread myThread;
    std::atomic<bool> myFinished{false};
    std::atomic<long long> myDone{0}; // bytes of the files read whole
    std::atomic<long long> myReached{0}; // into the file being read
    long long myTotal = 0;
    std::string myLabel;
    std::vector<GU_MeshPart> myParts;
    std::string myError;
};

// The file name without its folder.
VANTREL_API std::string baseName(const std::string &path);
} // namespace vantrel
