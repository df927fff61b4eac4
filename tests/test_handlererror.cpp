// How an error that stopped a handler is shown, and the modified project
// secured in the auto-save file before that.
#include <gtest/gtest.h>

#include <new>

#include "app/doccommands.h"
#include "app/handlererror.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "files/document.h"
#include "files/txlwrite.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/txl_state.h"

using namespace kv;

namespace {

TEST(HandlerError, EveryKindOfErrorHasItsText) {
    struct Case {
        std::exception_ptr error;
        std::string text;
        int style;
    } cases[] = {
        {std::make_exception_ptr(FileNotFound("/d/KIVAR.LIB")), "/d/KIVAR.LIB not found!", vbCritical},
        {std::make_exception_ptr(Error(FileMessage("/d/a.txl", "No space left on device"), vbExclamation)),
         "/d/a.txl:\rNo space left on device", vbExclamation},
        {std::make_exception_ptr(VbError(6)), "Error # 6", vbExclamation},
        {std::make_exception_ptr(std::bad_alloc()), "Error # 7: \rOut of memory", vbCritical},
        {std::make_exception_ptr(std::runtime_error("something")), "something", vbExclamation},
    };
    for (const Case& c : cases) {
        try {
            std::rethrow_exception(c.error);
        } catch (const std::exception& e) {
            const ErrorReport r = DescribeError(e);
            EXPECT_EQ(r.text, c.text);
            EXPECT_EQ(r.style, c.style) << c.text;
        }
    }
}

TEST(HandlerError, AModifiedProjectIsWrittenToTheAutoSaveFileQuietly) {
    txltest::ResetProject();
    FakeUi ui;
    testutil::TempDir dir;
    gAutoSaveFile = dir.file("kivar.txl");
    gDocumentPath = dir.file("work.txl");
    gDestList[3].Text = "\xff" "FRONT# X";
    gDestList[3].SignData = "\xff\x02" "x";
    AddListLine(3, true);

    EXPECT_TRUE(SecureModifiedProject());  // nothing changed: nothing written
    EXPECT_FALSE(FileExists(gAutoSaveFile));

    // Without a settings file only the project is written, and nobody is told.
    gDocumentModified = kTrue;
    gSettingsFile = dir.file("kivar.lib");
    EXPECT_TRUE(SecureModifiedProject());
    EXPECT_EQ(testutil::ReadFile(gAutoSaveFile), BuildTxlFile(gTxlVersion));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(FileExists(gSettingsFile));

    // With one, the name the next start recovers the project under.
    testutil::WriteFile(gSettingsFile, "[AutoSave]\r\nFileName=\"\"\r\n");
    EXPECT_TRUE(SecureModifiedProject());
    EXPECT_EQ(testutil::ReadFile(gSettingsFile), "[AutoSave]\r\nFileName=\"" + dir.file("work.txl") + "\"\r\n");

    // A place that cannot be written: false, still quietly.
    gAutoSaveFile = dir.file("missing/kivar.txl");
    EXPECT_FALSE(SecureModifiedProject());
    EXPECT_TRUE(ui.messages.empty());
    ResetAllState();
}

}  // namespace
