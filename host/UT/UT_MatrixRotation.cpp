#include "host/UT/UT_MatrixRotation.h"

#include <cmath>

bool
UTaxisRotation(int axis_index, double radians, double r[3][3])
{
    if (axis_index < 0 || axis_index > 2)
        return false;
    double c = std::cos(radians), s = std::sin(radians);
    int i = axis_index, j = (i + 1) % 3, k = (i + 2) % 3;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            r[a][b] = 0.0;
    r[i][i] = 1.0;
    r[j][j] = c;
    r[j][k] = s;
    r[k][j] = -s;
    r[k][k] = c;
    return true;
}

void
UTvectorRotation(double ax, double ay, double az, double radians,
                 bool normalize, double r[3][3])
{
    if (normalize)
    {
        double len = std::sqrt(ax * ax + ay * ay + az * az);
        if (len > 0.0)
        {
            ax /= len;
            ay /= len;
            az /= len;
        }
    }
    if (ax == 0.0 && ay == 0.0 && az == 0.0)
    {
        UTaxisRotation(0, 0.0, r);
        return;
    }
    double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;
    // The column-vector rotation transposed: c I - s [u]x + t u u^T.
    r[0][0] = c + t * ax * ax;
    r[0][1] = t * ax * ay + s * az;
    r[0][2] = t * ax * az - s * ay;
    r[1][0] = t * ay * ax - s * az;
    r[1][1] = c + t * ay * ay;
    r[1][2] = t * ay * az + s * ax;
    r[2][0] = t * az * ax + s * ay;
    r[2][1] = t * az * ay - s * ax;
    r[2][2] = c + t * az * az;
}
