// The Data Matrix and QR Code commands of the command language reach the
// builders: symbology, error correction, data format, tilde handling and
// module size, each proven by what the built symbol holds.
#include <gtest/gtest.h>

#include "app/automation/command_table.h"
#include "app/model/messages.h"
#include "app/render/matrix_symbol_test_util.h"

namespace quillet {
namespace {

using test::MatrixHarness;

bool run(AppState& app, std::initializer_list<const char*> commands) {
    for (const char* c : commands)
        if (!runCommand(app, c)) return false;
    return true;
}

TEST(MatrixCommands, DataMatrixOptionsReachTheSymbol) {
    struct Case {
        const char* name;
        std::initializer_list<const char*> commands;
        bool built;
        std::string decoded;  // when built
        std::string message;  // when not
    };
    for (const Case& c : {
             Case{"tildes translated", {"[DMSTANDARD=ON]", "[MESSAGE='a~~b']"}, true, "a~~b", ""},
             Case{"tildes as escapes", {"[DMSTANDARD=OFF]", "[MESSAGE='a~~b']"}, true, "a~b", ""},
             Case{"ECC 100 is refused by the encoder", {"[DMECC=100]", "[MESSAGE='123']"}, false, "",
                  "Data Matrix encode error # 1040"},
             Case{"numeric format with a letter", {"[DMECC=140]", "[DMFORMAT=1]", "[MESSAGE='12A']"}, false, "",
                  messageText(1025)},
             Case{"NUL from a character code", {"[MESSAGE='x' 0 'y']"}, true, std::string("x\0y", 3), ""},
             Case{"back to ECC 200", {"[DMECC=100]", "[DMECC=200]", "[DMFORMAT=1]", "[MESSAGE='ABC']"}, true, "ABC",
                  ""},
         }) {
        MatrixHarness h(1);
        ASSERT_TRUE(run(h.app, {"[DATAMATRIX]"})) << c.name;
        ASSERT_TRUE(run(h.app, c.commands)) << c.name;
        runCommand(h.app, "[BUILD/COPY]");
        EXPECT_EQ(h.app.settings.symbolBuilt, c.built) << c.name << ": " << h.lastMessage();
        if (c.built) {
            const auto d = h.decodeScratch("DataMatrix");
            EXPECT_TRUE(d.ok && d.bytes == c.decoded) << c.name;
        } else {
            EXPECT_EQ(h.lastMessage(), c.message) << c.name;
        }
    }
}

TEST(MatrixCommands, ModuleSizeAndRebuild) {
    MatrixHarness h(1);
    ASSERT_TRUE(run(h.app, {"[DATAMATRIX]", "[MESSAGE='123456']", "[BUILD/COPY]"}));
    // 20 mils = 50.8 units, drawn as 51 a module.
    ASSERT_TRUE(run(h.app, {"[DMMODULESIZE=20]"}));
    EXPECT_EQ(h.picture().placeable->right, 510) << "a built symbol is rebuilt at once";
    ASSERT_TRUE(run(h.app, {"[QRCODE]", "[MESSAGE='HELLO']", "[BUILD/COPY]"}));
    EXPECT_EQ(h.picture().placeable->right, 21 * 51);
    const auto d = h.decodeScratch("QRCode");
    EXPECT_TRUE(d.ok && d.bytes == "HELLO");
}

}  // namespace
}  // namespace quillet
