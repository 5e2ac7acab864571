#include "layout_table.h"

#include "calculator/window_state.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quellan {

namespace {

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;

using enum ControlKind;

// A value label is named after its field in the record's table, so renaming
// a field there renames its control, and naming a member that is not a
// display field stops the build.
constexpr std::string_view field(std::string WindowState::*text) {
    for (const DisplayField& entry : kDisplayFields)
        if (entry.text == text)
            return entry.name;
    throw std::logic_error("not a display field");
}

constexpr auto kLayout = std::to_array<ControlRow>({
    // On the window itself.
    {"Label1", Caption, nullptr, 120, 120, 1935, 255, "Enter the IP address here :", kRight},
    {"txtOct1", OctetBox, nullptr, 2160, 120, 375, 255, "", kLeft, "IP address, octet 1"},
    {"Label9", Caption, nullptr, 2520, 120, 135, 255, ".", kCentre},
    {"txtOct2", OctetBox, nullptr, 2640, 120, 375, 255, "", kLeft, "IP address, octet 2"},
    {"Label10", Caption, nullptr, 3000, 120, 135, 255, ".", kCentre},
    {"txtOct3", OctetBox, nullptr, 3120, 120, 375, 255, "", kLeft, "IP address, octet 3"},
    {"Label11", Caption, nullptr, 3480, 120, 135, 255, ".", kCentre},
    {"txtOct4", OctetBox, nullptr, 3600, 120, 375, 255, "", kLeft, "IP address, octet 4"},
    {"Label14", Caption, nullptr, 120, 480, 5055, 255,
     "Drag the slider below to change the Network mask :", kLeft},
    {"Slider1", Slider, nullptr, 0, 720, 5295, 510, "", {}, "Network mask length"},
    {"Frame4", Frame, nullptr, 0, 1200, 5415, 1335, "Host Information", {}},
    {"Frame3", Frame, nullptr, 0, 2640, 5415, 2055, "Network Mask Information", {}},
    {"Frame1", Frame, nullptr, 0, 4800, 5415, 1695, "Network Information", {}},
    {"StatusBar1", StatusBar, nullptr, 0, 6510, 5415, 255, "", {}},

    // Host Information
    {"Label8", Caption, "Frame4", 120, 240, 1815, 255, "Decimal IP address :", kRight},
    {field(&WindowState::lbl32Decimal), ValueLabel, "Frame4", 2040, 240, 1695, 255, "", kCentre},
    {"Label5", Caption, "Frame4", 600, 600, 1335, 255, "Binary IP address :", kRight},
    {field(&WindowState::lblBinIPAddr), ValueLabel, "Frame4", 2040, 600, 3255, 255, "", kCentre},
    {"Label20", Caption, "Frame4", 120, 960, 1815, 255, "Hexadecimal IP address :", kRight},
    {field(&WindowState::lblHexIPAddr), ValueLabel, "Frame4", 2040, 960, 1695, 255, "", kCentre},

    // Network Mask Information
    {"Label7", Caption, "Frame3", 720, 240, 1215, 255, "Address Class :", kRight},
    {field(&WindowState::lblClass), ValueLabel, "Frame3", 2040, 240, 375, 255, "", kCentre},
    {"Label16", Caption, "Frame3", 3000, 240, 1815, 255, "Number of bits in mask :", kRight},
    {field(&WindowState::lblBits), ValueLabel, "Frame3", 4920, 240, 375, 255, "", kCentre},
    {"Label15", Caption, "Frame3", 120, 600, 1815, 255, "Classfull Network Mask :", kRight},
    {field(&WindowState::lblClassfull), ValueLabel, "Frame3", 2040, 600, 1695, 255, "", kCentre},
    {"Command1", Button, "Frame3", 3840, 600, 1455, 255, "&Set default mask", {}},
    {"Label6", Caption, "Frame3", 120, 960, 1815, 255, "Classless Network Mask :", kRight},
    {field(&WindowState::lblNetMask), ValueLabel, "Frame3", 2040, 960, 1695, 255, "", kCentre},
    {"Label2", Caption, "Frame3", 120, 1320, 1815, 255, "Hex Network Mask :", kRight},
    {field(&WindowState::lblHexMask), ValueLabel, "Frame3", 2040, 1320, 1695, 255, "", kCentre},
    {"Label13", Caption, "Frame3", 240, 1680, 1695, 255, "Binary Network mask :", kRight},
    {field(&WindowState::lblBinMask), ValueLabel, "Frame3", 2040, 1680, 3255, 255, "", kCentre},

    // Network Information
    {"Label17", Caption, "Frame1", 120, 240, 1815, 255, "Usable address range :", kRight},
    {field(&WindowState::lblHosts), ValueLabel, "Frame1", 2040, 240, 3255, 255, "", kCentre},
    {"Label12", Caption, "Frame1", 600, 600, 1335, 255, "Network Address :", kRight},
    {field(&WindowState::lblNetNumber), ValueLabel, "Frame1", 2040, 600, 1695, 255, "", kCentre},
    {"Label18", Caption, "Frame1", 240, 960, 1695, 255, "Broadcast Address :", kRight},
    {field(&WindowState::lblBroadcast), ValueLabel, "Frame1", 2040, 960, 1695, 255, "", kCentre},
    {"Label3", Caption, "Frame1", 480, 1320, 1095, 255, "Max hosts :", kRight},
    {field(&WindowState::lblMaxHosts), ValueLabel, "Frame1", 1680, 1320, 1335, 255, "", kCentre},
    {"Label4", Caption, "Frame1", 3120, 1320, 735, 255, "Max nets :", kRight},
    {field(&WindowState::lblMaxNets), ValueLabel, "Frame1", 3960, 1320, 1335, 255, "", kCentre},
});

// Every display field has its value label, and they come in the record's
// order, which is the order the window shows them in.
constexpr bool valueLabelsMatchDisplayFields() {
    std::size_t next = 0;
    for (const ControlRow& row : kLayout) {
        if (row.kind != ValueLabel)
            continue;
        if (next == kDisplayFields.size() || row.name != kDisplayFields[next].name)
            return false;
        ++next;
    }
    return next == kDisplayFields.size();
}
static_assert(valueLabelsMatchDisplayFields(),
              "one value label per display field, in the order of kDisplayFields");

std::string_view containerName(const ControlRow& row) {
    return row.container != nullptr ? row.container : "";
}

} // namespace

std::span<const ControlRow> layoutTable() {
    return kLayout;
}

const ControlRow& captionOf(const ControlRow& valueLabel) {
    for (const ControlRow& row : kLayout)
        if (row.kind == ControlKind::Caption && containerName(row) == containerName(valueLabel) &&
            row.top == valueLabel.top && row.left + row.width + kCaptionGapTwips == valueLabel.left)
            return row;
    throw std::logic_error("no caption to the left of " + std::string(valueLabel.name));
}

QRect pixelRect(const ControlRow& row) {
    return {twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
            twipsToPixels(row.height)};
}

} // namespace quellan
