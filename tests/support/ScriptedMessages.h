#pragma once

#include "platform/Messages.h"

#include <QList>
#include <QString>

// A message-box double: records every message and answers questions from a script.
class ScriptedMessages : public Messages {
public:
    enum class Kind { Question, Error, Warning, Information };
    struct Entry {
        Kind kind;
        QString caption;
        QString text;
    };

    // Answers for the next questions, in order; when they run out, `defaultAnswer` is given.
    QList<bool> answers;
    bool defaultAnswer = true;
    QList<Entry> shown;

    bool question(const QString& text) override {
        shown.append({Kind::Question, questionCaption(), text});
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    void error(const QString& text, const QString& caption = QString()) override {
        shown.append({Kind::Error, caption.isEmpty() ? errorCaption() : caption, text});
    }
    void warning(const QString& text) override { shown.append({Kind::Warning, warningCaption(), text}); }
    void information(const QString& text) override {
        shown.append({Kind::Information, informationCaption(), text});
    }

    // "kind|caption|text" per message, for compact assertions.
    QStringList log() const {
        static const char* const names[] = {"question", "error", "warning", "information"};
        QStringList lines;
        for (const Entry& e : shown)
            lines << QStringLiteral("%1|%2|%3").arg(QLatin1String(names[int(e.kind)]), e.caption, e.text);
        return lines;
    }
};

// Installs a scripted double as the program's message boxes for the lifetime of the object.
class ScopedScriptedMessages : public ScriptedMessages {
public:
    ScopedScriptedMessages() { SetAppMessages(this); }
    ~ScopedScriptedMessages() override { SetAppMessages(nullptr); }
};
