#ifndef VANTREL_SOAK_SoakMeter_h
#define VANTREL_SOAK_SoakMeter_h

#include <string>

class RE_Render;

// What a long run watches for leaks: the display objects alive in the
// render context and the resident size of the process.
struct SoakSample
{
    long liveObjects = 0;
    long liveArrayBuffers = 0;
    // Runs of objects drawn together, kept with buffers, and their bytes.
    long liveBatches = 0;
    long batchBytes = 0;
    long residentBytes = 0;
};

// The process's resident size now, from /proc/self/statm; -1 when it
// cannot be read.
long soakResidentBytes();

SoakSample soakSample(const RE_Render &r);

// Why the end sample shows a leak against the start sample: a figure that
// grew by more than limit (0.05 is five percent) of its start value, or
// from nothing to something. Empty when both stayed flat or shrank.
std::string soakGrowth(const SoakSample &start, const SoakSample &end, double limit);

#endif
