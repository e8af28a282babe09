#include "host/UT/UT_ErrorManager.h"

#include <cerrno>
#include <cstring>
#include <mutex>
#include <ostream>
#include <sys/stat.h>

namespace
{
std::mutex theErrorLock;

std::vector<UT_ErrorEntry> &
errorList()
{
    static std::vector<UT_ErrorEntry> theList;
    return theList;
}

// Texts for the codes this system reports; "%s" takes the caller's msg.
// Codes not listed here keep the caller's msg as their text.
const char *
codeFormat(const std::string &type, int code)
{
    struct Known
    {
        const char *type;
        int code;
        const char *format;
    };
    static const Known theKnown[] = {
        {"GR", 1, "Unable to save the display settings file %s."},
        {"GR", 2, "Saved the display settings to \"%s\"."},
        {"RE", 1, "No font for viewport text: fontconfig matches none and \"%s\" is missing "
                  "(Debian package fonts-dejavu-core). Text is not drawn."},
    };
    for (const Known &k : theKnown)
        if (type == k.type && code == k.code)
            return k.format;
    return nullptr;
}

void
addEntry(const char *type, int code, UT_ErrorSeverity severity, const char *msg)
{
    UT_ErrorEntry e;
    e.type = type ? type : "";
    e.code = code;
    e.severity = severity;
    std::string text = msg ? msg : "";
    if (const char *fmt = codeFormat(e.type, code))
    {
        // Substitute by hand: msg is data, never a format.
        std::string f(fmt);
        size_t at = f.find("%s");
        e.text = at == std::string::npos ? f : f.substr(0, at) + text + f.substr(at + 2);
    }
    else
        e.text = text;
    std::lock_guard<std::mutex> lock(theErrorLock);
    errorList().push_back(std::move(e));
}

const char *
severityName(UT_ErrorSeverity s)
{
    switch (s)
    {
    case UT_SEVERITY_MESSAGE: return "Message";
    case UT_SEVERITY_PROMPT: return "Prompt";
    case UT_SEVERITY_WARNING: return "Warning";
    case UT_SEVERITY_ERROR: return "Error";
    case UT_SEVERITY_FATAL: return "Fatal";
    default: return "Note";
    }
}
} // namespace

void UTaddError(const char *type, int code, const char *msg) { addEntry(type, code, UT_SEVERITY_ERROR, msg); }
void UTaddMessage(const char *type, int code, const char *msg) { addEntry(type, code, UT_SEVERITY_MESSAGE, msg); }
void UTaddWarning(const char *type, int code, const char *msg) { addEntry(type, code, UT_SEVERITY_WARNING, msg); }

int
UTgetErrorSeverity()
{
    std::lock_guard<std::mutex> lock(theErrorLock);
    int worst = UT_SEVERITY_NONE;
    for (const UT_ErrorEntry &e : errorList())
        if (e.severity > worst)
            worst = e.severity;
    return worst;
}

std::vector<UT_ErrorEntry>
UTgetErrors()
{
    std::lock_guard<std::mutex> lock(theErrorLock);
    return errorList();
}

void
UTprintErrors(std::ostream &os)
{
    for (const UT_ErrorEntry &e : UTgetErrors())
        os << severityName(e.severity) << " " << e.type << " " << e.code << ": "
           << e.text << "\n";
}

void
UTclearErrors()
{
    std::lock_guard<std::mutex> lock(theErrorLock);
    errorList().clear();
}

bool
UTcheckOutStream(std::ostream &os, const char *msg, const char *path)
{
    if (!os.fail())
        return true;
    std::string text = msg ? msg : "Writing failed.";
    if (path && *path)
        text += std::string(" (") + path + ")";
    addEntry("UT", 1, UT_SEVERITY_ERROR, text.c_str());
    return false;
}

bool
UTcreateDirectoryForFile(const char *path)
{
    if (!path || !*path)
        return false;
    std::string dir(path);
    size_t slash = dir.find_last_of('/');
    if (slash == std::string::npos)
        return true; // a bare file name lives in the current directory
    dir.resize(slash);
    if (dir.empty())
        return true; // the root

    // Create each component in turn.
    for (size_t pos = 1; pos <= dir.size(); ++pos)
    {
        if (pos < dir.size() && dir[pos] != '/')
            continue;
        std::string part = dir.substr(0, pos);
        struct stat st;
        if (stat(part.c_str(), &st) == 0)
        {
            if (!S_ISDIR(st.st_mode))
                return false;
            continue;
        }
        if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st;
    return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
