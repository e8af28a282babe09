#include "host/UT/UT_Performance.h"

int
UT_Performance::startEvent(const char *name, const char *detail, const char *path, int id)
{
    if (!myRecordDraws)
        return -1;
    Open o;
    o.event.name = name ? name : "";
    o.event.detail = detail ? detail : "";
    o.event.path = path ? path : "";
    o.event.id = id;
    myOpen.push_back(o);
    myOpen.back().watch.start();
    return int(myOpen.size()) - 1;
}

double
UT_Performance::stopEvent(int record)
{
    if (myOpen.empty())
        return 0.0;
    Open o = myOpen.back();
    myOpen.pop_back();
    o.event.seconds = o.watch.stop();
    if (record)
        myEvents.push_back(o.event);
    return o.event.seconds;
}

int
UT_Performance::getEventCount(const char *name) const
{
    int n = 0;
    for (const Event &e : myEvents)
        if (name && e.name == name)
            ++n;
    return n;
}

void
UT_Performance::clearEvents()
{
    myEvents.clear();
    myOpen.clear();
}

UT_Performance *
UTgetPerformance()
{
    static UT_Performance thePerformance;
    return &thePerformance;
}
