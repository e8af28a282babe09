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

// Switches a GL capability on or off as the record says.
inline void
REglEnable(GLenum cap, bool on)
{
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}
