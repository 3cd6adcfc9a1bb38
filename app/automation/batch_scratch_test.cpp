// A batch saves each label from its built symbol and leaves the scratch
// metafile alone until its end, when the last symbol goes there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/automation/automation_session.h"
#include "app/automation/batch_jobs.h"
#include "app/automation/batch_run.h"
#include "app/model/text_lines.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct BatchRun {
    BatchResult result;
    std::vector<std::string> scratchDuringBuilds;  // what the scratch file held at each build
};

BatchRun runLines(test::Session& session, const std::string& lines, const fs::path& pattern) {
    BatchRun run;
    session.app.onBuilt = [&](const AppState& app) { run.scratchDuringBuilds.push_back(bytesOf(app.scratchMetafilePath)); };
    const TextLines text = indexTextLines(std::string(lines));
    run.result = runBatchJobs(session.app, long(text.count), 1, [&](const LabelRange& r) {
        return runBatchLines(session.app, text, pattern.string(), r);
    });
    session.app.onBuilt = nullptr;
    return run;
}

class BatchScratch : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quillet-batch-scratch-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(BatchScratch, HoldsTheLastSymbolOnlyAfterTheBatch) {
    for (const char* symbology : {"[CODE128]", "[DATAMATRIX]", "[PDF417]"}) {
        test::Session session;
        ASSERT_TRUE(session.run(std::string(symbology) + "[MESSAGE='BEFORE'][BUILD/COPY]")) << symbology;
        const std::string before = bytesOf(session.app.scratchMetafilePath);
        ASSERT_FALSE(before.empty()) << symbology;

        const BatchRun run = runLines(session, "FIRST\nSECOND\nTHIRD\n", dir_ / "label-#.wmf");
        EXPECT_EQ(run.result.built, 3) << symbology;
        EXPECT_TRUE(run.result.failures.empty()) << symbology;
        ASSERT_EQ(run.scratchDuringBuilds.size(), 3u) << symbology;
        for (const std::string& held : run.scratchDuringBuilds) EXPECT_EQ(held, before) << symbology;
        // The scratch file ends as a label-by-label run leaves it: the last label.
        EXPECT_EQ(bytesOf(session.app.scratchMetafilePath), bytesOf(dir_ / "label-3.wmf")) << symbology;
        EXPECT_NE(bytesOf(dir_ / "label-2.wmf"), bytesOf(dir_ / "label-3.wmf")) << symbology;
        EXPECT_FALSE(session.app.scratchDeferred) << symbology;
    }
}

TEST_F(BatchScratch, AScratchFileThatCannotBeWrittenFailsTheLastLabel) {
    test::Session session;
    ASSERT_TRUE(session.run("[CODE128]"));
    const std::string scratch = session.app.scratchMetafilePath;
    session.app.scratchMetafilePath = (dir_ / "missing-folder" / "scratch.wmf").string();
    const BatchRun run = runLines(session, "ONE\nTWO\n", dir_ / "label-#.wmf");
    session.app.scratchMetafilePath = scratch;
    // Both labels were saved; the symbol that could not reach the scratch file is dropped and said so.
    EXPECT_TRUE(fs::exists(dir_ / "label-1.wmf"));
    EXPECT_TRUE(fs::exists(dir_ / "label-2.wmf"));
    ASSERT_EQ(run.result.failures.size(), 1u);
    EXPECT_EQ(run.result.failures[0].line, 2);
    EXPECT_FALSE(session.app.output.lastSymbol.has_value());
    ASSERT_FALSE(session.ui.messages.empty());
    EXPECT_NE(session.ui.messages.back().text.find("Cannot write the bar code to the scratch file"), std::string::npos)
        << session.ui.messages.back().text;
}

}  // namespace
}  // namespace quillet
