#pragma once

// Helpers shared by the 3x3 and 4x4 matrix classes, computed in double.

// Determinant of the upper-left 3x3 of any row-indexable matrix.
template <typename M>
inline double
UTdeterminant3(const M &m)
{
    return double(m[0][0]) * (double(m[1][1]) * m[2][2] - double(m[1][2]) * m[2][1]) -
           double(m[0][1]) * (double(m[1][0]) * m[2][2] - double(m[1][2]) * m[2][0]) +
           double(m[0][2]) * (double(m[1][0]) * m[2][1] - double(m[1][1]) * m[2][0]);
}

// Rotation matrices for row vectors (p' = p * R), right-handed: a positive
// angle about z turns x toward y.

// Axis index 0, 1 or 2; false (and r untouched) for any other index.
bool UTaxisRotation(int axis_index, double radians, double r[3][3]);

// About an arbitrary axis; with normalize false the axis is taken as unit.
// A zero axis gives the identity.
void UTvectorRotation(double ax, double ay, double az, double radians,
                      bool normalize, double r[3][3]);
