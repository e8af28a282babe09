// Leak checks in sanitizer builds skip what the system's GL driver and EGL
// loader allocate: the software driver loses a selection-mode buffer that
// no call of ours can release. The sanitizer runtime only finds this hook in
// the executable itself, so every program of the project built with the
// sanitizers compiles this file in (the shared library leaves the hook to
// the application).
extern "C" const char *
__lsan_default_suppressions()
{
    return "leak:_dri.so\nleak:libgallium\nleak:libEGL_mesa\nleak:libglapi\nleak:libLLVM\n";
}
