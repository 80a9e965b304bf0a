// SPDX-License-Identifier: MIT
#include "form1.h"

#include "script_strings.h"
#include "ui_form1.h"

#include <QIcon>
#include <QMessageBox>

namespace {

// Designer files hold whole point sizes only; the instructions and the statements are set in 14.25 pt.
constexpr qreal instruction_point_size = 14.25;

// Several captions run a few pixels wider than their labels (QXR Register, Fanuc Register Type, instruction
// 2, the item count's label) and would wrap onto a line the label cannot show. Setting the captions a little
// narrower keeps each on the lines its label was laid out for, without moving a control or changing a point
// size. Only labels and the frame get it: the boxes, list and button need no help. How depends on the font
// engine: FreeType draws a face 6 % narrower as such, while Windows draws a narrowed face letter-spaced,
// with wider gaps, so there the letters are set 5 % closer instead, at their natural width.
struct CaptionNarrowing {
    int stretch;
    qreal letter_spacing; // percent of the normal advance
};
#ifdef Q_OS_WIN
constexpr CaptionNarrowing caption_narrowing{QFont::Unstretched, 95};
#else
constexpr CaptionNarrowing caption_narrowing{94, 100};
#endif

QIcon window_icon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 128}) {
        icon.addFile(QStringLiteral(":/assets/icon-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void set_font(QWidget* widget, const std::function<void(QFont&)>& change) {
    QFont font = widget->font();
    change(font);
    widget->setFont(font);
}

} // namespace

Form1::Form1(ErrorPresenter present_error, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Form1>()), present_error_(std::move(present_error)) {
    ui->setupUi(this);
    setWindowIcon(window_icon());
    // Labels and the frame lay out nothing until they are painted, so changing their fonts here costs no
    // font that would only be thrown away.
    const auto captions = [](QFont& font) {
        font.setStretch(caption_narrowing.stretch);
        font.setLetterSpacing(QFont::PercentageSpacing, caption_narrowing.letter_spacing);
    };
    const auto instructions = [](QFont& font) { font.setPointSizeF(instruction_point_size); };
    for (QLabel* label : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        set_font(label, captions);
    }
    set_font(ui->Frame2, [&](QFont& font) {
        captions(font);
        instructions(font);
    });
    set_font(ui->Text_writestring, instructions);
    set_font(ui->Text_readstring, instructions);
    connect(ui->Combo1, &DropDownComboBox::dropDown, this, &Form1::Combo1_DropDown);
    connect(ui->cmd_generate, &QPushButton::clicked, this, &Form1::cmd_generate_Click);
    Form_Load();
}

Form1::~Form1() = default;

void Form1::show_critical_message(QWidget* window, const ErrorReport& report) {
    QMessageBox box(QMessageBox::Critical, window->windowTitle(), report.heading, QMessageBox::Ok, window);
    box.setInformativeText(report.detail);
    // The detail quotes what the user typed: shown as plain text, it can never become markup, an image or
    // a link, whatever the box holds.
    box.setTextFormat(Qt::PlainText);
    for (QLabel* label : box.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    box.exec();
}

void Form1::Form_Load() {
    ui->cmd_generate->setEnabled(false);
}

void Form1::Combo1_DropDown() {
    ui->cmd_generate->setEnabled(true);
}

void Form1::cmd_generate_Click() {
    const BoxTexts boxes{ui->Text_qxr_0->text(), ui->Text_fanuc_2->text(), ui->Text_positions_0->text(),
                         ui->Combo1->currentText()};
    const auto statements =
        qxrfanuc::generate_script_strings(boxes.qxr.toStdString(), boxes.fanuc.toStdString(),
                                          boxes.items.toStdString(), boxes.register_type.toStdString());
    if (!statements) {
        // The window stays open and both result boxes keep their texts: the user fixes the box at fault.
        present_error_(this, describe_error(statements.error(), boxes));
        QLineEdit* box = box_at_fault(statements.error().place);
        box->setFocus();
        box->selectAll();
        return;
    }
    ui->Text_readstring->setText(QString::fromStdString(statements->readstring));
    ui->Text_writestring->setText(QString::fromStdString(statements->writestring));
    // Show each statement from its start, where "mb.Read(" and the arguments are.
    ui->Text_readstring->home(false);
    ui->Text_writestring->home(false);
}

QLineEdit* Form1::box_at_fault(qxrfanuc::ErrorPlace place) const {
    return qxrfanuc::input_at_fault(place, ui->Text_qxr_0, ui->Text_fanuc_2, ui->Text_positions_0);
}
