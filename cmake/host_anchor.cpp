// Keeps the host library non-empty whatever its folders hold.
extern "C" const char *vantrel_host_version() { return "0.1"; }
