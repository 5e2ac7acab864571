#pragma once

// The subnet list: a window of its own beside the main window, listing the
// subnets of the address's classful network at the slider's length
// (subnet_list.h). It only reads the main window's record: the main window
// calls follow() each time it has shown the record, and the list refills
// there and then while it is open. Its size and place are kept between runs.

#include <QWidget>

class QLabel;
class QPushButton;

namespace quellan {

class SubnetTable;
struct WindowState;

class SubnetWindow : public QWidget {
    Q_OBJECT

public:
    // `state` is the main window's record, and `mainWindow` outlives this.
    SubnetWindow(const WindowState& state, QWidget* mainWindow);
    ~SubnetWindow() override;

    // Shows the window, filled, or raises it where it is already open.
    void open();
    // The record changed; a hidden list waits for open().
    void follow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fill();
    void copySelection();
    void exportCsv();
    void placeFirstTime();
    void rememberGeometry() const;

    const WindowState& state_;
    QLabel* note_ = nullptr;
    SubnetTable* table_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    bool placed_ = false;
};

} // namespace quellan
