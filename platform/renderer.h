#pragma once
// Renders metafiles onto cairo. Raster output draws rectangles without
// anti-aliasing, with both edges rounded to whole pixels, so a bar whose
// width is a whole number of pixels keeps that width wherever it stands.
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace platform {

// An allocator whose resize leaves new elements as they are: an image of a
// million pixels is set whole by its renderer, and zeroing it first would
// cost a pass over all of them.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

struct RenderedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t, UninitialisedAllocator<uint32_t>> argb;  // row-major 0xAARRGGBB, opaque

    uint32_t at(int x, int y) const { return argb[size_t(y) * size_t(width) + size_t(x)]; }
    // 8-bit luminance, row-major (0 = black, 255 = white).
    std::vector<uint8_t> grey() const;
};

// Largest image renderToImage makes, in pixels.
constexpr int64_t kMaxRenderPixels = int64_t(1) << 26;

// Plays WMF bytes (plain or with the placeable header) onto a white image
// of round(extent * dpi / unitsPerInch) pixels each way. The extent is the
// placeable header's bounding box, or else the metafile's window extent in
// 0.01 mm. Nothing for malformed bytes, an empty picture or an image above
// kMaxRenderPixels.
std::optional<RenderedImage> renderToImage(const std::vector<uint8_t>& bytes, double dpiX, double dpiY);

// The picture's size in the units of its placeable header (or 0.01 mm),
// and those units per inch.
struct PictureExtent {
    int width = 0;
    int height = 0;
    int unitsPerInch = 2540;
};
std::optional<PictureExtent> pictureExtent(const std::vector<uint8_t>& bytes);

}  // namespace platform
