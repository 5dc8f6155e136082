#pragma once

class QWidget;

// Places a modal window over the centre of the program's main window (or of its parent's window),
// never partly off the screen, even when it is wider than the main window.
void CentreOnMainWindow(QWidget* window);
