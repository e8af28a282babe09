#include "bench/host/GU_MeshBenchFile.h"

#include "host/GU/GU_Detail.h"
#include "tests/support/VantrelGlb.h"

#include <malloc.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <locale>
#include <unistd.h>

namespace
{
void
grid(int i, int j, float out[3])
{
    out[0] = i * 0.01f;
    out[1] = j * 0.01f;
    out[2] = ((i * 7 + j * 13) % 17) * 0.001f;
}

template <typename T>
void
put(std::ofstream &out, T v)
{
    out.write(reinterpret_cast<const char *>(&v), sizeof(T));
}

void
writeGlb(std::ofstream &out, int side)
{
    const int cells = side - 1;
    const size_t points = size_t(side) * side, corners = size_t(6) * cells * cells;
    std::string bin;
    bin.reserve(points * 12 + corners * 4);
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)
        {
            float p[3];
            grid(i, j, p);
            bin.append(reinterpret_cast<const char *>(p), sizeof(p));
        }
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i)
        {
            const uint32_t a = uint32_t(j * side + i), b = a + 1, c = a + side, d = c + 1;
            for (uint32_t v : {a, b, d, a, d, c})
                vantrel_test::appendBytes(bin, v);
        }
    const std::string json =
        R"({"asset":{"version":"2.0"},"nodes":[{"name":"grid","mesh":0}],)"
        R"("meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":1}]}],)"
        R"("accessors":[{"bufferView":0,"count":)" + std::to_string(points) +
        R"(,"type":"VEC3","componentType":5126},{"bufferView":1,"count":)" +
        std::to_string(corners) + R"(,"type":"SCALAR","componentType":5125}],)"
        R"("bufferViews":[{"buffer":0,"byteLength":)" + std::to_string(points * 12) +
        R"(},{"buffer":0,"byteOffset":)" + std::to_string(points * 12) + R"(,"byteLength":)" +
        std::to_string(corners * 4) + R"(}],"buffers":[{"byteLength":)" +
        std::to_string(bin.size()) + "}]}";
    out << vantrel_test::glbFile(json, bin);
}

} // namespace

namespace vantrel_bench
{
std::string
writeGridMesh(const char *extension, int side)
{
    const std::string p = "/tmp/vantrel-bench-" + std::to_string(getpid()) + "-" +
                          std::to_string(side) + extension;
    std::ofstream out(p, std::ios::binary);
    const bool ply = std::string(extension) == ".ply";
    const int cells = side - 1;
    if (std::string(extension) == ".glb")
        writeGlb(out, side);
    else if (std::string(extension) == ".obj")
    {
        out.imbue(std::locale::classic());
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i)
            {
                float p[3];
                grid(i, j, p);
                out << "v " << p[0] << ' ' << p[1] << ' ' << p[2] << '\n';
            }
        for (int j = 0; j < cells; ++j)
            for (int i = 0; i < cells; ++i)
            {
                // OBJ counts points from 1.
                const int a = j * side + i + 1, b = a + 1, c = a + side, d = c + 1;
                out << "f " << a << ' ' << b << ' ' << d << "\nf " << a << ' ' << d << ' ' << c
                    << '\n';
            }
    }
    else if (ply)
    {
        out << "ply\nformat binary_little_endian 1.0\nelement vertex " << side * side
            << "\nproperty float x\nproperty float y\nproperty float z\nelement face "
            << 2 * cells * cells << "\nproperty list uchar int vertex_indices\nend_header\n";
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i)
            {
                float p[3];
                grid(i, j, p);
                out.write(reinterpret_cast<const char *>(p), sizeof(p));
            }
        for (int j = 0; j < cells; ++j)
            for (int i = 0; i < cells; ++i)
            {
                const int a = j * side + i, b = a + 1, c = a + side, d = c + 1;
                const int tris[2][3] = {{a, b, d}, {a, d, c}};
                for (const auto &t : tris)
                {
                    put(out, uint8_t(3));
                    out.write(reinterpret_cast<const char *>(t), sizeof(t));
                }
            }
    }
    else
    {
        out << std::string(80, ' ');
        put(out, uint32_t(2 * cells * cells));
        for (int j = 0; j < cells; ++j)
            for (int i = 0; i < cells; ++i)
            {
                float a[3], b[3], c[3], d[3];
                grid(i, j, a);
                grid(i + 1, j, b);
                grid(i, j + 1, c);
                grid(i + 1, j + 1, d);
                const float *tris[2][3] = {{a, b, d}, {a, d, c}};
                const float normal[3] = {0, 0, 1};
                for (const auto &t : tris)
                {
                    out.write(reinterpret_cast<const char *>(normal), sizeof(normal));
                    for (const float *p : t)
                        out.write(reinterpret_cast<const char *>(p), 12);
                    put(out, uint16_t(0));
                }
            }
    }
    return p;
}

int
gridSideFor(long triangles)
{
    int cells = int(std::sqrt(double(triangles) / 2.0));
    while (2L * cells * cells < triangles)
        ++cells;
    return cells + 1;
}

long
residentKB()
{
    long pages = 0, resident = 0;
    std::FILE *f = std::fopen("/proc/self/statm", "r");
    if (f && std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    if (f)
        std::fclose(f);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The peak resident kilobytes since the last reset (VmHWM).
long
peakResidentKB()
{
    long peak = -1;
    std::FILE *f = std::fopen("/proc/self/status", "r");
    char line[256];
    while (f && std::fgets(line, sizeof(line), f))
        if (std::sscanf(line, "VmHWM: %ld", &peak) == 1)
            break;
    if (f)
        std::fclose(f);
    return peak;
}

double
loadPeakMB(const std::string &path, long minPrimitives)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1.0;
    const pid_t child = fork();
    if (child == 0)
    {
        // The child starts with the parent's pages and high-water mark:
        // memory the parent freed is given back and the mark is reset, so
        // that only the load's growth counts.
        malloc_trim(0);
        if (std::FILE *f = std::fopen("/proc/self/clear_refs", "w"))
        {
            std::fputs("5", f);
            std::fclose(f);
        }
        const long before = residentKB();
        double grown = -1.0;
        {
            GU_Detail gdp;
            if (gdp.load(path.c_str()) && gdp.getNumPrimitives() >= minPrimitives)
                grown = double(peakResidentKB() - before) / 1024.0;
        }
        const bool sent = write(fds[1], &grown, sizeof(grown)) == sizeof(grown);
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    double grown = -1.0;
    if (child < 0 || read(fds[0], &grown, sizeof(grown)) != sizeof(grown))
        grown = -1.0;
    close(fds[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    return grown;
}
} // namespace vantrel_bench
