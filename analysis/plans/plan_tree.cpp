#include "plans/plan_tree.h"

namespace quellan {

namespace {

bool sameBlock(const Block& a, const Block* b, std::int32_t length) {
    // Neighbours tile the network, so a neighbour starting in the block
    // lies inside it.
    return b != nullptr && blockAround(a.family, a.first, length).first ==
                               blockAround(b->family, b->first, length).first;
}

} // namespace

TreeBar treeBar(const Block& subnet, const Block* before, const Block* after, std::int32_t length) {
    return {!sameBlock(subnet, before, length), !sameBlock(subnet, after, length)};
}

} // namespace quellan
