#pragma once

class QWidget;

// Puts the focus into the first field of the window that can be typed into or chosen from (in tab
// order, buttons and read-only fields skipped), so that a record window opens ready for typing.
// Answers whether there was one.
bool FocusFirstInput(QWidget* window);
