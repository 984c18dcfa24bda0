// Starts the baseline window and the main window alternately, many times each,
// and prints the median wall time and peak resident size of each and their
// ratio against the budget.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
    double ms;
    long rssKb;
};

Run runOnce(const char* program) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program, status);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s BASELINE FORM1 RUNS [LABEL]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[3]);
    const std::string label = argc > 4 ? argv[4] : "";
    std::vector<double> baseMs, formMs;
    std::vector<long> baseRss, formRss;
    runOnce(argv[1]);  // warm the file cache for both
    runOnce(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const Run b = runOnce(argv[1]);
        const Run f = runOnce(argv[2]);
        baseMs.push_back(b.ms);
        baseRss.push_back(b.rssKb);
        formMs.push_back(f.ms);
        formRss.push_back(f.rssKb);
    }
    const double ratio = median(formMs) / median(baseMs);
    const long extraKb = median(formRss) - median(baseRss);
    std::printf(
        "| start-up, %s, %d runs each | baseline %.1f ms, Form1 %.1f ms | ratio %.3f | <= 1.25 | "
        "%s |\n",
        label.c_str(), runs, median(baseMs), median(formMs), ratio, ratio <= 1.25 ? "ok" : "OVER");
    std::printf(
        "| peak RSS, %s | baseline %.1f MiB, Form1 %.1f MiB | +%.1f MiB | <= +10 MiB | %s |\n",
        label.c_str(), median(baseRss) / 1024.0, median(formRss) / 1024.0, extraKb / 1024.0,
        extraKb <= 10 * 1024 ? "ok" : "OVER");
    return 0;
}
