#pragma once

#include <QDialog>

class QPushButton;
class QVBoxLayout;

// A plain modal dialog with "OK" and "Anuluj", centred on the main window. Pickers and converters
// derive from it and lay out their own content above the buttons.
class TbcDialogT1 : public QDialog {
    Q_OBJECT
public:
    explicit TbcDialogT1(QWidget* parent = nullptr);

    QPushButton* btnOK() const { return btnOK_; }
    QPushButton* btnAnuluj() const { return btnAnuluj_; }
    // The layout above the buttons that a concrete dialog fills.
    QVBoxLayout* contentLayout() const { return content_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* content_;
    QPushButton* btnOK_;
    QPushButton* btnAnuluj_;
    bool centred_ = false;
};
