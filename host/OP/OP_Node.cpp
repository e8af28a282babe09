#include "host/OP/OP_Node.h"

#include "host/UT/UT_String.h"

#include <algorithm>

namespace
{
void
eraseValue(std::vector<OP_Node *> &list, OP_Node *node)
{
    list.erase(std::remove(list.begin(), list.end(), node), list.end());
}
}

OP_Node::OP_Node(const char *name, OP_Node *parent)
    : OP_NetworkBoxItem(parent)
    , myName(name ? name : "")
{
    if (parent)
        parent->myChildren.push_back(this);
}

OP_Node::~OP_Node()
{
    for (OP_Node *child : myChildren)
        child->setCreator(nullptr);
    if (OP_Node *parent = getCreator())
        eraseValue(parent->myChildren, this);
    detachFromRefs();
}

void
OP_Node::detachFromRefs()
{
    for (OP_Node *reader : myRefOutputs)
        eraseValue(reader->myRefInputs, this);
    for (OP_Node *source : myRefInputs)
        eraseValue(source->myRefOutputs, this);
    myRefOutputs.clear();
    myRefInputs.clear();
}

std::string
OP_Node::getFullPath() const
{
    std::vector<const OP_Node *> chain;
    for (const OP_Node *node = this; node; node = node->getCreator())
        chain.push_back(node);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    {
        path += '/';
        path += (*it)->myName;
    }
    return path;
}

void
OP_Node::getFullPath(UT_String &path) const
{
    path = getFullPath().c_str();
}

void
OP_Node::addRefOutput(OP_Node *reader)
{
    if (!reader || reader == this ||
        std::find(myRefOutputs.begin(), myRefOutputs.end(), reader) != myRefOutputs.end())
        return;
    myRefOutputs.push_back(reader);
    reader->myRefInputs.push_back(this);
}

bool
OP_Node::hasRefOutputs(bool include_children) const
{
    if (!myRefOutputs.empty())
        return true;
    if (include_children)
        for (const OP_Node *child : myChildren)
            if (child->hasRefOutputs(true))
                return true;
    return false;
}

void
OP_Node::handleEvent(int code, void *data)
{
    if (myEventHook)
        myEventHook(*this, code, data);
}
