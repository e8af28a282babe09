#pragma once

#include "host/UT/SYS_Visibility.h"

#include <iosfwd>
#include <string>
#include <vector>

// Severities of the process-wide error list. Anything at
// UT_SEVERITY_ERROR or above stops an operation that checks it.
enum UT_ErrorSeverity
{
    UT_SEVERITY_NONE = 0,
    UT_SEVERITY_MESSAGE = 1,
    UT_SEVERITY_PROMPT = 2,
    UT_SEVERITY_WARNING = 3,
    UT_SEVERITY_ERROR = 4,
    UT_SEVERITY_FATAL = 5
};

// One entry: the reporting library's type (for example "GR"), its code,
// the severity and the text composed for the user.
struct VANTREL_API UT_ErrorEntry
{
    std::string type;
    int code = 0;
    UT_ErrorSeverity severity = UT_SEVERITY_NONE;
    std::string text;
};

// Append to the list. msg fills the code's text (a file name, a path);
// null is allowed.
VANTREL_API void UTaddError(const char *type, int code, const char *msg);
VANTREL_API void UTaddMessage(const char *type, int code, const char *msg);
VANTREL_API void UTaddWarning(const char *type, int code, const char *msg);

// The highest severity in the list (UT_SEVERITY_NONE when empty).
VANTREL_API int UTgetErrorSeverity();
// A copy of the entries in the order they were added.
VANTREL_API std::vector<UT_ErrorEntry> UTgetErrors();
// One line per entry: "<Severity> <type> <code>: <text>".
VANTREL_API void UTprintErrors(std::ostream &os);
VANTREL_API void UTclearErrors();

// False, with an error entry carrying msg (and path when given), when os
// has failed; true otherwise.
VANTREL_API bool UTcheckOutStream(std::ostream &os, const char *msg, const char *path);

// Creates the directories above the file at path (like mkdir -p of its
// parent). True when they exist afterwards.
VANTREL_API bool UTcreateDirectoryForFile(const char *path);
