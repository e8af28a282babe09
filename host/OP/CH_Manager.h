#ifndef CH_Manager_h
#define CH_Manager_h

// The channel manager: keeps the time at which the scene is evaluated.
// The scene is evaluated on the user-interface thread only, so every
// thread index sees the same time.
class CH_Manager
{
public:
    // The process-wide manager, created on first use.
    static CH_Manager *theManager();

    // Seconds.
    double getEvaluateTime(int /*thread*/) const { return myTime; }
    void setEvaluateTime(double seconds) { myTime = seconds; }

private:
    double myTime = 0.0;
};

#endif
