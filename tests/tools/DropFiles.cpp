// Drops files on a window the way a file manager does, through the X
// drag-and-drop protocol, so that window tests meet the same drop event a
// person's drag would give.
//
//   vantrel-drop-files TITLE_BEFORE TITLE_AFTER FILE...
//
// Waits up to ten seconds for a top-level window whose title contains
// TITLE_BEFORE (so a test can wait for the window to be ready for the
// drop), drops the files on its centre, waits for the window to say it
// has finished with the drop, then waits for its title to contain
// TITLE_AFTER (for thirty seconds at most), prints the title and asks the
// window to close. Exit status 0 when all of that happened, 1 otherwise
// (with the reason on stderr).

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;

Display *theDisplay = nullptr;

Atom
atom(const char *name)
{
    return XInternAtom(theDisplay, name, False);
}

std::string
titleOf(Window w)
{
    std::string title;
    XTextProperty text;
    if (XGetWMName(theDisplay, w, &text) && text.value)
    {
        title.assign(reinterpret_cast<const char *>(text.value), text.nitems);
        XFree(text.value);
    }
    return title;
}

// The first window under root (searched depth first) whose title contains
// text; 0 when none.
Window
findWindow(Window root, const std::string &text)
{
    Window parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(theDisplay, root, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
    {
        if (titleOf(children[i]).find(text) != std::string::npos)
            found = children[i];
        else
            found = findWindow(children[i], text);
    }
    if (children)
        XFree(children);
    return found;
}

void
sendMessage(Window to, Atom type, long l0, long l1, long l2, long l3, long l4)
{
    XEvent e;
    std::memset(&e, 0, sizeof(e));
    e.xclient.type = ClientMessage;
    e.xclient.window = to;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(theDisplay, to, False, NoEventMask, &e);
    XFlush(theDisplay);
}

// The next event for the source window, answering requests for the dropped
// data on the way; false when none came before the deadline.
bool
nextEvent(Window source, const std::string &uris, XEvent &e, Clock::time_point deadline)
{
    while (Clock::now() < deadline)
    {
        if (!XPending(theDisplay))
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        XNextEvent(theDisplay, &e);
        if (e.type != SelectionRequest)
            return true;
        // The window asks for the files as a uri list.
        const XSelectionRequestEvent &req = e.xselectionrequest;
        XEvent reply;
        std::memset(&reply, 0, sizeof(reply));
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = req.requestor;
        reply.xselection.selection = req.selection;
        reply.xselection.target = req.target;
        reply.xselection.time = req.time;
        reply.xselection.property = None;
        if (req.target == atom("text/uri-list"))
        {
            XChangeProperty(theDisplay, req.requestor, req.property, req.target, 8,
                            PropModeReplace, reinterpret_cast<const unsigned char *>(uris.data()),
                            int(uris.size()));
            reply.xselection.property = req.property;
        }
        XSendEvent(theDisplay, req.requestor, False, NoEventMask, &reply);
        XFlush(theDisplay);
        (void)source;
    }
    return false;
}

int
fail(const char *why)
{
    std::fprintf(stderr, "vantrel-drop-files: %s\n", why);
    return 1;
}
} // namespace

int
main(int argc, char **argv)
{
    if (argc < 4)
        return fail("usage: vantrel-drop-files TITLE_BEFORE TITLE_AFTER FILE...");
    theDisplay = XOpenDisplay(nullptr);
    if (!theDisplay)
        return fail("cannot open the display");
    const std::string before = argv[1], after = argv[2];
    std::string uris;
    for (int i = 3; i < argc; ++i)
        uris += std::string("file://") + argv[i] + "\r\n";

    const Window root = DefaultRootWindow(theDisplay);
    Window target = 0;
    for (auto until = Clock::now() + std::chrono::seconds(10); !target && Clock::now() < until;)
    {
        target = findWindow(root, before);
        if (!target)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!target)
        return fail("no window with that title");

    const Window source = XCreateSimpleWindow(theDisplay, root, 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(theDisplay, atom("XdndSelection"), source, CurrentTime);
    XWindowAttributes attrs;
    XGetWindowAttributes(theDisplay, target, &attrs);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(theDisplay, target, root, attrs.width / 2, attrs.height / 2, &x, &y,
                          &child);

    const long version = 5;
    sendMessage(target, atom("XdndEnter"), long(source), version << 24, long(atom("text/uri-list")),
                0, 0);
    sendMessage(target, atom("XdndPosition"), long(source), 0, (long(x) << 16) | long(y),
                CurrentTime, long(atom("XdndActionCopy")));
    XEvent e;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    bool accepted = false;
    while (nextEvent(source, uris, e, deadline))
        if (e.type == ClientMessage && e.xclient.message_type == atom("XdndStatus"))
        {
            accepted = (e.xclient.data.l[1] & 1) != 0;
            break;
        }
    if (!accepted)
        return fail("the window did not accept the drop");
    sendMessage(target, atom("XdndDrop"), long(source), 0, CurrentTime, 0, 0);
    bool finished = false;
    while (!finished && nextEvent(source, uris, e, deadline))
        finished = e.type == ClientMessage && e.xclient.message_type == atom("XdndFinished");
    if (!finished)
        return fail("the window did not finish the drop");

    // Every title seen on the way goes to standard error: a long load
    // shows its progress there.
    std::string title;
    for (auto until = Clock::now() + std::chrono::seconds(30); Clock::now() < until;)
    {
        const std::string seen = titleOf(target);
        if (seen != title)
            std::fprintf(stderr, "%s\n", seen.c_str());
        title = seen;
        if (title.find(after) != std::string::npos)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::printf("%s\n", title.c_str());
    std::fflush(stdout);
    // Closing as a window manager would.
    sendMessage(target, atom("WM_PROTOCOLS"), long(atom("WM_DELETE_WINDOW")), CurrentTime, 0, 0, 0);
    XCloseDisplay(theDisplay);
    return title.find(after) != std::string::npos ? 0 : fail("the title never said it");
}
