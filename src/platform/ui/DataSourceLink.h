#pragma once

#include "platform/data/DataSource.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

// Follows the data set of a data source, also when the source is given another one: re-emits the
// data set's signals, and `dataSetChanged` when the data set itself was replaced.
class DataSourceLink : public QObject {
    Q_OBJECT
public:
    explicit DataSourceLink(DataSource& source, QObject* parent = nullptr);
    ~DataSourceLink() override;

    DataSource& source() const { return *source_; }
    Query* dataSet() const { return source_ ? source_->dataSet() : nullptr; }
    // The data set when it is open, otherwise null.
    Query* activeDataSet() const;

signals:
    void dataSetChanged();
    void recordChanged();
    void currentChanged();
    void stateChanged();
    void rowAboutToBeInserted(int position);
    void rowInserted(int position);
    void rowAboutToBeRemoved(int position);
    void rowRemoved(int position);
    void rowChanged(int position);

private:
    void attach();
    void detach();

    QPointer<DataSource> source_;
    QPointer<Query> attached_;
    QMetaObject::Connection connections_[10];
};
