#include "app/window/dialog_filter.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(DialogFilter, PairsBecomeQtNameFilters) {
    struct Case {
        std::string filter;
        std::vector<std::string> expected;
    } cases[] = {
        {"Quillet Config (*.qcf)|*.qcf|All Files (*.*)|*.*", {"Quillet Config (*.qcf)", "All Files (*)"}},
        {"All Files (*.*)|*.*", {"All Files (*)"}},
        // A description without its own pattern list gets one.
        {"Bar Pattern|*.dbp", {"Bar Pattern (*.dbp)"}},
        // Several patterns of one entry, separated by semicolons.
        {"Images (*.png;*.bmp)|*.png;*.bmp", {"Images (*.png *.bmp)"}},
        // The patterns decide, whatever the description claims.
        {"Old (*.txt)|*.log", {"Old (*.log)"}},
        {"JPG - Joint Photographic Expert Format (*.jpg)|*.jpg", {"JPG - Joint Photographic Expert Format (*.jpg)"}},
        {"", {}},
        {"Lonely", {"Lonely"}},
    };
    for (const Case& c : cases) EXPECT_EQ(qtNameFilters(c.filter), c.expected) << c.filter;
}

}  // namespace
}  // namespace quillet
