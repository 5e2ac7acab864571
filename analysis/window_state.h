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

// The value labels by control name, in the order the window shows them.
struct DisplayField {
    std::string_view name;
    std::string WindowState::*text;
};

inline constexpr std::array<DisplayField, 14> kDisplayFields{{
    {"lbl32Decimal", &WindowState::lbl32Decimal},
    {"lblBinIPAddr", &WindowState::lblBinIPAddr},
    {"lblHexIPAddr", &WindowState::lblHexIPAddr},
    {"lblClass", &WindowState::lblClass},
    {"lblBits", &WindowState::lblBits},
    {"lblClassfull", &WindowState::lblClassfull},
    {"lblNetMask", &WindowState::lblNetMask},
    {"lblHexMask", &WindowState::lblHexMask},
    {"lblBinMask", &WindowState::lblBinMask},
    {"lblHosts", &WindowState::lblHosts},
    {"lblNetNumber", &WindowState::lblNetNumber},
    {"lblBroadcast", &WindowState::lblBroadcast},
    {"lblMaxHosts", &WindowState::lblMaxHosts},
    {"lblMaxNets", &WindowState::lblMaxNets},
}};

} // namespace quellan
