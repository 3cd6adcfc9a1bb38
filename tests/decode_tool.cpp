// quillet_decode FILE...: prints what zxing-cpp reads in each placeable
// metafile (.wmf) or PNG image, one line per file ("FILE<TAB>TEXT"), and
// exits 1 when any file cannot be read. Used by the peer benchmark to check
// a sample of its outputs; not part of the program.
#include <png.h>

#include <cstdio>
#include <string>

#include "tests/support/render_wmf.h"
#include "tests/support/zxing_decode.h"

namespace {

quillet::test::GreyImage readPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    quillet::test::GreyImage grey;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return grey;
    image.format = PNG_FORMAT_GRAY;
    grey = quillet::test::GreyImage(int(image.width), int(image.height));
    if (!png_image_finish_read(&image, nullptr, grey.pixels.data(), 0, nullptr)) grey = {};
    png_image_free(&image);
    return grey;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        quillet::test::GreyImage img =
            endsWith(path, ".png") ? readPng(path) : quillet::test::renderWmfFile(path, 600);
        quillet::test::Decoded d;
        if (img.width > 0) d = quillet::test::decode(img.padded(40));
        if (!d.ok) {
            std::printf("%s\tUNREADABLE\n", path.c_str());
            status = 1;
        } else {
            std::printf("%s\t%s\n", path.c_str(), d.bytes.c_str());
        }
    }
    return status;
}
