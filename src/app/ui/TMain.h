#pragma once

#include <QMainWindow>

class QMdiArea;

// The main window: a multiple-document area under the program's caption.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TMain(QWidget* parent = nullptr);
    QMdiArea* mdiArea() const { return mdiArea_; }

private:
    QMdiArea* mdiArea_;
};
