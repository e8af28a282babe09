// Defaults of the sanitizer runtime for every program of the project built
// with the sanitizers. The runtime only finds these hooks in the executable
// itself, so each such program compiles this file in (the shared library
// leaves them to the application).

// Leak checks skip what the system's GL driver and EGL loader allocate: the
// software driver loses a selection-mode buffer that no call of ours can
// release.
extern "C" const char *
__lsan_default_suppressions()
{
    return "leak:_dri.so\nleak:libgallium\nleak:libEGL_mesa\nleak:libglapi\nleak:libLLVM\n";
}

// What was suppressed is not reported either: programs whose standard error
// is checked (the demo's) stay quiet when the driver lost its buffer.
extern "C" const char *
__lsan_default_options()
{
    return "print_suppressions=0";
}

// The runtime guesses where each block of dynamically loaded thread-local
// storage begins (the GL driver's compiler library has some). A block that
// the allocator happens to place at a particular page offset is taken for
// another layout, and the leak checker then scans from a wild address and
// dies at exit. Without the guessing the blocks are still found, through the
// thread's own pointer to them, as ordinary heap memory.
extern "C" const char *
__asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
