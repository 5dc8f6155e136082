#include "platform/Console.h"

#include <QByteArray>

#include <cstdio>

namespace {
void Print(FILE* stream, const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void PrintOut(const QString& line) {
    Print(stdout, line);
}

void PrintErr(const QString& line) {
    Print(stderr, line);
}
