#ifndef VANTREL_VIEW_ViewWindow_h
#define VANTREL_VIEW_ViewWindow_h

class GUI_ViewState;
struct ViewOptions;

// The bindings of the interactive window, as --help lists them.
const char *windowBindingsHelp();

// Opens the interactive viewer on the scene the options name, with the
// view state's cameras and options, and runs it until the person closes
// it. The camera is saved on the way out when the options ask. False,
// with one line on standard error, when there is no display or the
// scene, camera or event file cannot be read.
bool runWindow(GUI_ViewState &state, const ViewOptions &opts);

#endif
