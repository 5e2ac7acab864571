#pragma once

// The main window.
//
// Data flows one way. The window keeps a quellan::WindowState, the plain record
// of everything it shows, and owns the widgets, but computes nothing:
//
//   user event ──► handler below ──► reads the control that changed into the
//                                    record and calls its step (event_steps.h),
//                                    which runs Dumbo and RangeCheck on the record
//   widgets ◄───── showState() writes the whole record back to the controls
//
// - The controls are built from one table (layout_table.cpp) by
//   createControls(), each named after its row, and are found here by name.
// - Octet boxes: textChanged counts only when the text really changed; a
//   masked QLineEdit also signals a keystroke it refused, and octetChanged()
//   says which was which. Focus loss runs the range check; a refused box gets
//   the focus back once, later, from the event loop.
// - A whole address pasted or dropped into any box goes through
//   addressEntered(), the steps a user's hands would take; "." and "/" move
//   through an address as it is typed (handleSeparator()).
// - Slider: only the user's moves reach handleSliderMoved(); showState()
//   blocks the slider's signals while it writes the record's position.
//   Digits typed on it set the mask length (mask_typing.h).
// - Button: "Set default mask" (Alt+S) puts the class default back.
// - Value labels (value_label.h) read as their value to a screen reader, with
//   their caption as description; copy_actions.h copies them, and only reads.
// - The subnet list (subnet_window.h), opened by Ctrl+L or from a value
//   label's menu, follows the record through stateShown().
// - A planner (planner_window.h), opened by Ctrl+P or from a value label's
//   menu, starts a new plan of the record's network and owns it from then on.
// - The steps catch calculation failures themselves and put the reason into
//   the status text, so nothing here throws into Qt's event loop.

#include "calculator/mask_typing.h"
#include "calculator/window_state.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <cstddef>

class QLabel;
class QPushButton;
class QSlider;
class QStatusBar;

namespace quellan {

class OctetBox;
class SubnetWindow;
class ValueLabel;

class Quellan : public QWidget {
    Q_OBJECT

public:
    explicit Quellan(QWidget* parent = nullptr);
    ~Quellan() override;

signals:
    // showState() has written the record to the widgets.
    void stateShown();

protected:
    // Each open plan is asked first: one whose changes are not settled
    // keeps the window, and the program, open.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void handleTextChanged(std::size_t box);
    void handleFocusLost(std::size_t box, Qt::FocusReason reason);
    void handleSeparator(std::size_t box, QChar separator);
    bool takeAddress(const QString& text);
    void focusRefusedBox(std::size_t box);
    bool typeOnSlider(const QKeyEvent& key);
    void handleSliderMoved(int position);
    void handleDefaultMask();
    void showState();
    void showSlider();
    void addSubnetsAction();
    void openSubnets();
    void addPlanAction();
    void openPlanner();
    void centreOnScreen();

    WindowState state_;

    std::array<OctetBox*, 4> octetBoxes_{};
    std::array<ValueLabel*, kDisplayFields.size()> valueLabels_{};
    QSlider* slider_ = nullptr;
    QPushButton* defaultMaskButton_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusText_ = nullptr;
    int statusBarHeight_ = 0;
    // Made when first opened.
    SubnetWindow* subnetWindow_ = nullptr;

    // Set from a refusal until the focus is back in the refused box, so the
    // box that briefly had the focus in between is not checked as well.
    bool focusReturning_ = false;

    MaskTyping maskTyping_;
    // Since the last key typed on the slider; a pause begins a new length.
    QElapsedTimer sinceSliderKey_;
    bool sliderTypingFresh_ = true;
};

} // namespace quellan
