#pragma once
// The window under a real X server: the Xvfb test starts the test program
// again under xvfb-run with this flag, and that run types a message, builds
// it and reads the symbol back from a screenshot of the whole screen.
namespace quillet::test {

constexpr const char* kXvfbCheckFlag = "--xvfb-screenshot-check";

// argv: program, flag, symbology menu caption, message and, when given, the
// narrow width to type. QUILLET_XVFB_SCREENSHOT names a file to keep the
// screenshot in. Prints
// "decoded: TEXT" for what the screenshot reads as; returns 0 when it was
// read at all.
int runXvfbScreenshotCheck(int argc, char** argv);

}  // namespace quillet::test
