#include "calculator/recalculation.h"

namespace quellan {

ConversionError::ConversionError(std::string octetText)
    : std::runtime_error(octetText + std::string(kNotValidSuffix))
    , text_(std::move(octetText)) {}

void Dumbo(WindowState& state) {
    // Each stage reads back the fields the one before it wrote, so the order
    // is fixed: the slider the first stage may move decides the mask.
    renderHostAddress(state);
    renderMask(state);
    renderNetworkRange(state);
}

} // namespace quellan
