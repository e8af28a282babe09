#pragma once

#include <cstdint>

// One value stored in a symbol table: a pointer or an integer.
class UT_Thing
{
public:
    UT_Thing() = default;
    template <typename T>
    UT_Thing(T *p) : myValue(reinterpret_cast<intptr_t>(p)) {}
    UT_Thing(int i) : myValue(i) {}
    UT_Thing(long i) : myValue(intptr_t(i)) {}

    template <typename T>
    T *asPointer() const { return reinterpret_cast<T *>(myValue); }
    void *asPointer() const { return reinterpret_cast<void *>(myValue); }
    int asInt() const { return int(myValue); }
    intptr_t asIntPtr() const { return myValue; }

    bool operator==(const UT_Thing &o) const { return myValue == o.myValue; }
    bool operator!=(const UT_Thing &o) const { return myValue != o.myValue; }

private:
    intptr_t myValue = 0;
};
