#include "forms/ui/PrintDropDown.h"

#include <QMenu>
#include <QToolBar>

PrintDropDown::PrintDropDown(const QString& hint, QToolBar* toolBar)
    : QToolButton(toolBar), menu_(new QMenu(this)) {
    setText(QStringLiteral("Wydruki"));
    setToolTip(hint);
    setStatusTip(hint);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setMenu(menu_);
    setPopupMode(QToolButton::InstantPopup);
    setEnabled(false);
    toolBarAction_ = toolBar->addWidget(this);
    toolBarAction_->setVisible(false);
}

QAction* PrintDropDown::addPrintout(const QString& caption, const QString& hint) {
    QAction* a = menu_->addAction(caption);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
}

void PrintDropDown::showButton(bool shown) {
    toolBarAction_->setVisible(shown);
    setEnabled(shown);
}

bool PrintDropDown::isShown() const {
    return toolBarAction_->isVisible();
}
