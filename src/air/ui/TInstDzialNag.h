#pragma once

#include "forms/ui/TbcDictItem.h"

class QLineEdit;
class QToolButton;

// The kind and the location of an installation or activity, on the current row of the installation
// list (put into insert or edit by the caller). The location is chosen with the location picker:
// the button beside it or a double click on any of its fields.
class TInstDzialNag : public TbcDictItem {
    Q_OBJECT
public:
    explicit TInstDzialNag(Query* installations, QWidget* parent = nullptr);

    QToolButton* btnWybierzLokalizacje() const { return btnLok_; }
    // Picks the location and writes it into the row.
    void wybierzLokalizacje();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLocation();

    Query* installations_;
    QLineEdit* location_[4];
    QToolButton* btnLok_;
};
