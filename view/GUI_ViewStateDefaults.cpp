// The library-wide default view state and the settings file that holds it.

#include "view/GUI_ViewState.h"

#include "host/GR/GR_OptionText.h"
#include "host/GR/GR_UserOption.h"
#include "host/UT/UT_ClassicLocale.h"
#include "host/UT/UT_ErrorManager.h"
#include "host/UT/UT_IFStream.h"
#include "host/UT/UT_PathFile.h"
#include "host/UT/UT_SafeSave.h"
#include "host/UT/UT_String.h"
#include "host/UT/UT_StringArray.h"
#include "host/UT/UT_WorkBuffer.h"
#include "view/GUI_ExternalDefaultCB.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

GUI_ViewState *GUI_ViewState::defaultValues = nullptr;
GUI_ExternalDefaultCB *GUI_ViewState::externalDefaultValues = nullptr;
UT_StringArray *GUI_ViewState::defaultEnabledUserOptions = nullptr;
bool GUI_ViewState::ourDefaultsLoaded = false;

namespace
{
// The stopping level of the host error list.
bool
errorsStopSaving()
{
    return UTgetErrorSeverity() >= UT_SEVERITY_ERROR;
}

// "(", one float, ")". The brackets are taken as whatever single characters
// stand there; the value is whatever the stream reads as one float.
bool
readFloatEntry(UT_IStream &is, float &value)
{
    char c;
    return is.readChar(c) && is.read(&value, 1) == 1 && is.readChar(c);
}

bool
readBoolEntry(UT_IStream &is, bool &value)
{
    char c;
    return is.readChar(c) && is.readBool(value) && is.readChar(c);
}

// Reads the entries after the display option block into the defaults'
// cameras, handing the application's keywords to its callback. On failure
// *failed names the entry.
bool
loadDefaultEntries(UT_IStream &is, GUI_ViewState &defaults, GUI_ExternalDefaultCB *cb,
                   std::string &failed)
{
    const GUI_ViewState::GUI_ViewType views[] = {
        GUI_ViewState::GUI_VIEW_MAIN, GUI_ViewState::GUI_VIEW_SECOND,
        GUI_ViewState::GUI_VIEW_THIRD};

    UT_WorkBuffer word;
    while (is.getWord(word))
    {
        failed = std::string("the \"") + word.buffer() + "\" entry";
        if (word == "near" || word == "far")
        {
            const bool is_near = word == "near";
            float value = 0.0f;
            if (!readFloatEntry(is, value))
                return false;
            for (GUI_ViewState::GUI_ViewType type : views)
            {
                GUI_ViewParameter &view = defaults.getViewParameter(type);
                if (is_near)
                    view.setLimits(value, view.getFar());
                else
                    view.setLimits(view.getNear(), value);
            }
        }
        else if (word == "adjustlimits")
        {
            bool on = false;
            if (!readBoolEntry(is, on))
                return false;
            for (GUI_ViewState::GUI_ViewType type : views)
                defaults.getViewParameter(type).setAdjustLimits(on);
        }
        else if (cb && cb->matchesKeyword(word.buffer()))
        {
            if (!cb->loadKeyword(word.buffer(), is))
                return false;
        }
        // Anything else is passed over one word at a time.
    }
    failed.clear();
    // A token too long to be ours ends the reading like the end of input.
    if (is.isError() && is.isEof() == false)
    {
        failed = "a token longer than any entry";
        return false;
    }
    return true;
}
} // namespace

bool
GUI_ViewState::loadDefaultSettings(UT_IStream &is, GUI_ExternalDefaultCB *cb, std::string *failed)
{
    std::string why;
    if (!getDisplayOptionRef().load(is))
        why = "the display option block";
    else if (loadDefaultEntries(is, *this, cb, why))
        return true;
    if (failed)
        *failed = why;
    return false;
}

bool
GUI_ViewState::saveDefaultSettings(std::ostream &os, GUI_ExternalDefaultCB *cb) const
{
    UT_ClassicLocaleScope classic(os);
    myDisplayOptions.save(os);
    const GUI_ViewParameter &main_view = myViews[GUI_VIEW_MAIN];
    if (!errorsStopSaving())
    {
        const float near_dist = main_view.getNear();
        const float far_dist = main_view.getFar();
        GRwriteFloats(os, 0, "near", &near_dist, 1);
        GRwriteFloats(os, 0, "far", &far_dist, 1);
    }
    if (!errorsStopSaving())
        os << "adjustlimits ( " << (main_view.getAdjustLimits() ? 1 : 0) << " )\n";
    if (!errorsStopSaving() && cb)
        cb->saveDefaults(os);
    return !errorsStopSaving();
}

UT_String &
GUI_ViewState::prefFileName()
{
    // Made on first use so it is set whenever the first view state is built,
    // even from another file's static initialisation.
    static UT_String theName("display.pref");
    return theName;
}

namespace
{
// The defaults file that was found but could not be loaded, until a save
// would replace it: the save first keeps it beside itself, so the
// person's settings are never silently lost.
std::string &
unreadableDefaultsFile()
{
    static std::string thePath;
    return thePath;
}

// Copies the unreadable defaults file at path to path + ".bad" (replacing
// an older copy) and says so; false when it could not be kept.
bool
keepUnreadableDefaults(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return true; // gone already: nothing to keep
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string kept = path + ".bad";
    std::string why;
    if (!UTsaveFileSafely(kept, bytes.str(), &why))
    {
        std::fprintf(stderr, "Unable to keep the unreadable default Viewport settings:\n\t%s\n",
                     why.c_str());
        return false;
    }
    std::fprintf(stderr, "Kept the unreadable default Viewport settings as:\n\t%s\n",
                 kept.c_str());
    return true;
}
} // namespace

void
GUI_ViewState::ensureDefaultsLoaded()
{
    if (ourDefaultsLoaded)
        return;

    UT_PathFile search;
    search.setSearchPath(UT_PathFile::VANTREL_SEARCH_PATH, prefFileName());
    search.applyStandardFilter();

    // Set first: the default view state's own constructor comes back here
    // and must find the work done.
    ourDefaultsLoaded = true;
    defaultValues = new GUI_ViewState;
    defaultEnabledUserOptions = new UT_StringArray[GUI_NUM_DETAIL_TYPES];

    if (search.getFileInfoCount(1) <= 0)
        return;

    const std::string path = search.getFileInfo(0, 1)->getFullPath();
    // Why the file cannot be used, for the message: it could not be
    // opened, or which entry failed.
    std::string failed;
    UT_IFStream is;
    if (!is.open(path.c_str(), UT_ISTREAM_ASCII))
        failed = "the file " + is.getOpenError();
    else if (!defaultValues->loadDefaultSettings(is, externalDefaultValues, &failed))
        failed = "at " + failed;
    is.close();

    if (!failed.empty())
    {
        std::fprintf(stderr, "Unable to load default Viewport settings:\n");
        std::fprintf(stderr, "\t%s\n", path.c_str());
        std::fprintf(stderr, "\t%s\n", failed.c_str());
        unreadableDefaultsFile() = path;
        delete defaultValues;
        defaultValues = nullptr;
        return;
    }

    // The defaults remember which user options the file enabled by name, so
    // that options the application registers later are still switched on in
    // new view states; the records themselves keep none.
    for (int k = GUI_NUM_DETAIL_TYPES - 1; k >= 0; k--)
    {
        GR_DisplayOption &record = defaultValues->getDisplayOptionRef()[GUI_DetailType(k)];
        const int count = record.getNumUserOptions();
        for (int i = 0; i < count; i++)
            if (const GR_UserOption *option = record.getUserOption(i))
                defaultEnabledUserOptions[k].append(option->getName());
        record.disableAllUserOptions();
    }
}

void
GUI_ViewState::resetToDefaults()
{
    if (!defaultValues)
        return;

    myDisplayOptions = defaultValues->myDisplayOptions;
    if (defaultEnabledUserOptions)
        for (int k = GUI_NUM_DETAIL_TYPES - 1; k >= 0; k--)
            for (const UT_String &name : defaultEnabledUserOptions[k])
                myDisplayOptions[GUI_DetailType(k)].enableUserOption(name.c_str(), true);

    const GUI_ViewParameter &source = defaultValues->myViews[GUI_VIEW_MAIN];
    for (GUI_ViewParameter &view : myViews)
    {
        view.setLimits(source.getNear(), source.getFar());
        view.setAdjustLimits(source.getAdjustLimits());
    }
}

void
GUI_ViewState::getDefaultNearFarLimits(float &near_dist, float &far_dist)
{
    ensureDefaultsLoaded();
    if (!defaultValues)
    {
        near_dist = 0.001f;
        far_dist = 1000.0f;
        return;
    }
    near_dist = defaultValues->myViews[GUI_VIEW_MAIN].getNear();
    far_dist = defaultValues->myViews[GUI_VIEW_MAIN].getFar();
}

void
GUI_ViewState::overridePrefFile(const char *name)
{
    prefFileName() = name ? name : "";
}

void
GUI_ViewState::saveAsDefault()
{
    if (!defaultValues)
        defaultValues = new GUI_ViewState;
    defaultValues->myDisplayOptions = myDisplayOptions;

    const UT_String &file_name = prefFileName();
    UT_PathFile search;
    search.setSearchPath(UT_PathFile::VANTREL_SEARCH_PATH, file_name);
    search.applyStandardFilter();

    UT_PathFileInfo *info = search.createFileInfo();
    if (const UT_PathFileInfo *found = search.getFileInfo(0, 1))
        info->setDirIndex(found->getDirIndex());
    else
        info->setDirIndex(search.getSaveDirIndex());
    info->setFileName(file_name);

    if (!info->prepareForSave(0, 1, 1))
    {
        UTaddError("GR", 1, ("\"" + std::string(file_name.c_str()) + "\"").c_str());
        delete info;
        return;
    }
    const std::string path = info->getFullPath();
    delete info;
    UTcreateDirectoryForFile(path.c_str());

    if (errorsStopSaving())
        return;

    // The whole file is made in memory first, then replaces the old one in
    // a single step, so a failure part way never leaves a broken file.
    std::ostringstream os;
    saveDefaultSettings(os, externalDefaultValues);

    if (!UTcheckOutStream(os, "Saving Display Options failed.", nullptr) || errorsStopSaving())
        return;
    // An unreadable file about to be replaced is kept first; if it cannot
    // be kept, it is not replaced.
    if (!unreadableDefaultsFile().empty() && unreadableDefaultsFile() == path)
    {
        if (!keepUnreadableDefaults(path))
        {
            UTaddError("GR", 1, ("\"" + std::string(file_name.c_str()) + "\"").c_str());
            return;
        }
        unreadableDefaultsFile().clear();
    }
    std::string why;
    if (UTsaveFileSafely(path, os.str(), &why))
    {
        UTaddMessage("GR", 2, path.c_str());
        return;
    }
    // why names the full path and the reason.
    UTaddError("GR", 1, ("\"" + std::string(file_name.c_str()) + "\" (" + why + ")").c_str());
}
