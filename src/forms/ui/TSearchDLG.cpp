#include "forms/ui/TSearchDLG.h"

#include "platform/data/Query.h"
#include "platform/ui/DataCommand.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TSearchDLG::TSearchDLG(Query* dataSet, const TrSearchData& column, QWidget* parent)
    : QDialog(parent), dataSet_(dataSet), column_(column) {
    setWindowTitle(QStringLiteral("Wyszykiwanie ..."));
    lblFraza_ = new QLabel(QStringLiteral("Fraza:"), this);
    edtFraza_ = new QLineEdit(this);
    edtFraza_->setToolTip(QStringLiteral("Wpisz szukaną frazę"));
    lblFraza_->setBuddy(edtFraza_);
    btnClear_ = new QToolButton(this);
    btnClear_->setText(QStringLiteral("X"));
    btnClear_->setToolTip(QStringLiteral("Wyczyść pole poszukiwanej frazy"));
    btnClear_->setFocusPolicy(Qt::NoFocus);
    btnOK_ = new QPushButton(QStringLiteral("&OK"), this);
    btnOK_->setToolTip(QStringLiteral("Zakończ szukanie podanej frazy"));
    btnOK_->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(lblFraza_);
    row->addWidget(edtFraza_, 1);
    row->addWidget(btnClear_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    // The captions name the column searched.
    setWindowTitle(QStringLiteral("Wyszukiwanie po kolumnie ") + column_.caption);
    lblFraza_->setText(column_.caption + QStringLiteral(":"));

    connect(edtFraza_, &QLineEdit::textChanged, this, &TSearchDLG::find);
    // Enter in the input field closes; Escape closes as in any dialog.
    connect(edtFraza_, &QLineEdit::returnPressed, this, &QDialog::accept);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnClear_, &QToolButton::clicked, this, [this] {
        edtFraza_->clear();
        edtFraza_->setFocus();
    });
    edtFraza_->setFocus();
}

void TSearchDLG::find(const QString& text) {
    Query* q = dataSet_;
    if (!q || !q->isActive() || column_.fieldName.trimmed().isEmpty())
        return;
    // No match leaves the current row where it is.
    RunDataCommand([&] { q->locate(column_.fieldName, text, CaseInsensitive | PartialKey); });
}

void TSearchDLG::Search(Query* dataSet, const TrSearchData& column, QWidget* parent) {
    TSearchDLG dlg(dataSet, column, parent);
    dlg.exec();
}
