#pragma once

// The window's controls as data: one row per control, read once by
// createControls(). Positions and sizes are in twips, 1/1440 of an inch.
// Keeping the layout here rather than in forty hand-written blocks makes it
// checkable row by row, as the layout test does.

#include <QRect>
#include <QtGlobal>

#include <span>
#include <string_view>

namespace quellan {

enum class ControlKind {
    Caption,    // QLabel, no border
    ValueLabel, // QLabel, thin sunken border, centred; its text comes from the record
    OctetBox,   // OctetBox
    Slider,     // QSlider
    Frame,      // QGroupBox
    Button,     // QPushButton
    StatusBar,  // QStatusBar; its text comes from the record
};

struct ControlRow {
    // objectName; a value label's is its field's name in kDisplayFields.
    std::string_view name;
    ControlKind kind;
    // objectName of the frame that holds the control; nullptr for the window.
    const char* container;
    int left;
    int top;
    int width;
    int height;
    const char* text;
    Qt::Alignment alignment;
    // What a screen reader says for a control whose own text does not name it;
    // nullptr where the text does (captions, frames, the button) or where the
    // text is the value (value labels, the status bar).
    const char* accessibleName = nullptr;
};

inline constexpr int kClientWidthTwips = 5415;
inline constexpr int kClientHeightTwips = 6765;

// Frames come before the controls they hold, so a loop can create them in order.
std::span<const ControlRow> layoutTable();

// The caption that names a value label: the caption row on the same line of
// the same container that ends kCaptionGapTwips left of it.
inline constexpr int kCaptionGapTwips = 105;
const ControlRow& captionOf(const ControlRow& valueLabel);

// At 96 dpi, the resolution of Qt's device-independent pixels, 15 twips make
// a pixel; rounded to the nearest. Qt's high-DPI scaling maps those pixels to
// the screen's.
constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

QRect pixelRect(const ControlRow& row);

} // namespace quellan
