#include "calculator/mask_typing.h"

#include "addresses/address_text.h"
#include "calculator/event_steps.h"

namespace quellan {

std::optional<std::int32_t> MaskTyping::type(char key, bool fresh) {
    // The longest dotted mask is 15 characters; past that, start over.
    constexpr std::size_t kLongestEntry = 15;
    if (fresh || typed_.size() >= kLongestEntry) {
        typed_.clear();
        number_ = 0;
    }
    if (key == '.') {
        typed_.push_back(key);
        return std::nullopt;
    }
    if (key < '0' || key > '9')
        return std::nullopt;
    typed_.push_back(key);
    const std::int32_t digit = key - '0';
    number_ = number_ * 10 + digit;
    if (number_ > kSliderMaximum)
        number_ = digit;

    std::optional<std::int32_t> length;
    if (typed_.find('.') != std::string::npos)
        length = dottedMaskBits(typed_);
    else
        length = number_;
    if (length && *length >= kSliderMinimum)
        return length;
    return std::nullopt;
}

} // namespace quellan
