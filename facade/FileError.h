#pragma once

#include "host/UT/SYS_Visibility.h"

#include <stdexcept>
#include <string>

namespace vantrel
{
// A file that could not be read or written. The message names the file;
// path() gives it alone.
class VANTREL_API FileError : public std::runtime_error
{
public:
    FileError(const std::string &path, const std::string &message)
        : std::runtime_error(message), myPath(path)
    {
    }
    const std::string &path() const { return myPath; }

private:
    std::string myPath;
};
} // namespace vantrel
