#ifndef OP_Director_h
#define OP_Director_h

// The scene director: the scene-wide playback settings.
class OP_Director
{
public:
    // Frames per second; 24 until set. Values at or below 0 are ignored.
    double getFrameRate() const { return myFrameRate; }
    void setFrameRate(double fps)
    {
        if (fps > 0.0)
            myFrameRate = fps;
    }
    // Seconds added to the evaluation time to get the scene time of frame
    // numbering; 0 until set.
    double getTimeOffset() const { return myTimeOffset; }
    void setTimeOffset(double seconds) { myTimeOffset = seconds; }

private:
    double myFrameRate = 24.0;
    double myTimeOffset = 0.0;
};

// The process-wide director, created on first use.
OP_Director *OPgetDirector();

#endif
