// The size that really prints and the check before printing at the window:
// the status bar shows the --report line after each build, the Verify entry
// shows the simulated grade in a message box.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "app/render/build_report.h"
#include "app/window/test_support/window_fixture.h"

namespace quillet {
namespace {

using test::WindowFixture;

TEST(PrintCheckWindow, StatusBarShowsTheEffectiveDimensionsOfEachBuild) {
    struct Case {
        std::string setup;
        QString typed;
        std::vector<QString> parts;  // worked out by hand
    } cases[] = {
        // 3 dots at 203 dpi are 14.78 mil; 15 mil typed prints as 3 dots.
        {"[CODE128][HORIZONTALDPI=203][VERTICALDPI=203][BARWIDTH=15]", "MILS",
         {"Code 128 at 203 x 203 dpi", "= 14.78 mil"}},
        {"[CODE128][HORIZONTALDPI=203][VERTICALDPI=203][DOTS][BARWIDTH=3]", "DOTS", {"(asked 3", "whole dots"}},
        {"[QR][HORIZONTALDPI=600][VERTICALDPI=600][DOTS][DMMODULESIZE=6]", "QR", {"600 x 600 dpi: module 6 dots", "whole dots"}},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
        f.window->refresh();
        auto* status = f.find<QLabel>("EffectiveDimensions");
        ASSERT_NE(status, nullptr);
        EXPECT_TRUE(status->text().isEmpty()) << "nothing built yet";
        f.typeInto("Message", c.typed);
        f.pressBuildCopy();
        const QString shown = status->text();
        EXPECT_EQ(shown.toStdString(), buildReport(f.app(), ReportFormat::Text)) << c.setup;
        for (const QString& part : c.parts)
            EXPECT_TRUE(shown.contains(part)) << shown.toStdString() << " / " << part.toStdString();
    }
}

TEST(PrintCheckWindow, VerifyEntryShowsTheSimulatedGrade) {
    struct Case {
        std::string setup;
        QString grade;  // the start of the message box text
        bool belowMinimum;
    } cases[] = {
        {"[CODE128][QUIETZONES=ON][HORIZONTALDPI=600][VERTICALDPI=600][BARWIDTH=13][MESSAGE='GRADE A'][BUILD/COPY]",
         "Simulated grade A", false},
        // No quiet zone grades F; red bars vanish under a red scanner light.
        {"[CODE128][HORIZONTALDPI=600][VERTICALDPI=600][MESSAGE='NO QUIET'][BUILD/COPY]", "Simulated grade F", true},
        {"[CODE128][QUIETZONES=ON][HORIZONTALDPI=600][VERTICALDPI=600][FORECOLORRGB=255 0 0][MESSAGE='RED'][BUILD/COPY]",
         "Simulated grade F", true},
    };
    for (const Case& c : cases) {
        WindowFixture f;
        QAction* verify = f.find<QAction>("MVerify");
        ASSERT_NE(verify, nullptr);
        EXPECT_FALSE(verify->isEnabled()) << "nothing built yet";
        ASSERT_TRUE(f.session.run(c.setup)) << c.setup;
        f.window->refresh();
        ASSERT_TRUE(verify->isEnabled()) << c.setup;
        verify->trigger();
        ASSERT_EQ(f.boxes.size(), 1u) << c.setup;
        EXPECT_EQ(f.boxes[0].title, "Simulated Grade");
        EXPECT_TRUE(f.boxes[0].text.startsWith(c.grade)) << f.boxes[0].text.toStdString();
        EXPECT_EQ(f.boxes[0].text.contains("Below the least acceptable grade C."), c.belowMinimum) << c.setup;
    }
}

}  // namespace
}  // namespace quillet
