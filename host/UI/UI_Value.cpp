#include "host/UI/UI_Value.h"

void
UI_Value::setValue(double value)
{
    myValues[0] = value;
    myValues[1] = myValues[2] = 0.0;
    mySize = 1;
}

void
UI_Value::getValue(float *buf, int n) const
{
    if (!buf)
        return;
    for (int i = 0; i < n && i < MAX_SIZE; ++i)
        buf[i] = i < mySize ? static_cast<float>(myValues[i]) : 0.0f;
}

void
UI_Value::setValue(const float *buf, int n)
{
    if (!buf || n < 1 || n > MAX_SIZE)
        return;
    for (int i = 0; i < MAX_SIZE; ++i)
        myValues[i] = i < n ? buf[i] : 0.0;
    mySize = n;
}
