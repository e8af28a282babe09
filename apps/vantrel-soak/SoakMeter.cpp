#include "apps/vantrel-soak/SoakMeter.h"

#include "host/RE/RE_Render.h"

#include <cstdio>
#include <unistd.h>

long
soakResidentBytes()
{
    FILE *fp = std::fopen("/proc/self/statm", "r");
    if (!fp)
        return -1;
    long size = 0, resident = 0;
    const bool ok = std::fscanf(fp, "%ld %ld", &size, &resident) == 2;
    std::fclose(fp);
    return ok ? resident * sysconf(_SC_PAGESIZE) : -1;
}

SoakSample
soakSample(const RE_Render &r)
{
    SoakSample sample;
    sample.liveObjects = r.getNumLiveObjects();
    sample.liveArrayBuffers = r.getNumLiveArrayBuffers();
    sample.liveBatches = r.getNumLiveBatches();
    sample.batchBytes = r.getBatchBytes();
    sample.residentBytes = soakResidentBytes();
    return sample;
}

namespace
{
// Percent growth of one figure over its limit, as a sentence; empty otherwise.
std::string
grew(const char *what, long start, long end, double limit)
{
    if (end <= start || (start > 0 && end <= start + start * limit))
        return std::string();
    char text[160];
    if (start > 0)
        std::snprintf(text, sizeof(text), "%s grew by %.1f%% (%ld to %ld)", what,
                      100.0 * double(end - start) / double(start), start, end);
    else
        std::snprintf(text, sizeof(text), "%s grew from %ld to %ld", what, start, end);
    return text;
}
} // namespace

std::string
soakGrowth(const SoakSample &start, const SoakSample &end, double limit)
{
    std::string why;
    for (const std::string &part :
         {grew("live display objects", start.liveObjects, end.liveObjects, limit),
          grew("live array buffers", start.liveArrayBuffers, end.liveArrayBuffers, limit),
          grew("runs drawn together", start.liveBatches, end.liveBatches, limit),
          grew("bytes of runs drawn together", start.batchBytes, end.batchBytes, limit),
          grew("resident bytes", start.residentBytes, end.residentBytes, limit)})
        if (!part.empty())
            why += (why.empty() ? "" : "; ") + part;
    return why;
}
