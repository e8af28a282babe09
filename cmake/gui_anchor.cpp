// Keeps the shared library non-empty while its folders are still growing,
// and gives the application a version string to check against.
extern "C" const char *vantrel_gui_version() { return "0.1"; }
