// Linked into every Windows test program: the bench must be at rest when the program begins, and
// the program must leave it so. Whatever is found otherwise fails the program, by name, and is put
// back, so that one test's leftovers do not become the next test's failure.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/wine/support/bench_support.h"
#include "tests/wine/support/rest_state.h"

namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\n  - " + line;
    return text;
}

class RestCheck : public ::testing::Environment {
public:
    void SetUp() override {
        start_ = bench::ReadRestState();
        std::vector<std::string> found = bench::NotAtRest(start_);
        // A program cut short (its time ran out) put nothing back: what it changed is found against
        // the bench's state when its first program began.
        const std::optional<bench::RestState> baseline = bench::LoadBenchBaseline();
        if (baseline) {
            const std::vector<std::string> changed = bench::ChangedSince(*baseline, start_);
            found.insert(found.end(), changed.begin(), changed.end());
        }
        if (found.empty()) {
            if (!baseline) bench::SaveBenchBaseline(start_);
            return;
        }
        ADD_FAILURE() << "the bench was not at rest when this program began (an earlier program left it so):"
                      << Lines(found);
        bench::ReturnToRest(baseline ? *baseline : start_, start_);
        start_ = bench::ReadRestState();
    }

    void TearDown() override {
        // What the test ended (a helper process, a key it let go) may take a moment to show.
        bench::RestState now;
        bench::WaitFor([&] {
            now = bench::ReadRestState();
            return bench::NotAtRest(now).empty() && bench::ChangedSince(start_, now).empty();
        }, 3000);
        std::vector<std::string> found = bench::NotAtRest(now);
        const std::vector<std::string> changed = bench::ChangedSince(start_, now);
        found.insert(found.end(), changed.begin(), changed.end());
        if (found.empty()) return;
        ADD_FAILURE() << "this program left the bench changed:" << Lines(found);
        bench::ReturnToRest(start_, now);
    }

private:
    bench::RestState start_;
};

[[maybe_unused]] ::testing::Environment* const g_restCheck = ::testing::AddGlobalTestEnvironment(new RestCheck);

}  // namespace
