// The window tests' main: one QApplication on the offscreen platform for
// all of them, so they run without a display; or, with the Xvfb flag, the
// screenshot check under a real X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>

#include <cstdlib>
#include <cstring>

#include "app/window/test_support/xvfb_check.h"

namespace {

// The offscreen platform says, for every window shown, that it cannot pass
// size hints on; nothing a test checks depends on them.
QtMessageHandler standardHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
    if (standardHandler) standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], quillet::test::kXvfbCheckFlag) == 0)
        return quillet::test::runXvfbScreenshotCheck(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    standardHandler = qInstallMessageHandler(quietHandler);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
