#include "facade/WindowLoad.h"

#include <sys/stat.h>

namespace vantrel
{
namespace
{
long long
fileSize(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? (long long)st.st_size : 0;
}
} // namespace

std::string
baseName(const std::string &path)
{
    return path.substr(path.find_last_of('/') + 1);
}

MeshLoad::~MeshLoad()
{
    if (myThread.joinable())
        myThread.join();
}

bool
MeshLoad::start(const std::vector<std::string> &paths)
{
    if (busy() || paths.empty())
        return false;
    myFinished = false;
    myDone = 0;
    myReached = 0;
    myTotal = 0;
    myParts.clear();
    myError.clear();
    for (const std::string &path : paths)
        myTotal += fileSize(path);
    myLabel = baseName(paths.front());
    if (paths.size() > 1)
        myLabel += " and " + std::to_string(paths.size() - 1) + " more";
    myThread = std::thread([this, paths] {
        for (const std::string &path : paths)
        {
            std::vector<GU_MeshPart> parts;
            std::string error;
            myReached = 0;
            if (!GU_Detail::loadParts(path.c_str(), parts, &error, &myReached))
            {
                myParts.clear();
                myError = error;
                break;
            }
            for (GU_MeshPart &part : parts)
                myParts.push_back(std::move(part));
            myDone += fileSize(path);
        }
        myReached = 0;
        myFinished = true;
    });
    return true;
}

double
MeshLoad::progress() const
{
    if (myTotal <= 0)
        return 0.0;
    const double done = double(myDone.load() + myReached.load()) / double(myTotal);
    return done < 1.0 ? done : 1.0;
}

std::vector<GU_MeshPart>
MeshLoad::finish(std::string &error)
{
    if (myThread.joinable())
        myThread.join();
    error = myError;
    return std::move(myParts);
}
} // namespace vantrel
