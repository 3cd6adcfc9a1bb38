// The functions libquillet_platform.so exports for the delay-loaded
// libraries: called by address, as the program calls them, each passes
// its arguments through on the call that binds it and on later calls.
#include <cairo.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The platform library's own definition of a name (its trampoline when
// delay loading is built in), not whatever the test program binds to.
void* platformFunction(const char* name) {
    void* platform = dlopen("libquillet_platform.so", RTLD_NOW | RTLD_NOLOAD);
    return platform ? dlsym(platform, name) : nullptr;
}

TEST(DelayLoad, EveryArgumentReachesTheLibraryOnEachCall) {
    using InitScale = void (*)(cairo_matrix_t*, double, double);
    using SourceRgb = void (*)(cairo_t*, double, double, double);
    using Rectangle = void (*)(cairo_t*, double, double, double, double);
    const auto initScale = reinterpret_cast<InitScale>(platformFunction("cairo_matrix_init_scale"));
    const auto sourceRgb = reinterpret_cast<SourceRgb>(platformFunction("cairo_set_source_rgb"));
    const auto rectangle = reinterpret_cast<Rectangle>(platformFunction("cairo_rectangle"));
    ASSERT_TRUE(initScale && sourceRgb && rectangle);

    // Floating-point arguments travel in vector registers, which binding
    // must keep.
    const std::vector<std::pair<double, double>> scales = {{2.5, -3.25}, {1e-9, 7e12}, {0, -0.0}};
    for (const auto& [sx, sy] : scales) {
        cairo_matrix_t m{};
        initScale(&m, sx, sy);
        EXPECT_EQ(m.xx, sx);
        EXPECT_EQ(m.yy, sy);
        EXPECT_EQ(m.xy, 0.0);
        EXPECT_EQ(m.x0, 0.0);
    }

    // Mixed integer and floating-point arguments, drawn and read back.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 4);
    ASSERT_TRUE(surface);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    sourceRgb(cr, 1.0, 0.0, 0.0);
    cairo_paint(cr);
    sourceRgb(cr, 0.0, 0.0, 1.0);
    rectangle(cr, 2.0, 1.0, 3.0, 2.0);
    cairo_fill(cr);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, data + y * stride + x * 4, 4);
            const bool blue = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(pixel & 0xFFFFFF, blue ? 0x0000FFu : 0xFF0000u) << x << "," << y;
        }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

}  // namespace
