#pragma once

// Rotation matrices shared by the 3x3 and 4x4 matrix classes, for row
// vectors (p' = p * R), right-handed: a positive angle about z turns x
// toward y. Computed in double.

// Axis index 0, 1 or 2; false (and r untouched) for any other index.
bool UTaxisRotation(int axis_index, double radians, double r[3][3]);

// About an arbitrary axis; with normalize false the axis is taken as unit.
// A zero axis gives the identity.
void UTvectorRotation(double ax, double ay, double az, double radians,
                      bool normalize, double r[3][3]);
