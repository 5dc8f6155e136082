#pragma once

#include <QWidget>

class QTextEdit;

// What a user should know on first signing in, from "FirstTimeLogin.rtf" in the program folder: a
// window that stays on top beside the main window's top-left corner, one at a time.
class TFirstLoginInfo : public QWidget {
    Q_OBJECT
public:
    // Shows the window (or brings the open one forward); nothing when the file can't be read.
    static TFirstLoginInfo* Show(const QString& programFolder, QWidget* mainWindow);

    QTextEdit* text() const { return text_; }

private:
    explicit TFirstLoginInfo(QWidget* mainWindow);
    bool load(const QString& fileName);

    QTextEdit* text_;
};

// The text of a rich-text (RTF) document: paragraphs, tabs and the code page's letters kept,
// formatting dropped.
QString RtfToPlainText(const QByteArray& rtf);
