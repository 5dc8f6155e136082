#include "waste/ui/FieldView.h"

#include "platform/ui/DataSourceLink.h"

#include <QLineEdit>

void ShowFieldReadOnly(QLineEdit* edit, DataSource& source, const QString& fieldName) {
    edit->setReadOnly(true);
    auto* link = new DataSourceLink(source, edit);
    const auto show = [edit, link, fieldName] {
        QString text;
        if (const Query* q = link->activeDataSet(); q && q->recNo() >= 0)
            if (const Field* f = q->findField(fieldName))
                text = f->text();
        edit->setText(text);
        edit->setCursorPosition(0);
    };
    for (auto signal : {&DataSourceLink::dataSetChanged, &DataSourceLink::currentChanged,
                        &DataSourceLink::recordChanged, &DataSourceLink::stateChanged})
        QObject::connect(link, signal, edit, show);
    show();
}
