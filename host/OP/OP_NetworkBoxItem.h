#ifndef OP_NetworkBoxItem_h
#define OP_NetworkBoxItem_h

#include "host/UT/SYS_Visibility.h"

class OP_Node;

// Anything that sits inside a node network: it knows the node that
// contains it (its creator), which is null at the top of the hierarchy.
class VANTREL_API OP_NetworkBoxItem
{
public:
    explicit OP_NetworkBoxItem(OP_Node *creator = nullptr) : myCreator(creator) {}
    virtual ~OP_NetworkBoxItem() = default;
    OP_NetworkBoxItem(const OP_NetworkBoxItem &) = delete;
    OP_NetworkBoxItem &operator=(const OP_NetworkBoxItem &) = delete;

    OP_Node *getCreator() const { return myCreator; }

protected:
    void setCreator(OP_Node *creator) { myCreator = creator; }

private:
    OP_Node *myCreator;
};

#endif
