// An application linked against the shared library reaches the library's
// one copy of the process-wide state (the main render context, the current
// context, the error list, the published display options), whether through
// exported calls or through code inlined from the public headers.

#include "tests/support/VantrelSkip.h"
#include "detail/GUI_DetailLook.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_ErrorManager.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

namespace
{
// The file holding the code at an address: the library or this program.
std::string
objectFileOf(void *address)
{
    Dl_info info;
    if (!dladdr(address, &info) || !info.dli_fname)
        return "";
    return info.dli_fname;
}

bool
inSharedLibrary(void *address)
{
    return objectFileOf(address).find("libvantrel_gui.so") != std::string::npos;
}
} // namespace

TEST(SharedState, OwnersOfProcessWideStateLiveInTheSharedLibrary)
{
    EXPECT_TRUE(inSharedLibrary(reinterpret_cast<void *>(&RE_Render::getMainRender)))
        << objectFileOf(reinterpret_cast<void *>(&RE_Render::getMainRender));
    EXPECT_TRUE(inSharedLibrary(reinterpret_cast<void *>(&UTaddError)));
    EXPECT_TRUE(inSharedLibrary(reinterpret_cast<void *>(&GUI_DetailLook::globalDispOption)));
    // And not in this program: it carries no copy of its own.
    EXPECT_FALSE(inSharedLibrary(reinterpret_cast<void *>(&objectFileOf)));
}

TEST(SharedState, ApplicationSeesTheLibrarysMainRenderAndCurrentContext)
{
    RE_OffscreenContext context(8, 8);
    if (!context.isValid())
        VANTREL_CANNOT_RUN() << context.getError();
    ASSERT_TRUE(context.makeCurrent());
    // Registered by the library when the context was made.
    EXPECT_EQ(RE_Render::getMainRender(), context.getRender());
    EXPECT_TRUE(RE_Render::isMainRenderInitialized());
    // isCurrent() is inlined here and reads the static the library set.
    EXPECT_TRUE(context.isCurrent());
    EXPECT_EQ(RE_NativeContext::getCurrent(), &context);
}
