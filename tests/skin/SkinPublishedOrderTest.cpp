// The published order of every class the skin library registers beyond the
// framework's (whose orders the framework's suite holds).

#include "framework/components/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "skin/SUIMgr.h"

#include "support/PublishedOrder.h"

#include <gtest/gtest.h>

namespace {

using publishedorder::Then;
using publishedorder::TNames;

const TNames kComponent = {"Name", "Tag"};

TEST(PublishedOrder, EveryClassTheSkinLibraryRegisters) {
    RegisterFrameworkClasses();
    const std::vector<const TClassInfo*> framework = RegisteredClasses();
    RegisterSkinComponents();
    publishedorder::ExpectRegisteredOrders(
        {
            {"TsuiFileTheme", Then(kComponent, {"ThemeFile"})},
            // UIStyle before CompList: a layout's style is applied while
            // the list is still empty, so the listed components keep the
            // looks stored with them.
            {"TsuiThemeManager",
             Then(kComponent, {"UIStyle", "FileTheme", "CompList", "OnUIStyleChanged"})},
        },
        framework);
}

} // namespace
