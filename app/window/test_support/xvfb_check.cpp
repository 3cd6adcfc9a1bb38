#include "app/window/test_support/xvfb_check.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <cstdlib>

#include "app/window/test_support/window_fixture.h"

namespace quillet::test {

int runXvfbScreenshotCheck(int argc, char** argv) {
    if (argc < 4) return 2;
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication application(argc, argv);
    WindowFixture f;
    f.window->move(0, 0);
    if (!QTest::qWaitForWindowExposed(f.window.get(), 10000)) {
        std::puts("the window was never shown");
        return 1;
    }
    f.choose(QString::fromUtf8(argv[2]));
    f.typeInto("Message", QString::fromUtf8(argv[3]));
    if (argc > 4) f.replaceText("NBWidth", QString::fromUtf8(argv[4]));
    f.pressBuildCopy();
    // Let the X server draw the new preview before the screen is read.
    QTest::qWait(500);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    if (const char* keep = std::getenv("QUILLET_XVFB_SCREENSHOT")) screen.save(QString::fromLocal8Bit(keep));
    const Decoded d = decode(greyImage(screen));
    std::printf("screen %dx%d\n", screen.width(), screen.height());
    if (!d.ok) {
        std::puts("nothing decoded");
        return 1;
    }
    std::printf("decoded: %s\n", d.text.c_str());
    return 0;
}

}  // namespace quillet::test
