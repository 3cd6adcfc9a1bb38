// The program driven from its command line: execute strings, exit status
// and the message boxes written to standard error.
#include <gtest/gtest.h>

#include "tests/support/program_under_test.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/model/messages.h"
#include "platform/user_interface.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
namespace test = quillet::test;

struct Result {
    int status = -1;
    std::string out, err;
};

std::string readFile(const fs::path& p) { return test::readFileText(p); }

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = test::programPath();
        if (program_.empty()) GTEST_SKIP() << "QUILLET_BUILD_DIR is not set (run through ctest)";
        ASSERT_TRUE(fs::exists(program_)) << program_;
        work_ = test::testWorkFolder("quillet-cli-");
    }
    void TearDown() override {
        if (!work_.empty()) fs::remove_all(work_);
    }

    // Starts the program with the arguments and standard input; the per-user
    // settings live in the test's own folder. No display is named, so the
    // program runs headless and never opens a window on the desktop of the
    // person running the tests. `name` keeps the files of concurrent runs apart.
    pid_t spawn(const std::vector<std::string>& args, const std::string& input, const std::string& name = "",
                const std::string& tmpdir = "") {
        const fs::path in = work_ / (name + "stdin"), out = work_ / (name + "stdout"), err = work_ / (name + "stderr");
        std::ofstream(in, std::ios::binary) << input;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> argStrings{program_.string()};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : argStrings) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> envStrings{"XDG_CONFIG_HOME=" + (work_ / "config").string(),
                                            "TMPDIR=" + (tmpdir.empty() ? work_.string() : tmpdir)};
        auto replaced = [](const std::string& e) {
            for (const char* name : {"XDG_CONFIG_HOME=", "TMPDIR=", "DISPLAY=", "WAYLAND_DISPLAY="})
                if (e.rfind(name, 0) == 0) return true;
            return false;
        };
        for (char** e = environ; *e; ++e)
            if (!replaced(*e)) envStrings.push_back(*e);
        std::vector<char*> envp;
        for (auto& e : envStrings) envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, program_.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    Result finish(pid_t pid, const std::string& name = "") {
        Result r;
        if (pid > 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        r.out = readFile(work_ / (name + "stdout"));
        r.err = readFile(work_ / (name + "stderr"));
        return r;
    }

    Result run(const std::vector<std::string>& args, const std::string& input = "") {
        return finish(spawn(args, input));
    }

    static std::string boxLine(int code) { return platform::messageLine("Quillet", quillet::messageText(code)) + "\n"; }

    fs::path program_, work_;
};

TEST_F(Cli, ExitStatusTellsWhetherAnExecuteWasRefused) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{}, 0, ""},
        {{"--execute", "[CODE39][MESSAGE='12345'][BUILD/COPY]"}, 0, ""},
        {{"--execute=[code39][barcode=ABC]"}, 0, ""},
        {{"--execute", "[FOO]"}, 1, ""},
        {{"--execute", "no brackets here"}, 0, ""},
        {{"--execute", "[CODE39][BUILD/COPY]"}, 1, boxLine(-1)},
        {{"--execute", "[UPCA][MESSAGE='12'][BUILD/COPY]"}, 1, boxLine(2)},
        {{"--execute", "[RSSLIM][COMPOSITE=10ABC][MESSAGE='1501234567890'][BUILD/COPY]"}, 0, ""},
        {{"--execute", "[RSSLIM][COMPOSITE=10AB~][MESSAGE='1501234567890'][BUILD/COPY]"}, 1, boxLine(37)},
        {{"--execute", "[RSSLIM][MESSAGE='2000000000000'][BUILD/COPY]"}, 1, boxLine(38)},
        // One refused execute among several decides the status; all of them run.
        {{"--execute", "[CODE39]", "--execute", "[RATIO=9]", "--execute", "[BUILD/COPY]"}, 1, boxLine(-1)},
        {{"--execute", "[APPEXIT]"}, 0, ""},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args.back();
        EXPECT_EQ(r.status, c.status) << what;
        EXPECT_EQ(r.err, c.err) << what;
    }
}

TEST_F(Cli, TextBeyondTheCodePageAndGs1ElementStrings) {
    const struct {
        std::string execute;
        int status;
        std::string mention;  // "" = nothing on standard error
    } cases[] = {
        {"[QR][MESSAGE='Grüße 日本'][BUILD/COPY]", 1, "cannot hold: U+65E5, U+672C."},
        {"[UTF8=ON][QR][MESSAGE='Grüße 日本'][BUILD/COPY]", 0, ""},
        {"[UTF8=ON][CODE128][MESSAGE='日本'][BUILD/COPY]", 1, "cannot hold: U+65E5, U+672C."},
        {"[QR][MESSAGE='Grüße'][BUILD/COPY]", 0, ""},
        {"[GS1-128][MESSAGE='(01)09501101530003(17)260101'][BUILD/COPY]", 0, ""},
        {"[GS1-128][MESSAGE='(01)09501101530004'][BUILD/COPY]", 1, "GS1 AI (01): the check digit is 4, it should be 3"},
        {"[RSS][MESSAGE='(01)09501101530003'][BUILD/COPY]", 0, ""},
    };
    for (const auto& c : cases) {
        const Result r = run({"--execute", c.execute});
        EXPECT_EQ(r.status, c.status) << c.execute << ": " << r.err;
        if (c.mention.empty()) {
            EXPECT_EQ(r.err, "") << c.execute;
        } else {
            EXPECT_NE(r.err.find(c.mention), std::string::npos) << c.execute << ": " << r.err;
        }
    }
}

// --verify grades every label of a batch before saving it: a label below the
// least grade is not saved and is reported by its line, beside lines that do
// not build, the same with and without worker processes.
TEST_F(Cli, BatchVerifyReportsTheLabelsThatFail) {
    std::ofstream(work_ / "lines.txt") << "ONE\nTWO\n\nFOUR\n";
    const std::string setup = "[HORIZONTALDPI=600][VERTICALDPI=600][CODE128][QUIETZONES=ON][INCHES][BARWIDTH=13]";
    const std::string lines = (work_ / "lines.txt").string();
    // The empty line's message box comes as it happens, the failures at the end.
    const std::string box = boxLine(-1);
    const std::string unbuilt = "quillet: " + lines + " line 3: the symbol could not be built\n";
    auto belowC = [&](int line) {
        return "quillet: " + lines + " line " + std::to_string(line) +
               ": it does not decode to its data; simulated grade F, below C\n";
    };
    const struct {
        std::string colour;
        std::vector<int> saved;
        std::string err;
    } cases[] = {
        {"", {1, 2, 4}, box + unbuilt},
        // Red bars vanish under a red scanner light.
        {"[FORECOLOR=RED]", {}, box + belowC(1) + belowC(2) + unbuilt + belowC(4)},
    };
    for (const auto& c : cases) {
        for (const std::string jobs : {"1", "2"}) {
            const fs::path out = work_ / ("out" + jobs + (c.colour.empty() ? "" : "red"));
            fs::create_directory(out);
            const Result r = run({"--execute", setup + c.colour, "--batch", lines, "--output",
                                  (out / "l-#.png").string(), "--verify", "--jobs", jobs});
            EXPECT_EQ(r.status, 1) << c.colour << jobs;
            // The failure report keeps label order whatever the workers' order.
            EXPECT_EQ(r.err, c.err) << c.colour << jobs;
            for (int line = 1; line <= 4; ++line) {
                const bool wanted = std::find(c.saved.begin(), c.saved.end(), line) != c.saved.end();
                EXPECT_EQ(fs::exists(out / ("l-" + std::to_string(line) + ".png")), wanted)
                    << c.colour << jobs << " line " << line;
            }
        }
    }
}

TEST_F(Cli, ExecuteStringsFromStandardInput) {
    struct Case {
        std::string input;
        int status;
        std::string err;
    } cases[] = {
        {"[CODE39][MESSAGE='AB']\n[BUILD/COPY]\n", 0, ""},
        {"[CODE39][MESSAGE='AB']\r\n[BUILD/COPY]\r\n", 0, ""},
        {"[CODE39]\n[BUILD/COPY]\n[MESSAGE='AB'][BUILD/COPY]", 1, boxLine(-1)},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        const Result r = run({"--execute", "-"}, c.input);
        EXPECT_EQ(r.status, c.status) << c.input;
        EXPECT_EQ(r.err, c.err) << c.input;
    }
}

TEST_F(Cli, MalformedCommandLines) {
    for (auto args : {std::vector<std::string>{"--bogus"}, {"--execute"}}) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_NE(r.err.find("usage: quillet"), std::string::npos) << args[0];
    }
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--execute"), std::string::npos);
}

TEST_F(Cli, AConfigurationFileThatCannotBeOpenedFails) {
    const Result r = run({(work_ / "missing.qcf").string()});
    EXPECT_EQ(r.status, 1);
}

TEST_F(Cli, SavedSymbolIsAPlaceableMetafile) {
    const fs::path saved = work_ / "Label One.wmf";
    const Result r = run({"--execute", "[CODE39][BARCODE=HELLO][SAVEBARCODE(" + saved.string() + ")]"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::string bytes = readFile(saved);
    ASSERT_GE(bytes.size(), 22u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));  // placeable key
    // The scratch metafile is gone when the program ends.
    for (const auto& entry : fs::directory_iterator(work_))
        EXPECT_NE(entry.path().extension(), ".WMF") << entry.path();
}

}  // namespace

// Two runs at once with no usable $TMPDIR each keep a scratch file of their
// own: every label either run saves is the symbol of its own message.
TEST_F(Cli, RunsWithoutAUsableTmpdirNeverSwapSymbols) {
    std::ofstream(work_ / "not-a-folder") << "x";
    for (const fs::path& tmpdir : {work_ / "missing" / "folder", work_ / "not-a-folder"}) {
        const int kLabels = 25;
        auto script = [&](const std::string& who, const fs::path& folder) {
            fs::create_directories(folder);
            std::string lines;
            for (int n = 0; n < kLabels; ++n) {
                const std::string label = who + "-" + std::to_string(n);
                lines += "[CODE128][MESSAGE='" + label + "'][BUILD/COPY][SAVEBARCODE(" +
                         (folder / (label + ".wmf")).string() + ")]\n";
            }
            return lines;
        };
        const pid_t a = spawn({"--execute", "-"}, script("A", work_ / "a"), "a-", tmpdir.string());
        const pid_t b = spawn({"--execute", "-"}, script("B", work_ / "b"), "b-", tmpdir.string());
        EXPECT_EQ(finish(a, "a-").status, 0) << tmpdir;
        EXPECT_EQ(finish(b, "b-").status, 0) << tmpdir;
        // The same labels made one run at a time, with a scratch folder that works.
        EXPECT_EQ(run({"--execute", "-"}, script("A", work_ / "ra") + script("B", work_ / "rb")).status, 0);
        for (const char* who : {"A", "B"})
            for (int n = 0; n < kLabels; ++n) {
                const std::string name = std::string(who) + "-" + std::to_string(n) + ".wmf";
                const fs::path got = work_ / (who == std::string("A") ? "a" : "b") / name;
                const fs::path want = work_ / (who == std::string("A") ? "ra" : "rb") / name;
                ASSERT_TRUE(fs::exists(got)) << got;
                EXPECT_EQ(readFile(got), readFile(want)) << got << " with TMPDIR " << tmpdir;
            }
        for (const char* d : {"a", "b", "ra", "rb"}) fs::remove_all(work_ / d);
    }
}

// A PDF without its creation time, which changes from second to second.
static std::string withoutCreationDate(std::string pdf) {
    const size_t at = pdf.find("/CreationDate (");
    if (at != std::string::npos) pdf.erase(at, pdf.find(')', at) - at);
    return pdf;
}

// kill -9 at any moment of a save leaves the file that was there whole:
// every save in the run writes the same bytes (a PDF's creation time apart),
// so the target must hold exactly those bytes whenever the process dies.
TEST_F(Cli, AKillDuringASaveLeavesTheOldFileWhole) {
    struct Kind {
        const char* file;
        const char* save;  // the command saving to %s
    } kinds[] = {
        {"label.wmf", "[SAVEBARCODE(%s)]"},
        {"label.png", "[SAVEBARCODE(%s)]"},
        {"label.pdf", "[SAVEBARCODE(%s)]"},
        {"label.svg", "[SAVEBARCODE(%s)]"},
        {"settings.qcf", "[SAVECONFIG(%s)]"},
    };
    const std::string setup =
        "[PDF417][RASTERIMAGERESOLUTION=600][MESSAGE='" + std::string(600, 'K') + "'][BUILD/COPY]";
    for (const Kind& k : kinds) {
        const fs::path target = work_ / k.file;
        std::string save = k.save;
        save.replace(save.find("%s"), 2, target.string());
        ASSERT_EQ(run({"--execute", setup + save}).status, 0) << k.file;
        const std::string whole = withoutCreationDate(readFile(target));
        ASSERT_FALSE(whole.empty()) << k.file;
        std::string lines = setup + "\n";
        for (int i = 0; i < 400; ++i) lines += save + "\n";
        for (int round = 0; round < 6; ++round) {
            const pid_t pid = spawn({"--execute", "-"}, lines);
            ASSERT_GT(pid, 0);
            ::usleep(useconds_t(20000 + round * 15000));  // into the run of saves
            ::kill(pid, SIGKILL);
            const Result r = finish(pid);
            EXPECT_EQ(r.status, -1) << k.file << ": the run ended before the kill";
            const std::string left = withoutCreationDate(readFile(target));
            EXPECT_TRUE(left == whole) << k.file << " after a kill in round " << round << ": " << left.size()
                                       << " bytes, the whole file " << whole.size();
        }
    }
}

// A scratch folder on a full file system: the build is refused with the
// reason, and a file saved before keeps its bytes.
TEST_F(Cli, AFullScratchFolderRefusesTheBuildAndKeepsSavedFiles) {
    const fs::path full = work_ / "full";
    fs::create_directories(full);
    if (std::system(("mount -t tmpfs -o size=16k tmpfs " + full.string() + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    struct Unmount {
        fs::path at;
        ~Unmount() { (void)std::system(("umount " + at.string()).c_str()); }
    } unmount{full};
    {
        std::ofstream filler(full / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler; ++i) filler << block << std::flush;
    }
    const fs::path saved = work_ / "good.wmf";
    const std::string build = "[CODE128][MESSAGE='KEEP 1'][BUILD/COPY]";
    ASSERT_EQ(run({"--execute", build + "[SAVEBARCODE(" + saved.string() + ")]"}).status, 0);
    const std::string before = readFile(saved);
    ASSERT_FALSE(before.empty());

    const pid_t pid = spawn({"--execute", "[CODE128][MESSAGE='REPLACED 2'][BUILD/COPY][SAVEBARCODE(" + saved.string() + ")]"},
                            "", "full-", full.string());
    const Result r = finish(pid, "full-");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot write the bar code to the scratch file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
    EXPECT_TRUE(readFile(saved) == before) << "the saved file changed";
}

// A headless run starts without the desktop window's toolkit: only the
// window loads it, from its own library.
TEST_F(Cli, HeadlessRunsNeverLoadTheWindowToolkit) {
    std::ofstream(work_ / "labels.txt") << "A1\nB2\n";
    const std::vector<std::vector<std::string>> cases = {
        {"--help"},
        {"--execute", "[CODE39][MESSAGE='12345'][BUILD/COPY][SAVEBARCODE(" + (work_ / "one.png").string() + ")]"},
        {"--execute", "[QR][MESSAGE='12345'][BUILD/COPY]", "--batch", (work_ / "labels.txt").string(), "--output",
         (work_ / "label-#.wmf").string(), "--jobs", "1"},
    };
    // The dynamic loader names every library it maps on standard error.
    setenv("LD_DEBUG", "libs", 1);
    std::vector<Result> results;
    for (const auto& args : cases) results.push_back(run(args));
    unsetenv("LD_DEBUG");
    for (size_t i = 0; i < cases.size(); ++i) {
        const Result& r = results[i];
        EXPECT_EQ(r.status, 0) << cases[i].back();
        EXPECT_NE(r.err.find("libquillet_platform.so"), std::string::npos) << cases[i].back();
        EXPECT_EQ(r.err.find("libQt6"), std::string::npos) << cases[i].back();
        EXPECT_EQ(r.err.find("libquillet_desktop.so"), std::string::npos) << cases[i].back();
    }
    EXPECT_TRUE(fs::exists(work_ / "one.png"));
    EXPECT_TRUE(fs::exists(work_ / "label-2.wmf"));
}

// The image, printing and checking libraries are loaded at their first
// call: a run maps only those its output needs.
TEST_F(Cli, RunsLoadOnlyTheLibrariesTheirOutputNeeds) {
#ifndef QUILLET_DELAY_LOAD
    GTEST_SKIP() << "built with QUILLET_DELAY_LOAD off: the libraries are linked as usual";
#endif
    const auto build = [&](const std::string& file) {
        return "[CODE128][MESSAGE='PART-1'][BUILD/COPY][SAVEBARCODE(" + (work_ / file).string() + ")]";
    };
    struct Case {
        std::string execute;
        std::vector<std::string> loaded, notLoaded;
        int status = 0;
    };
    const std::vector<std::string> all = {"libcairo.so", "libcups.so", "libZXing.so", "libpng16.so",
                                          "libjpeg.so",  "libtiff.so", "libgif.so"};
    const std::vector<Case> cases = {
        {build("one.wmf"), {}, all},
        {build("one.png"), {"libpng16.so", "libcairo.so"}, {"libcups.so", "libZXing.so", "libjpeg.so", "libgif.so"}},
        {build("one.svg"), {"libcairo.so"}, {"libcups.so", "libZXing.so", "libgif.so"}},
        {build("one.jpg"), {"libjpeg.so"}, {"libcups.so", "libZXing.so", "libgif.so"}},
        // Graded F for want of quiet zones, so refused: what counts is that it decoded.
        {"[CODE128][MESSAGE='PART-1'][BUILD/COPY][VERIFY]", {"libZXing.so"}, {"libcups.so", "libgif.so"}, 1},
    };
    setenv("LD_DEBUG", "libs", 1);
    std::vector<Result> results;
    for (const Case& c : cases) results.push_back(run({"--execute", c.execute}));
    unsetenv("LD_DEBUG");
    for (size_t i = 0; i < cases.size(); ++i) {
        const Result& r = results[i];
        EXPECT_EQ(r.status, cases[i].status) << cases[i].execute;
        // The loader names each library it maps by its path.
        for (const std::string& lib : cases[i].loaded)
            EXPECT_NE(r.err.find("/" + lib), std::string::npos)
                << cases[i].execute << " does not load " << lib;
        for (const std::string& lib : cases[i].notLoaded)
            EXPECT_EQ(r.err.find(lib), std::string::npos) << cases[i].execute << " loads " << lib;
    }
    for (const char* file : {"one.wmf", "one.png", "one.svg", "one.jpg"}) EXPECT_TRUE(fs::exists(work_ / file)) << file;
    EXPECT_NE(results.back().err.find("decoded as expected"), std::string::npos) << results.back().err.substr(0, 400);
}
