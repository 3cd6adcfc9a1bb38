// The segments-per-row entries of DataBar Expanded Stacked: shown only for
// that symbology, each storing its even count and checked while it holds.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/model/app_state.h"
#include "app/model/symbol_fields.h"
#include "app/window/option_menu_table.h"

namespace quillet {
namespace {

TEST(OptionMenuTable, ExpandedStackedSegmentsPerRow) {
    std::set<int> stored;
    for (const OptionEntry& e : optionMenuEntries()) {
        if (e.place.submenu != "Expanded Stacked Se&gments per Row") continue;
        ASSERT_NE(e.shown, nullptr);
        for (int code = 1; code <= 27; ++code) EXPECT_EQ(e.shown(optionMenusFor(code)), code == 27) << e.caption;
        AppState app;
        app.settings.dataBarSegments = 0;
        e.run(app);
        const int n = app.settings.dataBarSegments;
        EXPECT_EQ(std::string(e.caption), std::to_string(n) + " Segments");
        EXPECT_TRUE(e.checked(app.settings)) << e.caption;
        EXPECT_TRUE(app.settings.changed) << e.caption;
        app.settings.dataBarSegments = n + 2;
        EXPECT_FALSE(e.checked(app.settings)) << e.caption;
        stored.insert(n);
    }
    EXPECT_EQ(stored, (std::set<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}));
}

}  // namespace
}  // namespace quillet
