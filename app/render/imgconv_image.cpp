#include "app/render/imgconv_image.h"

#include <algorithm>
#include <array>
#include <cstring>
#ifdef __SSE2__
#include <immintrin.h>
#endif
#include <unordered_map>

namespace quillet::imgconv {

uint8_t luminance(const Rgb& c) { return uint8_t((c[0] * 299 + c[1] * 587 + c[2] * 114 + 500) / 1000); }

Rgb Image::rgb(int x, int y) const {
    const size_t i = size_t(y) * size_t(width) + size_t(x);
    if (depth == 24) return {data[3 * i], data[3 * i + 1], data[3 * i + 2]};
    return palette[data[i]];
}

uint8_t Image::grey(int x, int y) const { return luminance(rgb(x, y)); }

namespace {

Rgb toRgb(uint32_t argb) { return {uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb)}; }

// Nearest entry of the 6x7x6 cube (252 colours) for pictures with more
// colours than a palette holds (anti-aliased coloured text).
uint8_t cubeIndex(const Rgb& c) {
    auto level = [](int v, int steps) { return (v * (steps - 1) + 127) / 255; };
    return uint8_t(level(c[0], 6) * 42 + level(c[1], 7) * 6 + level(c[2], 6));
}

std::vector<Rgb> cubePalette() {
    std::vector<Rgb> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b) p.push_back({uint8_t(r * 255 / 5), uint8_t(g * 255 / 6), uint8_t(b * 255 / 5)});
    return p;
}

}  // namespace

// luminance(c) < 128 without the division: 299 R + 587 G + 114 B + 500
// >= 128,000 means light. With SSE2 four pixels at a time: their channels
// widened to 16 bits, PMADDWD gives 114 B + 587 G and 299 R per pixel, and
// one shuffle adds the two.
void darkPixelsToZero(const uint32_t* __restrict argb, uint8_t* __restrict out, size_t n) {
    size_t i = 0;
#ifdef __SSE2__
    const __m128i weights = _mm_setr_epi16(114, 587, 299, 0, 114, 587, 299, 0);
    const __m128i light = _mm_set1_epi32(128 * 1000 - 500 - 1);
    const __m128i zero = _mm_setzero_si128();
    // The four pixels' bytes for each mask of light pixels (little-endian).
    static constexpr auto kLightBytes = [] {
        std::array<uint32_t, 16> t{};
        for (uint32_t m = 0; m < 16; ++m)
            for (uint32_t k = 0; k < 4; ++k) t[m] |= (m >> k & 1) << (8 * k);
        return t;
    }();
    for (; i + 4 <= n; i += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(argb + i));
        const __m128i lo = _mm_madd_epi16(_mm_unpacklo_epi8(px, zero), weights);  // pixels 0, 1
        const __m128i hi = _mm_madd_epi16(_mm_unpackhi_epi8(px, zero), weights);  // pixels 2, 3
        // Lanes [bg0, r0, bg1, r1] and [bg2, r2, bg3, r3]: sum each pair.
        const __m128i even = _mm_castps_si128(
            _mm_shuffle_ps(_mm_castsi128_ps(lo), _mm_castsi128_ps(hi), _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i odd = _mm_castps_si128(
            _mm_shuffle_ps(_mm_castsi128_ps(lo), _mm_castsi128_ps(hi), _MM_SHUFFLE(3, 1, 3, 1)));
        const __m128i isLight = _mm_cmpgt_epi32(_mm_add_epi32(even, odd), light);
        const uint32_t bytes = kLightBytes[_mm_movemask_ps(_mm_castsi128_ps(isLight))];
        std::memcpy(out + i, &bytes, 4);
    }
#endif
    for (; i < n; ++i) {
        const uint32_t c = argb[i];
        out[i] = ((c >> 16 & 0xFF) * 299 + (c >> 8 & 0xFF) * 587 + (c & 0xFF) * 114 + 500) >= 128 * 1000;
    }
}

Image prepareImage(const platform::RenderedImage& rendered, int depth, int dpi) {
    Image img;
    img.width = rendered.width;
    img.height = rendered.height;
    img.depth = depth;
    img.dpi = dpi;
    const size_t n = size_t(img.width) * size_t(img.height);
    const uint32_t* argb = rendered.argb.data();
    if (depth == 24) {
        img.data.resize(3 * n);
        uint8_t* out = img.data.data();
        for (size_t i = 0; i < n; ++i, out += 3) {
            out[0] = uint8_t(argb[i] >> 16);
            out[1] = uint8_t(argb[i] >> 8);
            out[2] = uint8_t(argb[i]);
        }
        return img;
    }
    img.data.resize(n);
    if (depth == 1) {
        img.palette = {Rgb{0, 0, 0}, Rgb{255, 255, 255}};
        // A bar code's rows repeat: a row like the one above is copied, which
        // costs a comparison instead of a luminance a pixel.
        const size_t w = size_t(img.width);
        for (size_t y = 0; y < size_t(img.height); ++y) {
            const uint32_t* row = argb + y * w;
            uint8_t* out = img.data.data() + y * w;
            if (y > 0 && std::memcmp(row, row - w, w * sizeof *row) == 0) std::memcpy(out, out - w, w);
            else darkPixelsToZero(row, out, w);
        }
        return img;
    }
    // Palette pictures hold long runs of one colour: each run is looked up once.
    std::unordered_map<uint32_t, uint8_t> index;
    bool inRun = false;
    uint32_t runColour = 0;
    uint8_t runIndex = 0;
    for (size_t i = 0; i < n && index.size() <= 256; ++i) {
        uint32_t c = argb[i] & 0xFFFFFF;
        if (inRun && c == runColour) {
            img.data[i] = runIndex;
        } else if (index.size() < 256 || index.count(c)) {
            auto [it, added] = index.try_emplace(c, uint8_t(index.size()));
            if (added) img.palette.push_back(toRgb(c));
            img.data[i] = it->second;
            inRun = true;
            runColour = c;
            runIndex = it->second;
        } else {
            index.emplace(c, 0);  // a 257th colour: the cube takes over
        }
    }
    if (index.size() > 256) {
        img.palette = cubePalette();
        for (size_t i = 0; i < n; ++i) img.data[i] = cubeIndex(toRgb(argb[i]));
    }
    return img;
}

}  // namespace quillet::imgconv
