#pragma once

#include <QString>

// The four kinds of message box through which the program speaks to the user.
class Messages {
public:
    virtual ~Messages() = default;
    // "Decyzja", Yes and No with Yes as default; true on Yes.
    virtual bool question(const QString& text) = 0;
    // "Błąd" unless the caller gives a caption.
    virtual void error(const QString& text, const QString& caption = QString()) = 0;
    // "Ostrzeżenie".
    virtual void warning(const QString& text) = 0;
    // "Komunikat".
    virtual void information(const QString& text) = 0;

    static QString questionCaption() { return QStringLiteral("Decyzja"); }
    static QString errorCaption() { return QStringLiteral("Błąd"); }
    static QString warningCaption() { return QStringLiteral("Ostrzeżenie"); }
    static QString informationCaption() { return QStringLiteral("Komunikat"); }
};

// Messages printed instead of shown: errors and warnings to the error output, the rest to the output;
// a question is answered No. What a command-line tool uses, and the program until its windows exist.
class ConsoleMessages : public Messages {
public:
    bool question(const QString& text) override;
    void error(const QString& text, const QString& caption = QString()) override;
    void warning(const QString& text) override;
    void information(const QString& text) override;
};

// The program's message boxes; set once at start (windows) or by a test (scripted double).
Messages& AppMessages();
void SetAppMessages(Messages* messages);

// The standard error display for an error that no code handles.
void ShowStandardError(const QString& text);
