#pragma once

#include "error_report.h"
#include "ui_form1.h"

#include <functional>

#include <QWidget>

// The program's only window. Its layout lives in form1.ui; this class adds the three handlers, which turn
// the boxes into texts, hand them to the generator and put the statements, or the error, back.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // Shows a failed generation to the user and returns once it has been acknowledged. Tests pass their
    // own, since they cannot click through a modal message box.
    using ErrorPresenter = std::function<void(QWidget* window, const ErrorReport& report)>;

    explicit Form1(ErrorPresenter present_error = show_critical_message, QWidget* parent = nullptr);

    static void show_critical_message(QWidget* window, const ErrorReport& report);

private:
    void Form_Load();
    void Combo1_DropDown();
    void cmd_generate_Click();

    QLineEdit* box_at_fault(qxrfanuc::ErrorPlace place) const;

    Ui::Form1 ui;
    ErrorPresenter present_error_;
};
