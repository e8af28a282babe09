#include "host/RE/RE_GLErrors.h"

#include "host/RE/RE_GL.h"

#include <EGL/egl.h>

unsigned int
REtakeGLErrors()
{
    if (eglGetCurrentContext() == EGL_NO_CONTEXT)
        return 0;
    GLenum first = glGetError();
    // GL keeps one flag per kind of error; a few reads drain them all.
    for (int i = 0; i < 16 && first != GL_NO_ERROR && glGetError() != GL_NO_ERROR; ++i)
        ;
    return first;
}
