#include "stripegen/cc_rows.h"

#include "stripegen/pdf417_clusters.h"
#include "stripegen/rap_tables.h"

namespace stripegen {

namespace {

// Row address patterns of a row. CC-A with 3 columns has no left pattern:
// codeword, centre pattern, codeword, codeword, right pattern, which keeps
// the element and module count of a row with a left pattern.
bool hasLeft(int columns, bool isCcb) { return columns != 3 || isCcb; }
bool hasCentre(int columns) { return columns >= 3; }
// Codewords before the centre pattern: 2 of 4, 1 of 3.
int beforeCentre(int columns) { return columns == 4 ? 2 : 1; }

void appendRap(Widths& out, const uint8_t (&table)[52][6], int address) {
    const uint8_t* p = table[(address - 1) % 52];
    out.insert(out.end(), p, p + 6);
}

void appendCodeword(Widths& out, int cluster, int codeword) {
    uint32_t packed = kClusterPatterns[cluster / 3][(codeword % 929 + 929) % 929];
    for (int i = 0; i < 8; ++i) out.push_back(uint8_t(patternElement(packed, i)));
}

int nextAddress(int a) { return a % 52 + 1; }

}  // namespace

int ccRowElements(int columns, bool isCcb) {
    return 1 + (hasLeft(columns, isCcb) ? 6 : 0) + 8 * columns + (hasCentre(columns) ? 6 : 0) + 6 + 2;
}

bool buildCcRows(const CcComponent& cc, Widths& rows) {
    if (!cc.ok) return false;
    int count = 0;
    const RapStart* starts = cc.isCcb ? ccbRapStarts(cc.columns, count) : ccaRapStarts(cc.columns, count);
    const RapStart* start = nullptr;
    for (int i = 0; i < count; ++i)
        if (starts[i].rows == cc.rows) start = &starts[i];
    if (start == nullptr || int(cc.codewords.size()) != cc.rows * cc.columns) return false;
    int left = start->left, centre = start->centre, right = start->right, cluster = start->cluster;
    const bool leftRap = hasLeft(cc.columns, cc.isCcb), centreRap = hasCentre(cc.columns);
    rows.clear();
    for (int r = 0; r < cc.rows; ++r) {
        rows.push_back(1);
        if (leftRap) appendRap(rows, kRapSidePatterns, left);
        for (int c = 0; c < cc.columns; ++c) {
            if (centreRap && c == beforeCentre(cc.columns)) appendRap(rows, kRapCentrePatterns, centre);
            appendCodeword(rows, cluster, cc.codewords[size_t(r * cc.columns + c)]);
        }
        appendRap(rows, kRapSidePatterns, right);
        rows.push_back(1);
        rows.push_back(1);
        left = nextAddress(left);
        centre = nextAddress(centre);
        right = nextAddress(right);
        cluster = (cluster + 3) % 9;
    }
    return true;
}

}  // namespace stripegen
