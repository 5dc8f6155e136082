#include "app/ui/TFirstLoginInfo.h"

#include "platform/Cp1250.h"

#include <QFile>
#include <QPointer>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QPointer<TFirstLoginInfo>& OpenWindow() {
    static QPointer<TFirstLoginInfo> window;
    return window;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

QString RtfToPlainText(const QByteArray& rtf) {
    QString text;
    QByteArray pending; // bytes of the document's code page not yet decoded
    auto flush = [&] {
        text += FromCp1250(pending);
        pending.clear();
    };
    // Groups whose content is not text: font and colour tables, pictures, information, "\*" groups.
    QList<bool> skipped{false};
    const int n = int(rtf.size());
    for (int i = 0; i < n; ++i) {
        const char c = rtf.at(i);
        if (c == '{') {
            skipped.append(skipped.last());
            continue;
        }
        if (c == '}') {
            if (skipped.size() > 1)
                skipped.removeLast();
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        if (c != '\\') {
            if (!skipped.last())
                pending.append(c);
            continue;
        }
        if (i + 1 >= n)
            break;
        const char next = rtf.at(i + 1);
        if (next == '\'' && i + 3 < n) {
            if (!skipped.last())
                pending.append(char(rtf.mid(i + 2, 2).toInt(nullptr, 16)));
            i += 3;
            continue;
        }
        if (!IsLetter(next)) {
            if (next == '*')
                skipped.last() = true;
            else if (!skipped.last() && (next == '\\' || next == '{' || next == '}'))
                pending.append(next);
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < n && IsLetter(rtf.at(j)))
            ++j;
        const QByteArray word = rtf.mid(i + 1, j - i - 1);
        while (j < n && (rtf.at(j) == '-' || (rtf.at(j) >= '0' && rtf.at(j) <= '9')))
            ++j;
        if (j < n && rtf.at(j) == ' ')
            ++j;
        i = j - 1;
        static const QList<QByteArray> hidden{"fonttbl", "colortbl", "stylesheet", "info",
                                              "pict",    "header",   "footer"};
        if (hidden.contains(word))
            skipped.last() = true;
        else if (!skipped.last() && (word == "par" || word == "line"))
            pending.append('\n');
        else if (!skipped.last() && word == "tab")
            pending.append('\t');
    }
    flush();
    return text.trimmed();
}

TFirstLoginInfo::TFirstLoginInfo(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), text_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("TFirstLoginInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Informacje o pierwszym logowaniu się do aplikacji"));
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = text_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    text_->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    resize(520, 400);
    if (mainWindow)
        move(mainWindow->geometry().topLeft() + QPoint(30, 80));
}

bool TFirstLoginInfo::load(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (content.startsWith("{\\rtf"))
        text_->setPlainText(RtfToPlainText(content));
    else
        text_->setPlainText(FromCp1250(content));
    return true;
}

TFirstLoginInfo* TFirstLoginInfo::Show(const QString& programFolder, QWidget* mainWindow) {
    QPointer<TFirstLoginInfo>& open = OpenWindow();
    if (open) {
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* window = new TFirstLoginInfo(mainWindow);
    if (!window->load(programFolder + QStringLiteral("FirstTimeLogin.rtf"))) {
        delete window;
        return nullptr;
    }
    open = window;
    window->show();
    return window;
}
