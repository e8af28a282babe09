#pragma once

#include "host/UT/SYS_Visibility.h"

#include <string>

// A shader known to the render library by a process-wide id. The viewports
// draw with the fixed-function pipeline; a shader here is a name that
// cached display objects record as used, so they can be told apart and
// rebound. Ids are positive and never reused.
class VANTREL_API RE_Shader
{
public:
    explicit RE_Shader(const char *name = "");
    ~RE_Shader();
    RE_Shader(const RE_Shader &) = delete;
    RE_Shader &operator=(const RE_Shader &) = delete;

    int getId() const { return myId; }
    const std::string &getName() const { return myName; }

    // The live shader with this id, or null.
    static RE_Shader *getShader(int id);

private:
    int myId;
    std::string myName;
};
