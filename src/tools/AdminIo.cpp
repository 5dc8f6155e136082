#include "tools/AdminIo.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdio>

#include <termios.h>
#include <unistd.h>

namespace {

// Reads a line from the terminal without echoing it.
QByteArray ReadFromTerminal() {
    std::fputs("Hasło: ", stderr);
    std::fflush(stderr);
    termios saved{};
    const bool echoOff = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (echoOff) {
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    QByteArray line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
        line.append(static_cast<char>(c));
    }
    if (echoOff) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    }
    std::fputs("\n", stderr);
    return line;
}

} // namespace

std::optional<QString> ReadPassword() {
    QByteArray bytes;
    if (isatty(STDIN_FILENO)) {
        bytes = ReadFromTerminal();
    } else {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            PrintErr(QStringLiteral("Nie można odczytać hasła ze standardowego wejścia."));
            return std::nullopt;
        }
        bytes = in.readAll();
    }
    if (bytes.endsWith("\r\n")) {
        bytes.chop(2);
    } else if (bytes.endsWith('\n')) {
        bytes.chop(1);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString password = utf8.decode(bytes);
    if (utf8.hasError()) {
        PrintErr(QStringLiteral("Hasło na standardowym wejściu nie jest poprawnym tekstem UTF-8."));
        return std::nullopt;
    }
    return password;
}

std::optional<int> ParsePort(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}
