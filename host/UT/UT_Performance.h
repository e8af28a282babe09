#pragma once

#include "host/UT/UT_StopWatch.h"

#include <string>
#include <vector>

// A process-wide recorder of timed events (object draws and the like).
// Recording is off until switched on; while off, startEvent and stopEvent
// cost almost nothing and record nothing.
class UT_Performance
{
public:
    struct Event
    {
        std::string name;   // what was done, e.g. "draw    "
        std::string detail; // a second name, may be empty
        std::string path;   // what it was done to
        int id = -1;        // the caller's number, -1 for none
        double seconds = 0.0;
    };

    bool isRecordingObjectDrawEvents() const { return myRecordDraws; }
    void setRecordObjectDrawEvents(bool on) { myRecordDraws = on; }

    // Opens a timed event; events nest. Returns its index in the list
    // of open events, or -1 while not recording.
    int startEvent(const char *name, const char *detail, const char *path, int id);
    // Closes the innermost open event; with record non-zero it is kept in
    // the event list. Returns its seconds, or 0 when none was open.
    double stopEvent(int record = 1);

    // The number of recorded events with this name.
    int getEventCount(const char *name) const;
    void clearEvents();

private:
    struct Open
    {
        Event event;
        UT_StopWatch watch;
    };

    bool myRecordDraws = false;
    std::vector<Open> myOpen;
    std::vector<Event> myEvents;
};

// The process's recorder (never null).
UT_Performance *UTgetPerformance();
