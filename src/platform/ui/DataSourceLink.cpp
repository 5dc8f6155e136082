#include "platform/ui/DataSourceLink.h"

DataSourceLink::DataSourceLink(DataSource& source, QObject* parent) : QObject(parent), source_(&source) {
    connect(&source, &DataSource::dataSetReplaced, this, [this] {
        attach();
        emit dataSetChanged();
        emit stateChanged();
    });
    attach();
}

DataSourceLink::~DataSourceLink() {
    detach();
}

Query* DataSourceLink::activeDataSet() const {
    Query* q = dataSet();
    return q && q->isActive() ? q : nullptr;
}

void DataSourceLink::detach() {
    for (auto& c : connections_)
        QObject::disconnect(c);
    attached_ = nullptr;
}

void DataSourceLink::attach() {
    detach();
    attached_ = dataSet();
    if (!attached_)
        return;
    connections_[0] = connect(attached_, &Query::dataSetChanged, this, &DataSourceLink::dataSetChanged);
    connections_[1] = connect(attached_, &Query::recordChanged, this, &DataSourceLink::recordChanged);
    connections_[2] = connect(attached_, &Query::currentChanged, this, &DataSourceLink::currentChanged);
    connections_[3] = connect(attached_, &Query::stateChanged, this, &DataSourceLink::stateChanged);
    connections_[5] =
        connect(attached_, &Query::rowAboutToBeInserted, this, &DataSourceLink::rowAboutToBeInserted);
    connections_[6] = connect(attached_, &Query::rowInserted, this, &DataSourceLink::rowInserted);
    connections_[7] =
        connect(attached_, &Query::rowAboutToBeRemoved, this, &DataSourceLink::rowAboutToBeRemoved);
    connections_[8] = connect(attached_, &Query::rowRemoved, this, &DataSourceLink::rowRemoved);
    connections_[9] = connect(attached_, &Query::rowChanged, this, &DataSourceLink::rowChanged);
    // A data set freed under a window: its widgets show nothing rather than read freed memory.
    connections_[4] = connect(attached_, &QObject::destroyed, this, [this] {
        detach();
        emit dataSetChanged();
        emit stateChanged();
    });
}
