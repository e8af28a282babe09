#pragma once

// OpenGL for the render library's own sources; nothing outside host/
// includes this. The extension prototypes are resolved by the GL library
// itself (GL 1.4 and later entry points such as glFogCoordf, glWindowPos
// and the framebuffer object calls).
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#include "host/RE/RE_Types.h"

// The GL primitive of an RE_PRIM_* array primitive.
inline GLenum
REglPrimitive(int prim)
{
    switch (prim)
    {
    case RE_PRIM_POINTS: return GL_POINTS;
    case RE_PRIM_LINES: return GL_LINES;
    case RE_PRIM_LINE_STRIP: return GL_LINE_STRIP;
    default: return GL_TRIANGLES;
    }
}

// Switches a GL capability on or off as the record says.
inline void
REglEnable(GLenum cap, bool on)
{
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}
