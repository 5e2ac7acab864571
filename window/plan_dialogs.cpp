#include "plan_dialogs.h"

#include "plan_model.h"

#include "networks/block_text.h"
#include "networks/host_plan.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace quellan {

namespace {

QString cidrOf(const Block& block) {
    return QString::fromStdString(cidrText(block));
}

QString decimal(Uint128 value) {
    std::string text;
    appendDecimal128(text, value);
    return QString::fromStdString(text);
}

// OK and Cancel under the rest; `accept` decides whether OK closes.
QDialogButtonBox* addButtons(QDialog& dialog, QVBoxLayout& layout,
                             const std::function<void()>& accept) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout.addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

// Where a refusal is read, and heard: a label a screen reader finds by
// its role, announced as its name changes.
QLabel* addReason(QDialog& dialog, QVBoxLayout& layout) {
    auto* reason = new QLabel(&dialog);
    reason->setObjectName(QStringLiteral("planDialogReason"));
    reason->setWordWrap(true);
    reason->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    layout.addWidget(reason);
    return reason;
}

void showReason(QLabel& label, const QString& reason) {
    label.setText(reason);
    label.setAccessibleName(reason);
}

} // namespace

std::optional<QString> askText(QWidget* parent, const TextQuestion& question,
                               const std::function<QString(const QString&)>& check) {
    QDialog dialog(parent);
    dialog.setObjectName(question.name + QStringLiteral("Dialog"));
    dialog.setWindowTitle(question.title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* prompt = new QLabel(question.prompt, &dialog);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    std::function<QString()> text;
    QWidget* box = nullptr;
    if (question.lines) {
        auto* edit = new QPlainTextEdit(question.text, &dialog);
        // Tab moves on to the buttons, as everywhere else in a dialog.
        edit->setTabChangesFocus(true);
        text = [edit] { return edit->toPlainText(); };
        box = edit;
    } else {
        auto* edit = new QLineEdit(question.text, &dialog);
        edit->selectAll();
        text = [edit] { return edit->text(); };
        box = edit;
    }
    box->setObjectName(question.name);
    box->setAccessibleName(QString(question.prompt).remove(u'&'));
    prompt->setBuddy(box);
    layout->addWidget(box);
    QLabel* reason = addReason(dialog, *layout);
    addButtons(dialog, *layout, [&] {
        const QString refusal = check(text());
        showReason(*reason, refusal);
        if (refusal.isEmpty())
            dialog.accept();
        else
            box->setFocus();
    });
    // In a box of lines Enter starts a line; Ctrl+Enter is done.
    auto* done = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), &dialog);
    QObject::connect(done, &QShortcut::activated, &dialog, [&dialog] {
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            buttons->button(QDialogButtonBox::Ok)->click();
    });
    box->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return text();
}

std::optional<std::int32_t> askSplitLength(QWidget* parent, const Block& subnet) {
    const std::int32_t bits = familyBits(subnet.family);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("planSplitToDialog"));
    dialog.setWindowTitle(QStringLiteral("Split %1").arg(cidrOf(subnet)));
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    auto* length = new QComboBox(&dialog);
    length->setObjectName(QStringLiteral("planSplitLength"));
    length->setEditable(true);
    // IPv6 plans keep to nibbles, where reverse zones and addresses read
    // cleanly; those come first, every other length after them.
    std::vector<std::int32_t> offered;
    for (std::int32_t next = subnet.length + 1; next <= bits; ++next)
        if (subnet.family == Family::IPv6 && next % 4 == 0)
            offered.push_back(next);
    for (std::int32_t next = subnet.length + 1; next <= bits; ++next)
        if (subnet.family != Family::IPv6 || next % 4 != 0)
            offered.push_back(next);
    for (const std::int32_t next : offered)
        length->addItem(QStringLiteral("/%1").arg(next));
    form->addRow(QStringLiteral("Subnet &length:"), length);
    auto* count = new QLineEdit(&dialog);
    count->setObjectName(QStringLiteral("planSplitCount"));
    form->addRow(QStringLiteral("Or &number of subnets:"), count);
    auto* rows = new QLabel(&dialog);
    rows->setObjectName(QStringLiteral("planSplitRows"));
    layout->addWidget(rows);
    QLabel* reason = addReason(dialog, *layout);

    // The length the fields say, or the reason they say none.
    const auto chosen = [&]() -> std::pair<std::int32_t, QString> {
        QString text = length->currentText().trimmed();
        if (text.startsWith(u'/'))
            text.remove(0, 1);
        bool number = false;
        const int value = text.toInt(&number);
        if (!number || value <= subnet.length || value > bits)
            return {0, QStringLiteral("The length is a number from %1 to %2.")
                           .arg(subnet.length + 1)
                           .arg(bits)};
        return {value, QString()};
    };
    const auto update = [&] {
        const auto [value, refusal] = chosen();
        const QString text = refusal.isEmpty()
                                 ? QStringLiteral("Makes %1 subnets of /%2.")
                                       .arg(decimal(Uint128{1} << (value - subnet.length)))
                                       .arg(value)
                                 : refusal;
        rows->setText(text);
        rows->setAccessibleName(text);
    };
    QObject::connect(length, &QComboBox::currentTextChanged, &dialog, update);
    QObject::connect(count, &QLineEdit::textEdited, &dialog, [&](const QString& text) {
        const HostCount wanted = readHostCount(text.toStdString());
        if (!wanted.reason.empty()) {
            showReason(*reason, QString::fromStdString(wanted.reason));
            return;
        }
        showReason(*reason, {});
        // Rounded up to a power of two.
        const std::int32_t more = std::max(1, bitWidth(wanted.count - 1));
        length->setEditText(QStringLiteral("/%1").arg(std::min(subnet.length + more, bits + 1)));
    });
    update();
    std::int32_t result = 0;
    addButtons(dialog, *layout, [&] {
        const auto [value, refusal] = chosen();
        showReason(*reason, refusal);
        if (!refusal.isEmpty())
            return;
        const Uint128 made = Uint128{1} << (value - subnet.length);
        if (made > 4096 &&
            QMessageBox::question(
                &dialog, dialog.windowTitle(),
                QStringLiteral("Split %1 into %2 subnets?").arg(cidrOf(subnet), decimal(made))) !=
                QMessageBox::Yes)
            return;
        result = value;
        dialog.accept();
    });
    length->setFocus();
    length->lineEdit()->selectAll();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return result;
}

std::optional<Labels> askJoinLabels(QWidget* parent, const Subnet& lower, const Subnet& upper,
                                    const QString& why) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("planJoinAsk"));
    dialog.setWindowTitle(QStringLiteral("Join with Sibling"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* intro = new QLabel(why, &dialog);
    intro->setObjectName(QStringLiteral("planJoinIntro"));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const Labels& a = lower.labels;
    const Labels& b = upper.labels;
    const auto count = [](const auto& value) {
        return value ? decimal(static_cast<Uint128>(*value)) : QStringLiteral("none");
    };
    const auto text = [](const std::string& value) {
        return value.empty() ? QStringLiteral("none") : QString::fromStdString(value);
    };
    struct Choice {
        const char* label;
        const char* name;
        bool differs;
        QString lower, upper;
        QComboBox* box = nullptr;
    };
    std::array<Choice, 6> choices{{
        {"&Name:", "planJoinKeepName", a.name != b.name, text(a.name), text(b.name)},
        {"&VLAN:", "planJoinKeepVlan", a.vlan != b.vlan, count(a.vlan), count(b.vlan)},
        {"&Hosts:", "planJoinKeepHosts", a.hosts != b.hosts, count(a.hosts), count(b.hosts)},
        {"N&ote:", "planJoinKeepNote", a.note != b.note, text(a.note).section(u'\n', 0, 0),
         text(b.note).section(u'\n', 0, 0)},
        {"&Colour:", "planJoinKeepColor", a.color != b.color, text(a.color), text(b.color)},
        {"Other &keys:", "planJoinKeepExtra", a.extra != b.extra, QStringLiteral("its own"),
         QStringLiteral("its own")},
    }};
    for (Choice& choice : choices) {
        if (!choice.differs)
            continue;
        choice.box = new QComboBox(&dialog);
        choice.box->setObjectName(QString::fromLatin1(choice.name));
        choice.box->addItem(QStringLiteral("%1's: %2").arg(cidrOf(lower.block), choice.lower));
        choice.box->addItem(QStringLiteral("%1's: %2").arg(cidrOf(upper.block), choice.upper));
        form->addRow(QString::fromLatin1(choice.label), choice.box);
    }
    addButtons(dialog, *layout, [&dialog] { dialog.accept(); });
    // The first choice has the keys: the arrows choose, Enter is OK.
    for (const Choice& choice : choices)
        if (choice.box != nullptr) {
            choice.box->setFocus();
            break;
        }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const auto pick = [&choices](std::size_t i) {
        return choices[i].box != nullptr && choices[i].box->currentIndex() == 1;
    };
    // Where one side has a label and the other none, both boxes offer it.
    Labels kept = a;
    if (pick(0) || a.name.empty())
        kept.name = b.name;
    if (pick(1) || !a.vlan)
        kept.vlan = b.vlan;
    if (pick(2) || !a.hosts)
        kept.hosts = b.hosts;
    if (pick(3) || a.note.empty())
        kept.note = b.note;
    if (pick(4) || a.color.empty())
        kept.color = b.color;
    if (pick(5) || a.extra.empty())
        kept.extra = b.extra;
    return kept;
}

std::optional<LabelEdit> askLabels(QWidget* parent, const Labels& shown, int subnets) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("planLabels"));
    dialog.setWindowTitle(subnets == 1 ? QStringLiteral("Labels")
                                       : QStringLiteral("Labels of %1 Subnets").arg(subnets));
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const auto line = [&](const char* name, const char* label, const QString& text) {
        auto* edit = new QLineEdit(text, &dialog);
        edit->setObjectName(QString::fromLatin1(name));
        form->addRow(QString::fromLatin1(label), edit);
        return edit;
    };
    QLineEdit* name = line("planLabelName", "&Name:", QString::fromStdString(shown.name));
    QLineEdit* vlan =
        line("planLabelVlan", "&VLAN:", shown.vlan ? QString::number(*shown.vlan) : QString());
    QLineEdit* hosts =
        line("planLabelHosts", "&Hosts:", shown.hosts ? decimal(*shown.hosts) : QString());
    auto* note = new QPlainTextEdit(QString::fromStdString(shown.note), &dialog);
    note->setObjectName(QStringLiteral("planLabelNote"));
    note->setTabChangesFocus(true);
    form->addRow(QStringLiteral("N&ote:"), note);
    QString color = QString::fromStdString(shown.color);
    auto* colorButton = new QPushButton(&dialog);
    colorButton->setObjectName(QStringLiteral("planLabelColor"));
    auto* noColor = new QPushButton(QStringLiteral("No colo&ur"), &dialog);
    noColor->setObjectName(QStringLiteral("planLabelNoColor"));
    const auto showColor = [&] {
        // The colour's name is on the button too, never the swatch alone.
        colorButton->setText(color.isEmpty() ? QStringLiteral("&Colour: none")
                                             : QStringLiteral("&Colour: %1").arg(color));
        QPixmap swatch(colorButton->iconSize());
        swatch.fill(color.isEmpty() ? Qt::transparent : QColor(color));
        colorButton->setIcon(QIcon(swatch));
        noColor->setEnabled(!color.isEmpty());
    };
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor picked = QColorDialog::getColor(
            color.isEmpty() ? QColor(Qt::white) : QColor(color), &dialog, QStringLiteral("Colour"));
        if (picked.isValid())
            color = picked.name();
        showColor();
    });
    QObject::connect(noColor, &QPushButton::clicked, &dialog, [&] {
        color.clear();
        showColor();
    });
    showColor();
    auto* colors = new QHBoxLayout;
    colors->addWidget(colorButton);
    colors->addWidget(noColor);
    form->addRow(QString(), colors);
    QLabel* reason = addReason(dialog, *layout);

    LabelEdit edit;
    addButtons(dialog, *layout, [&] {
        edit = {};
        edit.labels = shown;
        setLabelText(edit.labels, PlanModel::NameColumn, name->text());
        QString refusal = setLabelText(edit.labels, PlanModel::VlanColumn, vlan->text());
        if (refusal.isEmpty() && edit.labels.vlan)
            refusal = QString::fromStdString(vlanReason(*edit.labels.vlan));
        if (refusal.isEmpty())
            refusal = setLabelText(edit.labels, PlanModel::HostsColumn, hosts->text());
        showReason(*reason, refusal);
        if (!refusal.isEmpty())
            return;
        edit.name = edit.labels.name != shown.name;
        edit.vlan = edit.labels.vlan != shown.vlan;
        edit.hosts = edit.labels.hosts != shown.hosts;
        edit.labels.note = note->toPlainText().toStdString();
        edit.note = edit.labels.note != shown.note;
        edit.labels.color = color.toStdString();
        edit.color = edit.labels.color != shown.color;
        dialog.accept();
    });
    name->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit;
}

} // namespace quellan
