#pragma once

// The library is built with hidden symbols by default. VANTREL_API marks a
// class or function as part of what the shared library exports to
// applications:
//     class VANTREL_API GUI_ViewState { ... };
//     VANTREL_API void UTaddError(...);
// Everything without it stays private to the library, so an application
// cannot bind to internals and the library's process-wide state is reached
// only through the one shared copy.
#if defined(__GNUC__) || defined(__clang__)
#define VANTREL_API __attribute__((visibility("default")))
#else
#define VANTREL_API
#endif
