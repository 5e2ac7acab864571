// The planning checks on a thousand seeded draws each, the same every run.

#include "plan_checks.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using quellan::check::Draw;

struct Property {
    const char* name;
    std::string (*broken)(const Draw&);
};

TEST(PlanProperties, HoldOnSeededDraws) {
    const Property properties[] = {
        {"merge", quellan::check::mergeBroken},
        {"exclude", quellan::check::excludeBroken},
        {"split", quellan::check::splitBroken},
        {"hosts", quellan::check::hostPlanBroken},
    };
    for (const Property& property : properties) {
        for (std::uint64_t seed = 0; seed < 1000; ++seed) {
            std::mt19937_64 generator(seed);
            const std::string broken = property.broken([&generator] { return generator(); });
            ASSERT_EQ(broken, "") << property.name << ", seed " << seed;
        }
    }
}

} // namespace
