// Plans at their largest: open and save a plan of 1,048,576 IPv4 subnets and
// one of 65,536 IPv6 subnets, and split a /8 into its /24s inside a plan.
// One case a run, so that /usr/bin/time -v gives the peak memory of each:
//   quellan_plan_bench ipv4 | ipv6 | split [FOLDER]
// Times are the best of three, in milliseconds, on standard output: the wall
// clock's, and the processor time the process took (user and system), which
// other work on a shared machine does not lengthen.

#include "networks/operand_text.h"
#include "plans/plan_file.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

namespace {

using namespace quellan;
using Clock = std::chrono::steady_clock;

struct Stopwatch {
    Clock::time_point wall = Clock::now();
    std::clock_t processor = std::clock();
};

// The best wall and processor times seen, in milliseconds.
struct Best {
    double wall = 1e12;
    double processor = 1e12;
    void take(const Stopwatch& start) {
        wall = std::min(
            wall, std::chrono::duration<double, std::milli>(Clock::now() - start.wall).count());
        processor =
            std::min(processor,
                     1000.0 * static_cast<double>(std::clock() - start.processor) / CLOCKS_PER_SEC);
    }
};

// A network split to `length`, every eighth subnet labelled as people do.
Plan largePlan(std::string_view network, std::int32_t length) {
    const Block block = parseNetwork(network).block;
    const Block blocks[] = {block};
    Plan plan = newPlan(blocks, Profile::Standard).plan;
    const PlanResult split = splitSubnet(plan, block, length);
    if (!split.reason.empty()) {
        std::fprintf(stderr, "%s\n", split.reason.c_str());
        std::exit(1);
    }
    apply(plan, split.change);
    std::size_t i = 0;
    for (Subnet& subnet : plan.networks[0].subnets) {
        if (i++ % 8 != 0)
            continue;
        Labels& labels = subnet.labels.edit();
        labels.name = "Subnet " + std::to_string(i);
        labels.vlan = static_cast<std::int32_t>(1 + i % 4094);
        labels.note = "Rack " + std::to_string(i % 40);
    }
    return plan;
}

// The text written out and flushed to the disk, as a save by the window is.
std::string writeFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return path + ": cannot be written";
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                         std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    return std::fclose(file) == 0 && written ? "" : path + ": cannot be written";
}

int openAndSave(std::string_view network, std::int32_t length, const std::string& path) {
    const Plan plan = largePlan(network, length);
    const std::string text = planFileText(plan);
    if (const std::string reason = writeFile(path, text); !reason.empty()) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        return 1;
    }
    Best open;
    Best save;
    for (int round = 0; round < 3; ++round) {
        Stopwatch start;
        const PlanRead read = readPlanFile(path);
        open.take(start);
        if (!read.errors.empty() || !(read.plan == plan)) {
            std::fprintf(stderr, "the plan did not read back\n");
            return 1;
        }
        start = Stopwatch();
        const std::string reason = writeFile(path, planFileText(read.plan));
        save.take(start);
        if (!reason.empty()) {
            std::fprintf(stderr, "%s\n", reason.c_str());
            return 1;
        }
    }
    std::printf("%zu subnets of %s, %zu bytes: open %.0f ms (processor %.0f ms), save %.0f ms "
                "(processor %.0f ms)\n",
                plan.subnetCount(), std::string(network).c_str(), text.size(), open.wall,
                open.processor, save.wall, save.processor);
    return 0;
}

int splitEight() {
    Best best;
    std::size_t count = 0;
    for (int round = 0; round < 3; ++round) {
        const Block block = parseNetwork("10.0.0.0/8").block;
        const Block blocks[] = {block};
        Plan plan = newPlan(blocks, Profile::Standard).plan;
        const Stopwatch start;
        const PlanResult split = splitSubnet(plan, block, 24);
        apply(plan, split.change);
        best.take(start);
        count = plan.subnetCount();
    }
    std::printf("10.0.0.0/8 split into %zu /24s in a plan: %.1f ms (processor %.1f ms)\n", count,
                best.wall, best.processor);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string_view which = argc > 1 ? argv[1] : "";
    const std::string folder = argc > 2 ? argv[2] : "/tmp";
    if (which == "ipv4")
        return openAndSave("10.0.0.0/8", 28, folder + "/bench-ipv4.qplan");
    if (which == "ipv6")
        return openAndSave("2001:db8::/32", 48, folder + "/bench-ipv6.qplan");
    if (which == "split")
        return splitEight();
    std::fprintf(stderr, "usage: quellan_plan_bench ipv4 | ipv6 | split [FOLDER]\n");
    return 2;
}
