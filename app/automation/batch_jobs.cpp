#include "app/automation/batch_jobs.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/model/app_state.h"
#include "app/render/publish_symbol.h"
#include "platform/paths.h"

namespace quillet {

namespace {

// A worker's standard error and its result, in files without names so that
// nothing is left behind and no other process can guess them.
struct Worker {
    LabelRange range;
    pid_t pid = -1;
    FILE* err = nullptr;
    FILE* result = nullptr;
};

std::string fileText(FILE* f) {
    std::string text;
    if (!f) return text;
    std::fflush(f);
    const int fd = fileno(f);
    lseek(fd, 0, SEEK_SET);
    char buffer[8192];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    return text;
}

BatchFailure notBuilt(const LabelRange& range, const std::string& why) {
    return {range.first, "labels " + std::to_string(range.first) + " to " + std::to_string(range.last) +
                             " were not built: " + why};
}

void writeAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += size_t(n);
    }
}

// "built\n", then per failure "line length\n" and the reason's bytes.
std::string encodeResult(const BatchResult& r) {
    std::string text = std::to_string(r.built) + "\n";
    for (const BatchFailure& f : r.failures)
        text += std::to_string(f.line) + " " + std::to_string(f.reason.size()) + "\n" + f.reason;
    return text;
}

bool decodeResult(const std::string& text, BatchResult& r) {
    size_t at = 0;
    const auto number = [&](char end, long& value) {
        const size_t stop = text.find(end, at);
        if (stop == std::string::npos) return false;
        value = std::stol(text.substr(at, stop - at));
        at = stop + 1;
        return true;
    };
    long built = 0;
    if (!number('\n', built)) return false;
    r.built += built;
    while (at < text.size()) {
        long line = 0, length = 0;
        if (!number(' ', line) || !number('\n', length) || at + size_t(length) > text.size()) return false;
        r.failures.push_back({line, text.substr(at, size_t(length))});
        at += size_t(length);
    }
    return true;
}

[[noreturn]] void runWorker(AppState& app, const Worker& w, const std::function<BatchResult(const LabelRange&)>& build) {
    dup2(fileno(w.err), STDERR_FILENO);
    // The worker's scratch file is removed unread: its symbols never go there.
    app.scratchMetafilePath = platform::chooseScratchMetafilePath();
    app.scratchDeferred = true;
    const BatchResult r = build(w.range);
    std::fflush(stdout);
    std::fflush(stderr);
    writeAll(fileno(w.result), encodeResult(r));
    std::remove(app.scratchMetafilePath.c_str());
    // Nothing of the parent's (its scratch file, its stored settings) is this process's to finish.
    _exit(0);
}

// Collects a worker into `total`, its messages written out first.
void collect(Worker& w, BatchResult& total) {
    int status = 0;
    const bool ended = waitpid(w.pid, &status, 0) == w.pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    writeAll(STDERR_FILENO, fileText(w.err));
    BatchResult r;
    bool decoded = false;
    try {
        decoded = ended && decodeResult(fileText(w.result), r);
    } catch (const std::exception&) {
    }
    if (!decoded) {
        r = {};
        r.failures.push_back(notBuilt(w.range, "their worker stopped"));
    }
    total.built += r.built;
    total.failures.insert(total.failures.end(), r.failures.begin(), r.failures.end());
}

void closeFiles(Worker& w) {
    if (w.err) std::fclose(w.err);
    if (w.result) std::fclose(w.result);
    w.err = w.result = nullptr;
}

}  // namespace

std::vector<LabelRange> splitLabels(long total, int jobs) {
    if (total <= 0 || jobs <= 1) return {LabelRange{}};
    const long n = std::min<long>(jobs, total);
    std::vector<LabelRange> ranges;
    long first = 1;
    for (long k = 0; k < n; ++k) {
        const long size = total / n + (k < total % n ? 1 : 0);
        ranges.push_back({first, first + size - 1});
        first += size;
    }
    return ranges;
}

BatchResult runBatchJobs(AppState& app, long total, int jobs,
                         const std::function<BatchResult(const LabelRange&)>& buildLabels) {
    // Labels are saved from the built symbol; only the last one built here
    // goes to this process's scratch file.
    const auto build = [&](const LabelRange& range) {
        app.scratchDeferred = true;
        BatchResult r = buildLabels(range);
        if (!finishDeferredScratch(app))
            r.failures.push_back({r.lastBuilt, "its symbol could not be written to the scratch file"});
        return r;
    };
    const std::vector<LabelRange> ranges = splitLabels(total, jobs);
    if (ranges.size() == 1) return build(ranges[0]);

    std::vector<Worker> workers;
    BatchResult result;
    std::fflush(stdout);
    std::fflush(stderr);
    for (size_t k = 0; k + 1 < ranges.size(); ++k) {
        Worker w{ranges[k]};
        w.err = std::tmpfile();
        w.result = std::tmpfile();
        if (w.err && w.result) w.pid = fork();
        if (w.pid == 0) runWorker(app, w, buildLabels);
        workers.push_back(w);
    }
    // Nothing started: the batch runs here as it would without workers.
    if (std::all_of(workers.begin(), workers.end(), [](const Worker& w) { return w.pid < 0; })) {
        for (Worker& w : workers) closeFiles(w);
        return build(LabelRange{});
    }

    Worker self{ranges.back()};
    self.err = std::tmpfile();
    const int saved = self.err ? dup(STDERR_FILENO) : -1;
    if (saved >= 0) dup2(fileno(self.err), STDERR_FILENO);
    const BatchResult own = build(self.range);
    std::fflush(stderr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }

    for (Worker& w : workers) {
        if (w.pid > 0) {
            collect(w, result);
        } else {
            result.failures.push_back(notBuilt(w.range, "no worker process could start"));
        }
        closeFiles(w);
    }
    if (saved >= 0) writeAll(STDERR_FILENO, fileText(self.err));
    closeFiles(self);
    result.built += own.built;
    result.failures.insert(result.failures.end(), own.failures.begin(), own.failures.end());
    return result;
}

}  // namespace quillet
