// SPDX-License-Identifier: MIT
#pragma once

#include "error_report.h"

#include <functional>
#include <memory>

#include <QWidget>

class QLineEdit;
namespace Ui {
class Form1;
}

// The program's only window. Its layout lives in form1.ui; this class adds the three handlers, which turn
// the boxes into texts, hand them to the generator and put the statements, or the error, back.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // Shows a failed generation to the user and returns once it has been acknowledged. Tests pass their
    // own, since they cannot click through a modal message box.
    using ErrorPresenter = std::function<void(QWidget* window, const ErrorReport& report)>;

    explicit Form1(ErrorPresenter present_error = show_critical_message, QWidget* parent = nullptr);
    ~Form1() override;

    static void show_critical_message(QWidget* window, const ErrorReport& report);

private:
    void Form_Load();
    void Combo1_DropDown();
    void cmd_generate_Click();

    QLineEdit* box_at_fault(qxrfanuc::ErrorPlace place) const;

    // The layout generated from form1.ui, kept out of this header so that its users need no generated file.
    std::unique_ptr<Ui::Form1> ui;
    ErrorPresenter present_error_;
};
