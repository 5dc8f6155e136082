#pragma once

#include "platform/Messages.h"

// The program's message boxes: modal QMessageBox dialogs with the Polish captions and buttons.
class QtMessages : public Messages {
public:
    bool question(const QString& text) override;
    void error(const QString& text, const QString& caption = QString()) override;
    void warning(const QString& text) override;
    void information(const QString& text) override;
};
