#include "tests/support/wmf_inspect.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quillet::test {

namespace {
constexpr uint16_t kRectangle = 0x041B, kTextOut = 0x0521, kSetWindowExt = 0x020C, kCreateFont = 0x02FB,
                   kSelectObject = 0x012D;
}

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

wmf::Metafile parseMetafile(const std::vector<uint8_t>& bytes) {
    std::string error;
    auto m = wmf::parse(bytes, &error);
    EXPECT_TRUE(m.has_value()) << error;
    return m ? *m : wmf::Metafile{};
}

std::vector<DrawnRect> rectangles(const wmf::Metafile& m) {
    std::vector<DrawnRect> out;
    for (const auto& r : m.records)
        if (r.function == kRectangle && r.params.size() >= 4) out.push_back({r.s(3), r.s(2), r.s(1), r.s(0)});
    return out;
}

std::vector<DrawnText> texts(const wmf::Metafile& m) {
    std::vector<DrawnText> out;
    for (const auto& r : m.records) {
        if (r.function != kTextOut || r.params.empty()) continue;
        auto s = wmf::textOutString(r);
        if (!s) continue;
        // META_TEXTOUT: count, string (padded to words), y, x.
        size_t words = (r.params[0] + 1) / 2;
        if (r.params.size() < 1 + words + 2) continue;
        out.push_back({r.s(1 + words + 1), r.s(1 + words), *s, -1});
    }
    return out;
}

std::pair<int, int> windowExtent(const wmf::Metafile& m) {
    for (const auto& r : m.records)
        if (r.function == kSetWindowExt && r.params.size() >= 2) return {r.s(1), r.s(0)};
    return {0, 0};
}

std::vector<int> fontHeights(const wmf::Metafile& m) {
    std::vector<int> out;
    for (const auto& r : m.records)
        if (r.function == kCreateFont && !r.params.empty()) out.push_back(r.s(0));
    (void)kSelectObject;
    return out;
}

}  // namespace quillet::test
