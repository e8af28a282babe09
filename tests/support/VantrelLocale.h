#pragma once

// A comma-decimal locale, set process-wide for a test's scope, the way an
// application in a German-speaking setting would: the global C++ locale gets
// a comma decimal point and a dot thousands separator, and the C library's
// locale is "de_DE.UTF-8" where the machine has it.

#include <clocale>
#include <locale>
#include <string>

namespace vantrel_test
{
class CommaPunct : public std::numpunct<char>
{
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class ScopedCommaLocale
{
public:
    ScopedCommaLocale()
        : myOldGlobal(std::locale::global(std::locale(std::locale::classic(), new CommaPunct))),
          myOldC(std::setlocale(LC_ALL, nullptr))
    {
        myHaveC = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~ScopedCommaLocale()
    {
        std::locale::global(myOldGlobal);
        std::setlocale(LC_ALL, myOldC.c_str());
    }
    ScopedCommaLocale(const ScopedCommaLocale &) = delete;
    ScopedCommaLocale &operator=(const ScopedCommaLocale &) = delete;

    // Whether the C library's locale is the comma one too.
    bool haveCLocale() const { return myHaveC; }

private:
    std::locale myOldGlobal;
    std::string myOldC;
    bool myHaveC = false;
};
} // namespace vantrel_test
