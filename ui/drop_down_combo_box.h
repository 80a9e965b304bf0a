// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>

// A drop-down list that tells when its list is about to open, by mouse or by keyboard (F4, Alt+Down).
// Moving the selection with the arrow keys while the list is closed opens nothing and so tells nothing.
class DropDownComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void dropDown();
};
