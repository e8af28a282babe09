#include "host/RE/RE_RawMesh.h"

#include "host/RE/RE_GL.h"

#include <cstdint>

RE_RawMesh::RE_RawMesh(const std::vector<float> &positions, const std::vector<float> &normals,
                       const std::vector<unsigned int> &indices, bool lines)
    : myIndexCount(int(indices.size())), myLines(lines),
      myNormals(!normals.empty() && normals.size() == positions.size())
{
    glGenBuffers(2, myBuffers);
    glBindBuffer(GL_ARRAY_BUFFER, myBuffers[0]);
    // Positions, then normals, in one buffer.
    const size_t posBytes = positions.size() * sizeof(float);
    const size_t normBytes = myNormals ? normals.size() * sizeof(float) : 0;
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(posBytes + normBytes), nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(posBytes), positions.data());
    if (myNormals)
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(posBytes), GLsizeiptr(normBytes),
                        normals.data());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, myBuffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(unsigned int)),
                 indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    myNormalOffset = posBytes;
}

RE_RawMesh::~RE_RawMesh()
{
    glDeleteBuffers(2, myBuffers);
}

void
RE_RawMesh::draw(const std::vector<UT_Matrix4> &objects, const UT_Matrix4 &viewing) const
{
    glBindBuffer(GL_ARRAY_BUFFER, myBuffers[0]);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, myBuffers[1]);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    if (myNormals)
    {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, reinterpret_cast<const void *>(uintptr_t(myNormalOffset)));
    }
    glMatrixMode(GL_MODELVIEW);
    for (const UT_Matrix4 &object : objects)
    {
        const UT_Matrix4 m = object * viewing;
        glLoadMatrixf(m.data());
        glDrawElements(myLines ? GL_LINES : GL_TRIANGLES, myIndexCount, GL_UNSIGNED_INT, nullptr);
    }
    glLoadMatrixf(viewing.data());
    if (myNormals)
        glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void
RE_RawMesh::finish()
{
    glFinish();
}
