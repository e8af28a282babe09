#ifndef GR2D_ATTRIBUTETYPE_H
#define GR2D_ATTRIBUTETYPE_H

// Where the texture coordinates a 2D drawer draws live.
enum GR2D_AttributeType
{
    GR2D_POINT_ATTRIB = 0,
    GR2D_VERTEX_ATTRIB = 1
};

#endif
