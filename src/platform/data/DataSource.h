#pragma once

#include <QObject>
#include <QPointer>

#include "platform/data/Query.h"

// Binds windows and helpers to a data set that may be replaced (a picker attaches another query).
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* parent = nullptr) : QObject(parent) {}
    Query* dataSet() const { return dataSet_; }
    void setDataSet(Query* dataSet) {
        if (dataSet_ == dataSet)
            return;
        dataSet_ = dataSet;
        emit dataSetReplaced();
    }

signals:
    void dataSetReplaced();

private:
    QPointer<Query> dataSet_;
};
