#pragma once

// Shared by the scene look tests: a view renderer that records its calls,
// and readers for the render context's journal.

#include "decor/GUI_ViewRender.h"
#include "host/RE/RE_Render.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace scene_test
{
// Records what the scene look asks of its view renderer; counts its own
// destruction in a counter the test owns.
class RecordingViewRender : public GUI_ViewRender
{
public:
    explicit RecordingViewRender(int *destroyed = nullptr) : myDestroyed(destroyed) {}
    ~RecordingViewRender() override
    {
        if (myDestroyed)
            ++*myDestroyed;
    }

    void preRender(GUI_ViewState &, RE_Render *r, GUI_ViewParameter::axis axis) override
    {
        myCalls.push_back("preRender " + std::to_string(int(axis)));
        if (r)
            r->setColor(0.0f, 0.0f, 1.0f); // leaves a mark in the journal
    }
    void postRender(GUI_ViewState &, RE_Render *, short a, short b, bool frame) override
    {
        myCalls.push_back("postRender " + std::to_string(a) + " " + std::to_string(b) + " " +
                          (frame ? "1" : "0"));
    }
    bool rasterRender(GUI_ViewState &, RE_Render *r, float alpha) override
    {
        myAlphas.push_back(alpha);
        myBlendingSeen.push_back(r && r->isBlending());
        return true;
    }

    std::vector<std::string> myCalls;
    std::vector<float> myAlphas;
    std::vector<bool> myBlendingSeen;

private:
    int *myDestroyed;
};

// The journal lines whose operation is op.
inline std::vector<std::string>
journalLines(const RE_Render &r, const std::string &op)
{
    std::vector<std::string> out;
    for (const std::string &line : r.getJournal())
        if (line == op || line.compare(0, op.size() + 1, op + " ") == 0)
            out.push_back(line);
    return out;
}

// The numbers of a journal line.
inline std::vector<double>
journalArgs(const std::string &line)
{
    std::istringstream in(line);
    std::string op;
    in >> op;
    std::vector<double> args;
    double v;
    while (in >> v)
        args.push_back(v);
    return args;
}

// The position of the first line of op at or after from; -1 when none.
inline int
journalIndex(const RE_Render &r, const std::string &op, int from = 0)
{
    const auto &j = r.getJournal();
    for (int i = from; i < int(j.size()); ++i)
        if (j[i] == op || j[i].compare(0, op.size() + 1, op + " ") == 0)
            return i;
    return -1;
}
}
