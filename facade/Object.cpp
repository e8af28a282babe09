#include "facade/Object.h"

#include "detail/GUI_DetailLook.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/OP/OP_Node.h"
#include "host/UT/UT_Matrix4.h"

#include <cmath>
#include <stdexcept>

namespace vantrel
{
// The geometry, the node the look names it by, and the look.
struct Object::Parts
{
    GU_DetailHandle geometry;
    std::unique_ptr<OP_Node> node;
    std::unique_ptr<GUI_DetailLook> look;
};

Object::Object(std::weak_ptr<SceneData> scene, std::string name, GU_DetailHandle geometry)
    : myScene(std::move(scene)), myName(std::move(name)), myParts(std::make_unique<Parts>())
{
    myParts->geometry = geometry;
    myParts->node = std::make_unique<OP_Node>(myName.c_str());
    myParts->look = std::make_unique<GUI_DetailLook>(&myParts->geometry);
    myParts->look->setObject(myParts->node.get());
}

Object::~Object() = default;

bool
Object::alive() const
{
    return myParts != nullptr && !myScene.expired();
}

Object::Parts &
Object::parts() const
{
    if (!alive())
        throw std::runtime_error("object \"" + myName + "\" was removed from its viewport");
    return *myParts;
}

void
Object::detach()
{
    // The look first: it releases its cached drawing while the geometry
    // and node it refers to are still there.
    if (myParts)
    {
        myParts->look.reset();
        myParts.reset();
    }
}

void
Object::setName(const std::string &name)
{
    Parts &p = parts();
    // The look keeps a pointer to the node: a new node, then the old one goes.
    auto node = std::make_unique<OP_Node>(name.c_str());
    p.look->setObject(node.get());
    p.node = std::move(node);
    myName = name;
}

std::array<double, 16>
Object::transform() const
{
    const UT_Matrix4 &m = parts().look->getXform();
    std::array<double, 16> out{};
    for (int i = 0; i < 16; ++i)
        out[size_t(i)] = double(m(i / 4, i % 4));
    return out;
}

void
Object::setTransform(const std::array<double, 16> &values)
{
    Parts &p = parts();
    UT_Matrix4 m;
    for (int i = 0; i < 16; ++i)
    {
        // Checked as stored: a double beyond float range is not finite either.
        const float v = float(values[size_t(i)]);
        if (!std::isfinite(v))
            throw std::invalid_argument("transform: value " + std::to_string(i) +
                                        " is not a finite number");
        m(i / 4, i % 4) = v;
    }
    p.look->setXform(m);
}

bool Object::selected() const { return parts().look->isObjSelection() != 0; }
void Object::setSelected(bool on) { parts().look->setObjSelection(on ? 1 : 0); }
bool Object::templated() const { return parts().look->isTemplated() != 0; }
void Object::setTemplated(bool on) { parts().look->setTemplate(on ? 1 : 0); }
bool Object::ghosted() const { return parts().look->isObjGhost() != 0; }
void Object::setGhosted(bool on) { parts().look->setObjGhost(on ? 1 : 0); }
bool Object::visible() const { return parts().look->isDisplayOn() != 0; }
void
Object::setVisible(bool on)
{
    // A hidden object is not picked either.
    parts().look->setDisplay(on ? 1 : 0);
    parts().look->setPicking(on ? 1 : 0);
}

int
Object::pointCount() const
{
    const GU_Detail *gdp = parts().geometry.readLock();
    const int n = gdp ? gdp->getNumPoints() : 0;
    parts().geometry.unlock(gdp);
    return n;
}

int
Object::primitiveCount() const
{
    const GU_Detail *gdp = parts().geometry.readLock();
    const int n = gdp ? gdp->getNumPrimitives() : 0;
    parts().geometry.unlock(gdp);
    return n;
}

GUI_DetailLook &
Object::look() const
{
    return *parts().look;
}
} // namespace vantrel
