#pragma once

#include <QLabel>

namespace quellan {

// A result field: a bordered label showing one value of the record, which
// knows the caption that names it.
//
// Assistive technology reads the value as the label's name (Qt gives a label
// no text interface, so the name is the only place it can be read) and the
// caption as its description. An empty value reads as an empty name, where
// Qt would otherwise substitute the title of the frame around it.
class ValueLabel : public QLabel {
    Q_OBJECT

public:
    ValueLabel(const QString& caption, QWidget* parent);

    const QString& caption() const { return caption_; }
    // The value without the blank that pads some fields (" 24" in the bits field).
    QString value() const { return text().trimmed(); }

private:
    QString caption_;
};

} // namespace quellan
