#ifndef OP_Node_h
#define OP_Node_h

#include "host/UT/SYS_Visibility.h"

#include "host/OP/OP_NetworkBoxItem.h"

#include <functional>
#include <string>
#include <vector>

class UT_String;

// Event codes a node can be sent.
enum OP_EventType
{
    OP_EVENT_SELECTION_CHANGED = 31  // the component selection shown for the node changed
};

// A node of the scene: a name, the network that contains it, the nodes
// inside it, and the nodes that refer to its output. A node does not own
// the nodes inside it; whichever goes first detaches itself from the
// other.
class VANTREL_API OP_Node : public OP_NetworkBoxItem
{
public:
    using EventHook = std::function<void(OP_Node &node, int code, void *data)>;

    explicit OP_Node(const char *name, OP_Node *parent = nullptr);
    ~OP_Node() override;

    virtual const char *className() const { return "OP_Node"; }

    const char *getName() const { return myName.c_str(); }
    int getNumChildren() const { return int(myChildren.size()); }

    // The path from the top of the hierarchy: "/" then the names of the
    // containing nodes and this one, separated by "/".
    virtual void getFullPath(UT_String &path) const;
    std::string getFullPath() const;

    // Output references: nodes that read this node's output.
    void addRefOutput(OP_Node *reader);
    // Whether any node reads this node's output; with include_children,
    // also whether any node reads the output of a node inside this one.
    bool hasRefOutputs(bool include_children) const;

    // Delivers an event to the node. The default hands it to the event
    // hook, when one is set.
    virtual void handleEvent(int code, void *data);
    void setEventHook(EventHook hook) { myEventHook = std::move(hook); }

private:
    void detachFromRefs();

    std::string myName;
    std::vector<OP_Node *> myChildren;
    std::vector<OP_Node *> myRefOutputs;  // nodes reading our output
    std::vector<OP_Node *> myRefInputs;   // nodes whose output we read
    EventHook myEventHook;
};

#endif
