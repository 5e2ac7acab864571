#pragma once

// Answers the boxes, file dialogs and the planner's own dialogs that a
// window opens, from inside their event loops, which a test cannot reach
// from its own code until they have closed.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace quellan::test {

// From the moment it is made until it goes, each modal window that opens is
// answered as its fields say, and what each box said is kept.
class ModalAnswers {
public:
    ModalAnswers() {
        // Polled: a modal window's own event loop runs the timer, while
        // nothing tells the test the window has opened.
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { answer(); });
        timer_.start(10);
    }

    // The button pressed in the next boxes: one by object name, else a
    // standard one, else the one Escape would press.
    QMessageBox::StandardButton standard = QMessageBox::NoButton;
    QString named;
    // The file a file dialog takes; none cancels it.
    QString file;
    // What the planner's own dialogs are filled with, by object name: the
    // text of a box, or the entry chosen in a list. "cancel" for `named`
    // cancels them; a dialog that stays open after OK, refusing what it
    // was given, is cancelled with its reason said.
    QMap<QString, QString> fields;
    // "NAME: TEXT", with the informative text after a blank where there is one.
    QStringList said;
    // The folder each file dialog opened in.
    QStringList startedIn;

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            press(*box);
        else if (auto* files = qobject_cast<QFileDialog*>(modal))
            choose(*files);
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            fill(*dialog);
    }

    void press(QMessageBox& box) {
        QString text = box.objectName() + ": " + box.text();
        if (!box.informativeText().isEmpty())
            text += ' ' + box.informativeText();
        said << text;
        QAbstractButton* button =
            named.isEmpty() ? nullptr : box.findChild<QAbstractButton*>(named);
        for (const QMessageBox::StandardButton which :
             {standard, QMessageBox::Cancel, QMessageBox::Ok})
            if (button == nullptr && which != QMessageBox::NoButton)
                button = box.button(which);
        button->click();
    }

    void choose(QFileDialog& files) {
        startedIn << files.directory().absolutePath();
        if (file.isEmpty()) {
            files.reject();
            return;
        }
        // selectFile() leaves the name box alone while it has the keyboard,
        // as it has once the dialog is active.
        if (QWidget* focus = files.focusWidget())
            focus->clearFocus();
        files.selectFile(file);
        // QFileDialog's own accept(), which takes the file, is public only
        // as QDialog's.
        static_cast<QDialog&>(files).accept();
    }

    void fill(QDialog& dialog) {
        auto* reason = dialog.findChild<QLabel*>("planDialogReason");
        if (&dialog == answered_) {
            said << dialog.objectName() + ": " + (reason ? reason->text() : QString());
            dialog.reject();
            return;
        }
        answered_ = &dialog;
        const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
        if (!labels.isEmpty() && labels.front()->objectName() == "planJoinIntro")
            said << dialog.objectName() + ": " + labels.front()->text();
        if (named == "cancel") {
            dialog.reject();
            return;
        }
        for (auto field = fields.cbegin(); field != fields.cend(); ++field) {
            if (auto* line = dialog.findChild<QLineEdit*>(field.key())) {
                // Typed, as some boxes answer each keystroke.
                line->selectAll();
                QTest::keyClicks(line, field.value());
            } else if (auto* lines = dialog.findChild<QPlainTextEdit*>(field.key()))
                lines->setPlainText(field.value());
            for (QComboBox* list : dialog.findChildren<QComboBox*>()) {
                if (!list->objectName().startsWith(field.key()))
                    continue;
                if (list->isEditable())
                    list->setEditText(field.value());
                else
                    list->setCurrentIndex(field.value().toInt());
            }
        }
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    QPointer<QDialog> answered_;
    QTimer timer_;
};

} // namespace quellan::test
