#pragma once

// The plain record of everything the window shows and keeps. The calculation
// reads and writes only this record; the window copies it to and from its
// controls. Every member that mirrors a control carries that control's name.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quellan {

inline constexpr std::string_view kStartupHint = "Enter an IP address above.";
inline constexpr std::string_view kZeroBinaryText = "00000000.00000000.00000000.00000000";

struct WindowState {
    // txtOct1 .. txtOct4: the digits typed, "" when a box holds none.
    std::array<std::string, 4> octets;

    // Slider1
    std::int32_t sliderValue = 1;
    bool sliderEnabled = true;
    std::string sliderToolTip;

    // StatusBar1
    std::string statusText{kStartupHint};

    // Host information
    std::string lbl32Decimal;
    std::string lblBinIPAddr{kZeroBinaryText};
    std::string lblHexIPAddr = "00.00.00.00";

    // Network mask information
    std::string lblClass;
    std::string lblBits = "0";
    std::string lblClassfull;
    std::string lblNetMask;
    std::string lblHexMask = "00.00.00.00";
    std::string lblBinMask{kZeroBinaryText};

    // Network information
    std::string lblHosts = "255.255.255.255 - 255.255.255.255";
    std::string lblNetNumber;
    std::string lblBroadcast;
    std::string lblMaxHosts = "0";
    std::string lblMaxNets = "0";

    // The octets changed since the slider was last put on a classful default.
    bool bChange = false;
    // Classful default length of the last class A, B or C address seen after
    // an octet change; what "Set default mask" restores.
    std::int16_t intMaskBits = 0;

    bool operator==(const WindowState&) const = default;
};

// The value labels by control name, in the order the window shows them, with
// the caption that names each one (the window's caption label reads it
// followed by " :") and the key it has in the JSON results. A `number` field
// goes into JSON as a number rather than as a string.
struct DisplayField {
    std::string_view name;
    std::string WindowState::*text;
    std::string_view caption;
    std::string_view key;
    bool number = false;
};

inline constexpr std::array<DisplayField, 14> kDisplayFields{{
    {"lbl32Decimal", &WindowState::lbl32Decimal, "Decimal IP address", "decimal", true},
    {"lblBinIPAddr", &WindowState::lblBinIPAddr, "Binary IP address", "binary"},
    {"lblHexIPAddr", &WindowState::lblHexIPAddr, "Hexadecimal IP address", "hex"},
    {"lblClass", &WindowState::lblClass, "Address Class", "class"},
    {"lblBits", &WindowState::lblBits, "Number of bits in mask", "maskBits", true},
    {"lblClassfull", &WindowState::lblClassfull, "Classfull Network Mask", "classfulMask"},
    {"lblNetMask", &WindowState::lblNetMask, "Classless Network Mask", "mask"},
    {"lblHexMask", &WindowState::lblHexMask, "Hex Network Mask", "hexMask"},
    {"lblBinMask", &WindowState::lblBinMask, "Binary Network mask", "binaryMask"},
    {"lblHosts", &WindowState::lblHosts, "Usable address range", "range"},
    {"lblNetNumber", &WindowState::lblNetNumber, "Network Address", "network"},
    {"lblBroadcast", &WindowState::lblBroadcast, "Broadcast Address", "broadcast"},
    {"lblMaxHosts", &WindowState::lblMaxHosts, "Max hosts", "maxHosts", true},
    {"lblMaxNets", &WindowState::lblMaxNets, "Max nets", "maxNets", true},
}};

} // namespace quellan
