#pragma once
// Readers of the symbols that an independent encoder drew for the library's
// tests (stripegen/testdata/, written by stripegen/oracle/bwipjs_oracle.js).
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef STRIPEGEN_TESTDATA
#error "STRIPEGEN_TESTDATA must name stripegen/testdata in the source tree"
#endif

namespace stripegen::test {

// Lines of a test data file without its comment lines.
inline std::vector<std::string> dataLines(const std::string& name) {
    std::ifstream in(std::string(STRIPEGEN_TESTDATA) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

struct OracleLimited {
    std::string primary;
    int checkValue = 0;
    std::vector<int> widths;
};

inline std::vector<OracleLimited> oracleLimited() {
    std::vector<OracleLimited> out;
    for (const std::string& line : dataLines("limited_bwipjs.txt")) {
        std::istringstream s(line);
        OracleLimited o;
        s >> o.primary >> o.checkValue;
        for (int w; s >> w;) o.widths.push_back(w);
        out.push_back(o);
    }
    return out;
}

struct OracleComposite {
    std::string exportName;  // RSS14, RSS14S, RSS14SO, RSSLIM
    std::string primary;
    std::string composite;  // FNC1 as the group separator
    std::string note;
    std::vector<std::string> rows;  // modules, '1' dark, trailing light dropped
};

inline std::string hexToModules(const std::string& hex) {
    std::string m;
    for (char c : hex) {
        int v = c <= '9' ? c - '0' : c - 'a' + 10;
        for (int k = 3; k >= 0; --k) m.push_back(((v >> k) & 1) ? '1' : '0');
    }
    while (!m.empty() && m.back() == '0') m.pop_back();
    return m;
}

inline std::vector<OracleComposite> oracleComposites() {
    std::vector<OracleComposite> out;
    std::vector<std::string> lines = dataLines("composite_bwipjs.txt");
    for (size_t i = 0; i < lines.size(); ++i) {
        std::istringstream s(lines[i]);
        std::string tag;
        size_t count = 0;
        OracleComposite o;
        s >> tag >> o.exportName >> o.primary >> o.composite >> o.note >> count;
        if (tag != "symbol") continue;
        for (char& c : o.composite)
            if (c == '^') c = '\x1d';
        for (size_t r = 0; r < count && i + 1 < lines.size(); ++r) o.rows.push_back(hexToModules(lines[++i]));
        out.push_back(o);
    }
    return out;
}

struct OracleExpanded {
    std::string message;  // FNC1 as the group separator
    int symbolCharacters = 0;
    std::vector<int> widths;
};

inline std::vector<OracleExpanded> oracleExpanded() {
    std::vector<OracleExpanded> out;
    for (const std::string& line : dataLines("expanded_bwipjs.txt")) {
        std::istringstream s(line);
        OracleExpanded o;
        s >> o.message >> o.symbolCharacters;
        for (char& c : o.message)
            if (c == '^') c = '\x1d';
        for (int w; s >> w;) o.widths.push_back(w);
        out.push_back(o);
    }
    return out;
}

}  // namespace stripegen::test
