#ifndef UI_Value_h
#define UI_Value_h

#include "host/UT/SYS_Visibility.h"

// A toolkit value: one to three numbers that the parts of the interface
// share (the current time, a mouse position, a point in the world). The
// first number is kept in double precision, so a clock value loses nothing.
class VANTREL_API UI_Value
{
public:
    static const int MAX_SIZE = 3;

    explicit UI_Value(double value = 0.0) : myValues{value, 0.0, 0.0}, mySize(1) {}
    UI_Value(float a, float b) : myValues{a, b, 0.0}, mySize(2) {}
    UI_Value(float a, float b, float c) : myValues{a, b, c}, mySize(3) {}
    UI_Value(const UI_Value &) = default;
    UI_Value &operator=(const UI_Value &) = default;
    virtual ~UI_Value() = default;

    // A single number; the value then holds one.
    void setValue(double value);
    double getValue() const { return myValues[0]; }
    operator float() const { return static_cast<float>(myValues[0]); }
    operator double() const { return myValues[0]; }

    // Copies the first n numbers (at most three) into buf; numbers past the
    // value's size read as 0. Nothing for n of 0 or less.
    void getValue(float *buf, int n) const;
    // Sets the value to the n numbers in buf (n from 1 to 3). Any other n,
    // or a null buf, leaves the value as it was.
    virtual void setValue(const float *buf, int n);

    // How many numbers the value holds.
    int getSize() const { return mySize; }

private:
    double myValues[MAX_SIZE];
    int mySize;
};

#endif
