#include "platform/Messages.h"

#include <QTextStream>

namespace {

// Until the program installs its message boxes, messages go to the error output.
class ConsoleMessages : public Messages {
public:
    bool question(const QString& text) override {
        print(questionCaption(), text);
        return false;
    }
    void error(const QString& text, const QString& caption) override {
        print(caption.isEmpty() ? errorCaption() : caption, text);
    }
    void warning(const QString& text) override { print(warningCaption(), text); }
    void information(const QString& text) override { print(informationCaption(), text); }

private:
    static void print(const QString& caption, const QString& text) {
        QTextStream(stderr) << caption << ": " << text << Qt::endl;
    }
};

ConsoleMessages consoleMessages;
Messages* current = &consoleMessages;

} // namespace

Messages& AppMessages() {
    return *current;
}

void SetAppMessages(Messages* messages) {
    current = messages ? messages : &consoleMessages;
}

void ShowStandardError(const QString& text) {
    AppMessages().error(text);
}
