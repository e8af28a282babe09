#pragma once

// Shared by the scene look tests: a view renderer that records its calls.

#include "decor/GUI_ViewRender.h"
#include "host/RE/RE_Render.h"
#include "tests/support/VantrelTestContext.h"

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

}
