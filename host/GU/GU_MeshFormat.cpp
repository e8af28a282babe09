// Choosing the reader for a mesh file.
#include "host/GU/GU_MeshRead.h"

#include <algorithm>
#include <cctype>

namespace
{
std::string
lowerExtension(const std::string &name)
{
    const size_t slash = name.find_last_of('/');
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

bool
startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}
} // namespace

GU_MeshFormat
GUmeshFormatOf(std::string_view head, long long size, const std::string &name)
{
    if (startsWith(head, "glTF"))
        return GU_MeshFormat::GLTF;
    const size_t brace = head.find_first_not_of(" \t\r\n");
    if (brace != std::string_view::npos && head[brace] == '{' &&
        head.find("\"asset\"") != std::string_view::npos)
        return GU_MeshFormat::GLTF;
    if (startsWith(head, "ply\n") || startsWith(head, "ply\r\n"))
        return GU_MeshFormat::PLY;
    // A binary STL's size follows from its facet count exactly; its 80-byte
    // header may say anything, "solid" included.
    if (head.size() >= 84 && size >= 84)
    {
        const unsigned char *c = reinterpret_cast<const unsigned char *>(head.data()) + 80;
        const unsigned long long count = c[0] | (c[1] << 8) | (c[2] << 16) |
                                         ((unsigned long long)c[3] << 24);
        if ((unsigned long long)size == 84 + 50 * count)
            return GU_MeshFormat::STL_BINARY;
    }
    const bool solid = startsWith(head, "solid");
    if (solid && head.find("facet") != std::string_view::npos)
        return GU_MeshFormat::STL_ASCII;
    const std::string ext = lowerExtension(name);
    if (ext == "gltf" || ext == "glb")
        return GU_MeshFormat::GLTF;
    if (ext == "ply")
        return GU_MeshFormat::PLY;
    // A binary header may start with "solid" too; only text without a
    // facet is too short to be binary.
    if (ext == "stl")
        return solid && size < 84 ? GU_MeshFormat::STL_ASCII : GU_MeshFormat::STL_BINARY;
    return GU_MeshFormat::OBJ;
}
