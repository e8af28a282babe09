#pragma once

#include <chrono>

// Measures elapsed time on a steady clock, in seconds.
class UT_StopWatch
{
public:
    // Starts from zero (again).
    void start()
    {
        myStart = Clock::now();
        myRunning = true;
        myElapsed = 0.0;
    }
    // Stops and returns the seconds since start; 0 if never started.
    double stop()
    {
        if (myRunning)
        {
            myElapsed = secondsSince(myStart);
            myRunning = false;
        }
        return myElapsed;
    }

private:
    typedef std::chrono::steady_clock Clock;
    static double secondsSince(Clock::time_point t)
    {
        return std::chrono::duration<double>(Clock::now() - t).count();
    }

    Clock::time_point myStart;
    double myElapsed = 0.0;
    bool myRunning = false;
};
