// Mesh file reading for GU_Detail.
#include "host/GU/GU_Detail.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace
{
bool
fail(GU_Detail &gdp, std::string *error, const std::string &message)
{
    gdp.clearAndDestroy();
    if (error)
        *error = message;
    return false;
}

bool
inRange(int index, size_t count)
{
    return index >= 0 && size_t(index) < count;
}

// Checks one corner of a face or line; optional indices may be -1.
bool
checkCorner(const tinyobj::index_t &corner, size_t npoints, size_t nuvs,
            size_t nnormals, std::string &why)
{
    std::ostringstream out;
    if (!inRange(corner.vertex_index, npoints))
        out << "point " << corner.vertex_index + 1 << " of " << npoints;
    else if (corner.texcoord_index != -1 && !inRange(corner.texcoord_index, nuvs))
        out << "texture coordinate " << corner.texcoord_index + 1 << " of " << nuvs;
    else if (corner.normal_index != -1 && !inRange(corner.normal_index, nnormals))
        out << "normal " << corner.normal_index + 1 << " of " << nnormals;
    else
        return true;
    why = out.str();
    return false;
}
}

bool
GU_Detail::load(const char *filename, std::string *error)
{
    clearAndDestroy();
    std::string name = filename ? filename : "";
    if (name.empty())
        return fail(*this, error, "no file name given");

    std::ifstream in(name, std::ios::binary);
    if (!in)
        return fail(*this, error, name + ": cannot open the file");

    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warnings, errors;
    // Polygons are kept as they are (no triangulation), and material
    // libraries are not followed: only the mesh matters here.
    bool ok = tinyobj::LoadObj(&attrib, &shapes, &materials, &warnings, &errors,
                               &in, nullptr, false);
    if (!ok)
    {
        std::string reason = errors.empty() ? "the file could not be parsed" : errors;
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
            reason.pop_back();
        return fail(*this, error, name + ": " + reason);
    }

    size_t npoints = attrib.vertices.size() / 3;
    size_t nuvs = attrib.texcoords.size() / 2;
    size_t nnormals = attrib.normals.size() / 3;

    // Check every face and line before building anything, so a broken file
    // leaves no half-made geometry behind.
    bool has_uvs = false, has_normals = false;
    size_t nprims = 0;
    for (const tinyobj::shape_t &shape : shapes)
    {
        size_t total = 0;
        for (unsigned char count : shape.mesh.num_face_vertices)
        {
            if (count < 3)
                return fail(*this, error,
                            name + ": a face has fewer than three corners");
            total += count;
        }
        if (total != shape.mesh.indices.size())
            return fail(*this, error, name + ": a face has too many corners");
        size_t line_total = 0;
        for (int count : shape.lines.num_line_vertices)
        {
            if (count < 2)
                return fail(*this, error,
                            name + ": a line has fewer than two points");
            line_total += size_t(count);
        }
        if (line_total != shape.lines.indices.size())
            return fail(*this, error, name + ": a line is incomplete");

        for (const auto *list : {&shape.mesh.indices, &shape.lines.indices})
            for (const tinyobj::index_t &corner : *list)
            {
                std::string why;
                if (!checkCorner(corner, npoints, nuvs, nnormals, why))
                    return fail(*this, error,
                                name + ": index out of range (" + why + ")");
                has_uvs |= corner.texcoord_index >= 0;
                has_normals |= corner.normal_index >= 0;
            }
        nprims += shape.mesh.num_face_vertices.size() +
                  shape.lines.num_line_vertices.size();
    }
    if (npoints == 0 || nprims == 0)
        return fail(*this, error, name + ": the file holds no polygons or lines");

    int first = appendPoints(int(npoints));
    float *pos = editPositions() + size_t(first) * 3;
    std::copy(attrib.vertices.begin(), attrib.vertices.begin() + npoints * 3, pos);

    GB_Attribute *uv = has_uvs ? addFloatAttrib(GB_ATTRIB_VERTEX, "uv", 2) : nullptr;
    GB_Attribute *normal = has_normals ? addFloatAttrib(GB_ATTRIB_VERTEX, "N", 3) : nullptr;
    std::vector<int> points;
    auto addPrim = [&](GB_PrimType type, const tinyobj::index_t *corners, int count) {
        points.resize(size_t(count));
        for (int k = 0; k < count; ++k)
            points[size_t(k)] = first + corners[k].vertex_index;
        int prim = appendPrimitive(type, points.data(), count);
        int vertex = getPrimVertexOffset(prim);
        for (int k = 0; k < count; ++k, ++vertex)
        {
            const tinyobj::index_t &c = corners[k];
            if (uv && c.texcoord_index >= 0)
                uv->setF(vertex, &attrib.texcoords[size_t(c.texcoord_index) * 2]);
            if (normal && c.normal_index >= 0)
                normal->setF(vertex, &attrib.normals[size_t(c.normal_index) * 3]);
        }
    };
    for (const tinyobj::shape_t &shape : shapes)
    {
        size_t offset = 0;
        for (unsigned char count : shape.mesh.num_face_vertices)
        {
            addPrim(GB_PRIM_POLYGON, &shape.mesh.indices[offset], count);
            offset += count;
        }
        offset = 0;
        for (int count : shape.lines.num_line_vertices)
        {
            addPrim(GB_PRIM_POLYLINE, &shape.lines.indices[offset], count);
            offset += size_t(count);
        }
    }
    if (error)
        error->clear();
    return true;
}
