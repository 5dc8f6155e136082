#include "platform/Messages.h"

#include "platform/Console.h"

namespace {

ConsoleMessages consoleMessages;
Messages* current = &consoleMessages;

} // namespace

bool ConsoleMessages::question(const QString& text) {
    PrintOut(text);
    return false;
}

void ConsoleMessages::error(const QString& text, const QString&) {
    PrintErr(text);
}

void ConsoleMessages::warning(const QString& text) {
    PrintErr(text);
}

void ConsoleMessages::information(const QString& text) {
    PrintOut(text);
}

Messages& AppMessages() {
    return *current;
}

void SetAppMessages(Messages* messages) {
    current = messages ? messages : &consoleMessages;
}

void ShowStandardError(const QString& text) {
    AppMessages().error(text);
}
