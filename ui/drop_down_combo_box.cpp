// SPDX-License-Identifier: MIT
#include "drop_down_combo_box.h"

void DropDownComboBox::showPopup() {
    emit dropDown();
    QComboBox::showPopup();
}
