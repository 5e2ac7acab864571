#pragma once

// The planner's questions, each a small modal dialog that the keyboard
// fills and Enter or Escape closes. A dialog whose text is checked stays
// open with the reason under the text until it is right or cancelled, so
// that nothing typed is lost to a refusal.

#include "plans/plan.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace quellan {

struct TextQuestion {
    QString title;
    // Above the text box; "&" marks its key.
    QString prompt;
    // The text box's object name.
    QString name;
    QString text;
    bool lines = false;
};

// The text once `check` finds no reason against it; nothing when cancelled.
std::optional<QString> askText(QWidget* parent, const TextQuestion& question,
                               const std::function<QString(const QString&)>& check);

// The length to split `subnet` at, from a length or a count of subnets;
// nothing when cancelled.
std::optional<std::int32_t> askSplitLength(QWidget* parent, const Block& subnet);

// The labels a join keeps, chosen label by label where `lower` and `upper`
// (the labels keeping either side would give, each with the block of that
// side's end) differ, under `why`; nothing when cancelled.
std::optional<Labels> askJoinLabels(QWidget* parent, const Subnet& lower, const Subnet& upper,
                                    const QString& why);

// The labels for the selected subnets, starting from `shown`: the fields
// changed, and what they were changed to.
struct LabelEdit {
    Labels labels;
    bool name = false, vlan = false, hosts = false, note = false, color = false;
};
std::optional<LabelEdit> askLabels(QWidget* parent, const Labels& shown, int subnets);

} // namespace quellan
