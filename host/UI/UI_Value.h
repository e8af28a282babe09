#ifndef UI_Value_h
#define UI_Value_h

#include "host/UT/SYS_Visibility.h"

// A named toolkit value (a number the interface shares between its parts,
// such as the current time). Readers take its float conversion.
class VANTREL_API UI_Value
{
public:
    explicit UI_Value(double value = 0.0) : myValue(value) {}

    void setValue(double value) { myValue = value; }
    double getValue() const { return myValue; }
    operator float() const { return static_cast<float>(myValue); }
    operator double() const { return myValue; }

private:
    double myValue;
};

#endif
