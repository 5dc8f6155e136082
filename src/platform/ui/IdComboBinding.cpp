#include "platform/ui/IdComboBinding.h"

#include "platform/ui/DataCommand.h"

#include <QComboBox>
#include <QKeyEvent>

namespace {

bool IsClearKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier;
}

} // namespace

IdComboBinding::IdComboBinding(QComboBox* combo, DataSource& source, const QString& idField,
                               const QString& nameField)
    : QObject(combo), combo_(combo), link_(source), idField_(idField), nameField_(nameField) {
    connect(&link_, &DataSourceLink::dataSetChanged, this, &IdComboBinding::refresh);
    connect(&link_, &DataSourceLink::currentChanged, this, &IdComboBinding::refresh);
    connect(&link_, &DataSourceLink::recordChanged, this, &IdComboBinding::refresh);
    connect(&link_, &DataSourceLink::stateChanged, this, &IdComboBinding::refresh);
    connect(combo, &QComboBox::activated, this, &IdComboBinding::pick);
    combo->installEventFilter(this);
}

IdComboBinding* IdComboBinding::bind(QComboBox* combo, DataSource& source, const QString& idField,
                                     const QString& nameField) {
    auto* b = new IdComboBinding(combo, source, idField, nameField);
    b->refresh();
    return b;
}

bool IdComboBinding::hasRow() const {
    const Query* q = link_.activeDataSet();
    return q && q->recNo() >= 0 && q->findField(idField_);
}

void IdComboBinding::setLocked(bool locked) {
    if (locked_ == locked)
        return;
    locked_ = locked;
    refresh();
}

void IdComboBinding::refresh() {
    if (!combo_)
        return;
    const bool row = hasRow();
    int index = -1;
    QString shownName;
    bool readOnly = true;
    if (row) {
        const Query* q = link_.activeDataSet();
        const Field& id = q->fieldByName(idField_);
        readOnly = id.isReadOnly();
        if (!id.isNull()) {
            const int key = int(id.asInteger());
            for (int i = 0; i < combo_->count() && index < 0; ++i)
                if (ComboItem(combo_, i).id == key)
                    index = i;
            if (index < 0)
                if (const Field* name = q->findField(nameField_))
                    shownName = name->text();
        }
    }
    combo_->setCurrentIndex(index);
    combo_->setPlaceholderText(shownName);
    combo_->setEnabled(row && !readOnly && !locked_);
}

void IdComboBinding::pick(int index) {
    if (!combo_ || !hasRow() || index < 0)
        return;
    const TScIdName item = ComboItem(combo_, index);
    Query* q = link_.activeDataSet();
    RunDataCommand([&] {
        Field& id = q->fieldByName(idField_);
        if (!q->isEditing() && !id.isNull() && id.asInteger() == item.id)
            return;
        if (!q->isEditing())
            q->edit();
        id.setValue(item.id);
        if (Field* name = q->findField(nameField_))
            name->setValue(item.name);
    });
    refresh();
}

bool IdComboBinding::clearValue() {
    if (!combo_ || !combo_->isEnabled())
        return false;
    Query* q = link_.activeDataSet();
    const bool ok = RunDataCommand([&] {
        if (!q->isEditing())
            q->edit();
        q->fieldByName(idField_).clear();
        if (Field* name = q->findField(nameField_))
            name->clear();
    });
    refresh();
    return ok;
}

bool IdComboBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == combo_) {
        if (event->type() == QEvent::ShortcutOverride && IsClearKey(event)) {
            // Ctrl+E belongs to the list while it has the focus.
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress && IsClearKey(event)) {
            clearValue();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

TScIdName ComboItem(const QComboBox* combo, int index) {
    return combo->itemData(index).value<TScIdName>();
}
