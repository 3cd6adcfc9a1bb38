// The image converter: renders a placeable metafile and writes the image
// format chosen by the target's extension: a raster image at the asked
// resolution and depth, or a vector one (EPS, PDF, SVG) at the picture's
// physical size.
#include "app/render/imgconv.h"

#include <cctype>
#include <iterator>

#include "app/render/imgconv_image.h"
#include "app/render/raster_properties.h"
#include "platform/file_input.h"
#include "platform/file_output.h"
#include "platform/renderer.h"

namespace quillet {

namespace {

using imgconv::Image;
using imgconv::Options;

std::string upperExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

bool readFile(const char* path, std::vector<uint8_t>& out) { return platform::readWholeFile(path, out); }

using RasterWriter = bool (*)(int, const Image&, const Options&);

RasterWriter rasterWriter(const std::string& ext) {
    if (ext == "PNG") return imgconv::writePng;
    if (ext == "JPG") return imgconv::writeJpeg;
    if (ext == "TIF") return imgconv::writeTiff;
    if (ext == "GIF") return imgconv::writeGif;
    if (ext == "BMP") return imgconv::writeBmp;
    if (ext == "TGA") return imgconv::writeTga;
    if (ext == "PCX") return imgconv::writePcx;
    return nullptr;
}

using VectorWriter = bool (*)(int, const std::vector<uint8_t>&);

VectorWriter vectorWriter(const std::string& ext) {
    if (ext == "EPS") return imgconv::writeEps;
    if (ext == "PDF") return imgconv::writePdf;
    if (ext == "SVG") return imgconv::writeSvg;
    return nullptr;
}

}  // namespace

bool convertsTo(const std::string& target) {
    const std::string ext = upperExtension(target);
    return rasterWriter(ext) || vectorWriter(ext);
}

int SAVEBARCODE(char* metafilePath, char* targetPath, int bitsPerPixel, int resolution, int jpegQuality,
                int pngFilter, int pngInterlace, int bmpCompression, int tgaCompression, int tiffCompression,
                int gifCompression) {
    if (!metafilePath || !targetPath || !*targetPath) return 1;
    const std::string target = targetPath;
    if (!convertsTo(target)) return 2;
    std::vector<uint8_t> placeable;
    if (!readFile(metafilePath, placeable)) return 3;
    return saveBarCodeBytes(placeable, target, bitsPerPixel, resolution, jpegQuality, pngFilter, pngInterlace,
                            bmpCompression, tgaCompression, tiffCompression, gifCompression)
        .code;
}

Conversion saveBarCodeBytes(const std::vector<uint8_t>& placeable, const std::string& target, int bitsPerPixel,
                     int resolution, int jpegQuality, int pngFilter, int pngInterlace, int bmpCompression,
                     int tgaCompression, int tiffCompression, int gifCompression) {
    if (target.empty()) return {1, "no file name"};
    const std::string ext = upperExtension(target);
    const RasterWriter raster = rasterWriter(ext);
    const VectorWriter vector = vectorWriter(ext);
    if (!raster && !vector) return {2, "no image format has the extension \"" + ext + "\""};

    // Options outside their ranges are brought in the way the properties
    // dialog brings them in, so any caller gets a sound file.
    Options o;
    o.bitsPerPixel = normalisedBitsPerPixel(bitsPerPixel);
    o.resolution = correctedResolution(resolution);
    o.jpegQuality = correctedJpegQuality(jpegQuality);
    o.pngFilter = (pngFilter >= 0 && pngFilter <= 10 && pngFilter % 2 == 0) ? pngFilter : 0;
    o.pngInterlace = pngInterlace != 0;
    o.bmpRle = bmpCompression != 0;
    o.tgaRle = tgaCompression != 0;
    o.tiffCompression = (tiffCompression >= 0 && tiffCompression <= 4) ? tiffCompression : 0;
    o.gifLzw = gifCompression != 0;

    platform::WriteResult written;
    if (raster) {
        auto rendered = platform::renderToImage(placeable, o.resolution, o.resolution);
        if (!rendered) return {4, "the picture cannot be drawn at " + std::to_string(o.resolution) + " pixels per inch"};
        // GIF holds at most 256 colours.
        const int depth = (ext == "GIF" && o.bitsPerPixel == 24) ? 8 : o.bitsPerPixel;
        const Image image = imgconv::prepareImage(*rendered, depth, o.resolution);
        written = platform::replaceFile(target, [&](int fd) { return raster(fd, image, o); });
    } else {
        written = platform::replaceFile(target, [&](int fd) { return vector(fd, placeable); });
    }
    if (!written) return {5, written.reason};
    return {};
}

}  // namespace quillet
