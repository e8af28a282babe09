#pragma once

#include "host/UT/SYS_Visibility.h"

#include <array>
#include <memory>
#include <string>

class GUI_DetailLook;
class GU_DetailHandle;

namespace vantrel
{
class Viewport;
struct SceneData;

// One object of a viewport: geometry shown through a detail look, with its
// name, transform and flags. Objects are made by a viewport (addMesh,
// loadMesh, the builders) and belong to its scene until remove() or the
// viewport closes; after that every call but alive() and name() throws
// std::runtime_error.
class VANTREL_API Object
{
public:
    ~Object();
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;

    // Whether the object is still in its viewport's scene.
    bool alive() const;

    const std::string &name() const { return myName; }
    void setName(const std::string &name);

    // Row-vector convention: a point p moves to p * M, so the translation
    // is the last row. 16 values, row after row.
    std::array<double, 16> transform() const;
    // Throws std::invalid_argument for a value that is not finite.
    void setTransform(const std::array<double, 16> &m);

    bool selected() const;
    void setSelected(bool on);
    bool templated() const;
    void setTemplated(bool on);
    bool ghosted() const;
    void setGhosted(bool on);
    // Drawn and picked; a hidden object is neither.
    bool visible() const;
    void setVisible(bool on);

    // Counts of the geometry.
    int pointCount() const;
    int primitiveCount() const;

    // Takes the object out of its viewport's scene. Does nothing when it
    // is no longer in one.
    void remove();

    // The look the viewports draw the object through (for applications
    // composing frames themselves).
    GUI_DetailLook &look() const;

private:
    friend class Viewport;
    friend struct SceneData;
    struct Parts;

    Object(std::weak_ptr<SceneData> scene, std::string name, GU_DetailHandle geometry);
    Parts &parts() const;
    // Drops the look and geometry; the scene's context must be current.
    void detach();

    std::weak_ptr<SceneData> myScene;
    std::string myName;
    std::unique_ptr<Parts> myParts;
};
} // namespace vantrel
