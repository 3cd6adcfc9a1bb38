// The program's batch runs, its start-up configuration and its automation
// server, driven from outside as a label application would drive it.
#include <gtest/gtest.h>

#include "tests/support/program_under_test.h"
#include "tests/support/socket_client.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/render_wmf.h"
#include "tests/support/zxing_decode.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
namespace test = quillet::test;
using namespace std::chrono_literals;

std::string readFile(const fs::path& p) { return test::readFileText(p); }

struct Result {
    int status = -1;
    std::string err;
};

class Labels : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = test::programPath();
        if (program_.empty()) GTEST_SKIP() << "QUILLET_BUILD_DIR is not set (run through ctest)";
        ASSERT_TRUE(fs::exists(program_)) << program_;
        work_ = test::testWorkFolder("qlab-");
    }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (!work_.empty()) fs::remove_all(work_);
    }

    // Starts the program; standard error goes to a file in the work folder.
    pid_t spawn(const std::vector<std::string>& args) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, (work_ / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> argStrings{program_.string()};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : argStrings) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> envStrings{"XDG_CONFIG_HOME=" + (work_ / "config").string(),
                                            "TMPDIR=" + work_.string(), "XDG_RUNTIME_DIR=" + work_.string()};
        for (char** e = environ; *e; ++e) {
            const std::string v = *e;
            if (v.rfind("XDG_CONFIG_HOME=", 0) && v.rfind("TMPDIR=", 0) && v.rfind("XDG_RUNTIME_DIR=", 0))
                envStrings.push_back(v);
        }
        std::vector<char*> envp;
        for (auto& e : envStrings) envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_t pid = -1;
        if (posix_spawn(&pid, program_.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    // Waits at most 60 s for the program; -1 when it had to be killed.
    int waitFor(pid_t pid) {
        for (int i = 0; i < 6000; ++i) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            std::this_thread::sleep_for(10ms);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return -1;
    }

    Result run(const std::vector<std::string>& args) {
        Result r;
        const pid_t pid = spawn(args);
        if (pid <= 0) return r;
        r.status = waitFor(pid);
        r.err = readFile(work_ / "stderr");
        return r;
    }

    std::string path(const std::string& name) const { return (work_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(work_ / name, std::ios::binary) << bytes;
        return path(name);
    }
    static std::string decoded(const std::string& wmf, const std::string& format) {
        return quillet::test::decode(quillet::test::renderWmfFile(wmf, 254).padded(60), format).text;
    }

    fs::path program_, work_;
    pid_t pid_ = -1;
};

TEST_F(Labels, BatchSavesOneSymbolPerLineAndReportsFailingLines) {
    struct Case {
        const char* what;
        std::string setup, lines, pattern;
        int status;
        std::vector<std::pair<std::string, std::string>> outputs;  // file, decoded text ("" = absent)
        std::string errorMention;
    } cases[] = {
        {"Code 128", "[CODE128]", "LABEL-1\nLABEL-2\r\nLABEL-3\n", "c128-####.wmf", 0,
         {{"c128-0001.wmf", "LABEL-1"}, {"c128-0002.wmf", "LABEL-2"}, {"c128-0003.wmf", "LABEL-3"}}, ""},
        // The last line is one digit longer than a UPC-A message: it carries a supplement.
        {"UPC-A with a bad line", "[UPCA]", "01234567890\n12AB\n0360002914512\n", "upc-#.wmf", 1,
         {{"upc-1.wmf", "012345678905"}, {"upc-2.wmf", ""}, {"upc-3.wmf", "036000291452 12"}}, "line 2:"},
        {"more lines than '#'", "[CODE39]", "A\nB\nC\nD\nE\nF\nG\nH\nI\nJ\nK\n", "c39-#.wmf", 0,
         {{"c39-9.wmf", "I"}, {"c39-11.wmf", "K"}}, ""},
    };
    for (const auto& c : cases) {
        const std::string file = write("lines.txt", c.lines);
        const Result r = run({"--execute", c.setup, "--batch", file, "--output", path(c.pattern)});
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
        for (const auto& [name, text] : c.outputs) {
            if (text.empty()) {
                EXPECT_FALSE(fs::exists(work_ / name)) << c.what << " " << name;
            } else {
                EXPECT_EQ(decoded(path(name), ""), text) << c.what << " " << name;
            }
        }
        if (!c.errorMention.empty()) {
            EXPECT_NE(r.err.find(c.errorMention), std::string::npos) << c.what << r.err;
        }
    }
}

TEST_F(Labels, CsvBatchMapsItsColumnsOntoEachLabel) {
    // Header line 1; the third label spans lines 4 and 5; lines 6 and 7 are bad.
    const std::string csv = "Comment,MESSAGE , file\r\n"
                            "first,\"A,B\"," + path("named-a.wmf") + "\r\n"
                            "\"two, words\",\"say \"\"hi\"\"\",\r\n"
                            "third,\"L1\nL2\"," + path("named-c.wmf") + "\r\n"
                            "x,bad\"quote," + path("named-d.wmf") + "\r\n"
                            "only one field\r\n"
                            ",LAST,\r\n";
    struct Output {
        std::string file, text;  // "" = not written
    };
    const struct {
        const char* what;
        std::vector<std::string> output;  // the --output option, if any
        int status;
        std::vector<Output> outputs;
        std::vector<std::string> mentions;
    } cases[] = {
        {"with a pattern", {"--output", path("csv-##.wmf")}, 1,
         {{"named-a.wmf", "A,B"}, {"csv-02.wmf", "say \"hi\""}, {"named-c.wmf", "L1\nL2"}, {"named-d.wmf", ""},
          {"csv-05.wmf", ""}, {"csv-06.wmf", "LAST"}},
         {"line 6: a quote inside unquoted field 2", "line 7: the row has 1 fields, the header 3"}},
        {"without a pattern", {}, 1,
         {{"named-a.wmf", "A,B"}, {"named-c.wmf", "L1\nL2"}, {"csv-02.wmf", ""}},
         {"line 3: the row names no file and there is no --output pattern",
          "line 8: the row names no file and there is no --output pattern"}},
    };
    for (const auto& c : cases) {
        for (const auto& entry : fs::directory_iterator(work_))
            if (entry.path().extension() == ".wmf") fs::remove(entry.path());
        std::vector<std::string> args{"--execute", "[CODE128]", "--batch", write("labels.csv", csv)};
        args.insert(args.end(), c.output.begin(), c.output.end());
        const Result r = run(args);
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
        for (const Output& o : c.outputs) {
            if (o.text.empty()) {
                EXPECT_FALSE(fs::exists(work_ / o.file)) << c.what << " " << o.file;
            } else {
                EXPECT_EQ(decoded(path(o.file), "Code128"), o.text) << c.what << " " << o.file;
            }
        }
        for (const std::string& m : c.mentions) EXPECT_NE(r.err.find(m), std::string::npos) << c.what << r.err;
    }
}

TEST_F(Labels, CountBuildsTheNumberingSeries) {
    const Result r = run({"--execute", "[CODE128][INCSTART=98][INCWIDTH=3][INCPREAMBLE='N'][INCENABLE]", "--count",
                          "3", "--output", path("n-##.wmf")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(decoded(path("n-01.wmf"), "Code128"), "N098");
    EXPECT_EQ(decoded(path("n-02.wmf"), "Code128"), "N099");
    EXPECT_EQ(decoded(path("n-03.wmf"), "Code128"), "N100");
    EXPECT_FALSE(fs::exists(work_ / "n-04.wmf"));
}

// Batches split over worker processes write what labels built one at a
// time write, and report their failures as a sequential run does.
TEST_F(Labels, BatchFilesMatchLabelsBuiltOneByOneWithAndWithoutJobs) {
    const std::vector<std::string> messages{"ONE", "TWO-2", "333", "FOUR", "FIVE5"};
    const std::vector<std::vector<std::string>> jobOptions{{}, {"--jobs", "1"}, {"--jobs", "2"}, {"--jobs", "7"}};
    std::string lines, csv = "message,file\n";
    for (const std::string& m : messages) lines += m + "\n";
    for (const char* ext : {".wmf", ".png"}) {
        std::vector<std::string> single;
        for (size_t i = 0; i < messages.size(); ++i) {
            single.push_back(path("single-" + std::to_string(i + 1) + ext));
            ASSERT_EQ(run({"--execute", "[CODE128][BARCODE=" + messages[i] + "][SAVEBARCODE(" + single.back() + ")]"})
                          .status,
                      0);
            ASSERT_FALSE(readFile(single.back()).empty()) << single.back();
        }
        for (size_t j = 0; j < jobOptions.size(); ++j) {
            const std::string tag = std::string(ext) + " jobs case " + std::to_string(j);
            std::string rows = "message,file\n";
            for (size_t i = 0; i < messages.size(); ++i)
                rows += messages[i] + "," + path("csv" + std::to_string(j) + "-" + std::to_string(i + 1) + ext) + "\n";
            const struct {
                std::string file, pattern;
            } batches[] = {{write("lines.txt", lines), "lines" + std::to_string(j) + "-#" + ext},
                           {write("labels.csv", rows), "csv" + std::to_string(j) + "-#" + ext}};
            for (const auto& b : batches) {
                std::vector<std::string> args{"--execute", "[CODE128]", "--batch", b.file, "--output", path(b.pattern)};
                args.insert(args.end(), jobOptions[j].begin(), jobOptions[j].end());
                const Result r = run(args);
                EXPECT_EQ(r.status, 0) << tag << ": " << r.err;
                for (size_t i = 0; i < messages.size(); ++i) {
                    const std::string name = path(b.pattern.substr(0, b.pattern.find('#')) + std::to_string(i + 1) + ext);
                    EXPECT_EQ(readFile(name), readFile(single[i])) << tag << " " << name;
                }
            }
        }
    }
}

TEST_F(Labels, JobsKeepTheSequentialFailureReportAndLastWriter) {
    // Line 2 is no UPC-A message; lines 4 and 6 name the same file in the CSV.
    const std::string lines = write("upc.txt", "01234567890\n12AB\n0360002914512\n01234567890\nXY\n03600029145\n");
    const std::string csv = write("dup.csv", "message,file\nFIRST," + path("same.wmf") + "\nMID,\nLAST," +
                                                 path("same.wmf") + "\n");
    std::string sequentialErr;
    for (const char* jobs : {"1", "2", "4"}) {
        const Result r = run({"--execute", "[UPCA]", "--batch", lines, "--output", path("upc-#.wmf"), "--jobs", jobs});
        EXPECT_EQ(r.status, 1) << jobs;
        EXPECT_NE(r.err.find("line 2:"), std::string::npos) << jobs << r.err;
        EXPECT_NE(r.err.find("line 5:"), std::string::npos) << jobs << r.err;
        EXPECT_LT(r.err.find("line 2:"), r.err.find("line 5:")) << jobs << r.err;
        if (sequentialErr.empty()) sequentialErr = r.err;
        EXPECT_EQ(r.err, sequentialErr) << jobs;
        EXPECT_EQ(decoded(path("upc-6.wmf"), ""), "036000291452") << jobs;
        EXPECT_FALSE(fs::exists(work_ / "upc-5.wmf")) << jobs;

        fs::remove(work_ / "same.wmf");
        const Result c = run({"--execute", "[CODE128]", "--batch", csv, "--output", path("dup-#.wmf"), "--jobs", jobs});
        EXPECT_EQ(c.status, 0) << jobs << c.err;
        EXPECT_EQ(decoded(path("same.wmf"), "Code128"), "LAST") << jobs;
        EXPECT_EQ(decoded(path("dup-2.wmf"), "Code128"), "MID") << jobs;
    }
    for (const char* jobs : {"1", "3"}) {
        const Result r = run({"--execute", "[CODE128][INCSTART=98][INCWIDTH=3][INCPREAMBLE='N'][INCENABLE]", "--count",
                              "5", "--output", path(std::string("n") + jobs + "-#.wmf"), "--jobs", jobs});
        EXPECT_EQ(r.status, 0) << r.err;
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(decoded(path(std::string("n") + jobs + "-" + std::to_string(i) + ".wmf"), "Code128"),
                      "N" + std::to_string(97 + i).insert(0, 97 + i < 100 ? "0" : ""))
                << jobs << " " << i;
    }
}

TEST_F(Labels, CommandLineMistakes) {
    const std::string lines = write("l.txt", "A\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string mention;
    } cases[] = {
        {{"--batch", lines}, 2, "need --output"},
        {{"--batch", lines, "--output", path("no-number.wmf")}, 2, "run of '#'"},
        {{"--output", path("x-#.wmf")}, 2, "--output needs"},
        {{"--count", "0", "--output", path("x-#.wmf")}, 2, "--count needs"},
        {{"--count", "2", "--output", path("x-#.wmf")}, 1, "needs incremental numbering"},
        {{"--batch", path("missing.txt"), "--output", path("x-#.wmf")}, 1, "missing.txt"},
        {{"--serve", path("s.sock"), "--count", "2", "--output", path("x-#.wmf")}, 2, "cannot be combined"},
        {{"--serve", path("s.sock"), "--idle-timeout", "-1"}, 2, "--idle-timeout needs"},
        {{"--serve", path("s.sock"), "--idle-timeout", "soon"}, 2, "--idle-timeout needs"},
        {{"--serve", path("s.sock"), "--max-connections", "0"}, 2, "--max-connections needs"},
        {{"--idle-timeout", "5"}, 2, "need --serve"},
        {{"--count", "2", "--output", path("x-#.wmf"), "--jobs", "0"}, 2, "--jobs needs a number"},
        {{"--execute", "[CODE39]", "--jobs", "2"}, 2, "--jobs needs --batch"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << r.err;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
    }
}

TEST_F(Labels, ConfigurationGivenAtStartUp) {
    const std::string first = path("first.qcf"), second = path("second.qcf");
    ASSERT_EQ(run({"--execute", "[EAN13][MESSAGE='590123412345'][COMMENT=shelf][QUIETZONES=ON][SAVECONFIG(" + first +
                       ")]"})
                  .status,
              0);
    const Result r = run({first, "--execute", "[SAVECONFIG(" + second + ")]"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(second), readFile(first));

    write("bad.qcf", "QUILLET v3.0 Professional (32 Bit) configuration\r\n\r\n");
    const Result bad = run({path("bad.qcf"), "--execute", "[SAVECONFIG(" + path("after.qcf") + ")]"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("no setting was changed"), std::string::npos) << bad.err;
}

// A connection once the spawned server listens; -1 when it never does.
int connectWhenListening(const std::string& socketPath) {
    int fd = -1;
    for (int i = 0; i < 1000 && fd < 0; ++i) {
        fd = test::connectTo(socketPath);
        if (fd < 0) std::this_thread::sleep_for(10ms);
    }
    return fd;
}

std::string talk(int fd, const std::string& line) {
    const std::string out = line + "\n";
    if (send(fd, out.data(), out.size(), MSG_NOSIGNAL) != ssize_t(out.size())) return "send failed";
    std::string reply;
    char ch = 0;
    while (recv(fd, &ch, 1, 0) == 1 && ch != '\n') reply += ch;
    return reply;
}

TEST_F(Labels, ServerAnswersUntilTheConversationAfterAppExitCloses) {
    for (const bool defaultPath : {false, true}) {
        const std::string socketPath = defaultPath ? path("quillet.sock") : path("own.sock");
        pid_ = spawn(defaultPath ? std::vector<std::string>{"--serve"} : std::vector<std::string>{"--serve", socketPath});
        ASSERT_GT(pid_, 0);
        int fd = connectWhenListening(socketPath);
        ASSERT_GE(fd, 0) << readFile(work_ / "stderr");
        struct stat st {};
        ASSERT_EQ(lstat(socketPath.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);

        const std::string saved = path("served.wmf");
        EXPECT_EQ(talk(fd, "[CODE39][BARCODE=SERVED][SAVEBARCODE(" + saved + ")]"), "ACK");
        EXPECT_EQ(talk(fd, "[RATIO=7]"), "NAK");
        EXPECT_EQ(decoded(saved, "Code39"), "SERVED");
        // A second client while the first stays connected.
        const int other = test::connectTo(socketPath);
        ASSERT_GE(other, 0);
        EXPECT_EQ(talk(other, "[CODE128]"), "ACK");
        close(other);
        EXPECT_EQ(talk(fd, "[APPEXIT]"), "ACK");
        close(fd);
        EXPECT_EQ(waitFor(pid_), 0) << readFile(work_ / "stderr");
        pid_ = -1;
        EXPECT_FALSE(fs::exists(socketPath));
    }
}

TEST_F(Labels, ServerDropsConnectionsIdleForTheTimeGiven) {
    const std::string socketPath = path("idle.sock");
    pid_ = spawn({"--serve", socketPath, "--idle-timeout", "0.3", "--max-connections", "2"});
    ASSERT_GT(pid_, 0);
    int fd = connectWhenListening(socketPath);
    ASSERT_GE(fd, 0) << readFile(work_ / "stderr");
    EXPECT_EQ(talk(fd, "[CODE39]"), "ACK");
    char b;
    EXPECT_EQ(recv(fd, &b, 1, 0), 0) << "dropped after the idle time";
    close(fd);
    // Two held connections: a third client still gets in.
    const int held[2] = {test::connectTo(socketPath), test::connectTo(socketPath)};
    const int third = test::connectTo(socketPath);
    ASSERT_GE(third, 0);
    EXPECT_EQ(talk(third, "[CODE128]"), "ACK");
    for (int h : held) close(h);
    close(third);
    kill(pid_, SIGTERM);
    EXPECT_EQ(waitFor(pid_), 0);
    pid_ = -1;
}

TEST_F(Labels, ServerStopsCleanlyOnTerminate) {
    const std::string socketPath = path("t.sock");
    pid_ = spawn({"--serve", socketPath});
    ASSERT_GT(pid_, 0);
    int fd = connectWhenListening(socketPath);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(talk(fd, "[CODE39]"), "ACK");
    kill(pid_, SIGTERM);
    EXPECT_EQ(waitFor(pid_), 0);
    pid_ = -1;
    close(fd);
    EXPECT_FALSE(fs::exists(socketPath));
}

}  // namespace
