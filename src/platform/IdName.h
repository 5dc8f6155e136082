#pragma once

#include <QMetaType>
#include <QString>

// An id and a name; the empty value has id 0 and an empty name. Pickers return their choice in it.
struct TIdName {
    int id = 0;
    QString name;
    bool operator==(const TIdName&) const = default;
};

// The id and name attached to an item of a drop-down list.
class TScIdName {
public:
    TScIdName() = default;
    TScIdName(int id, const QString& name) : id(id), name(name) {}
    int id = 0;
    QString name;
};
Q_DECLARE_METATYPE(TScIdName)
