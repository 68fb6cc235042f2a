// The configuration dialog's fields turned into the settings, whatever toolkit filled them: rows
// outside the lists included, which no dialog produces but the conversion still defines.

#include "velorin/dialogs/ConfigDialogFields.h"
#include "velorin/Settings.h"

#include "tests/velorin/dialogs/SettingsLine.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigDialogFields, RowsBecomeSettingsAndRowsOutsideTheListsFallBack) {
    struct Case {
        Velorin::ConfigDialogFields fields;
        bool start;
        const char* settings;
    } cases[] = {
        {{1, 13, 4, 1, true, false, false},
         true,
         "driver 1, 1920x1200, 8 samples, aspect 1.77777779, fullscreen 1, music 0"},
        {{0, 5, 3, 2, false, true, false},
         true,
         "driver 0, 1280x800, 6 samples, aspect 1.33333337, fullscreen 0, music 1"},
        {{0, 0, 0, 0, false, false, true},
         false,
         "driver 0, 640x480, 0 samples, aspect 1.60000002, fullscreen 0, music 0"},
        // Unknown rows: 640 x 480, no anti-aliasing, the aspect left as it was.
        {{1, 14, 5, 3, true, true, false}, true, "driver 1, 640x480, 0 samples, aspect -7, fullscreen 1, music 1"},
        {{1, -1, -1, -1, true, true, true}, false, "driver 1, 640x480, 0 samples, aspect -7, fullscreen 1, music 1"},
    };
    for (const Case& c : cases) {
        Velorin::Aspect = -7.0f;
        EXPECT_EQ(c.start, Velorin::ApplyConfigDialogFields(c.fields)) << c.settings;
        EXPECT_EQ(c.settings, VelorinTest::SettingsLine());
    }
}

} // namespace
