#pragma once

#include "platform/data/HandlerList.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>

class Decimal;
class Query;

enum class FieldType { Unknown, Integer, Float, String, Date, Time, DateTime, Blob };

// One column of a data set: its definition (label, display format, flags) and access to its value
// in the current row. Fields outlive closing and reopening their data set, with their settings and
// handlers.
class Field {
public:
    Field(Query* owner, const QString& name, bool calculated);

    const QString& name() const { return name_; }
    Query& dataSet() const { return *owner_; }
    bool isCalculated() const { return calculated_; }
    int index() const { return index_; }

    FieldType type() const { return type_; }
    Field& setType(FieldType type) {
        type_ = type;
        return *this;
    }
    QString label() const { return label_.isEmpty() ? name_ : label_; }
    Field& setLabel(const QString& label) {
        label_ = label;
        return *this;
    }
    const QString& displayFormat() const { return displayFormat_; }
    Field& setDisplayFormat(const QString& format) {
        displayFormat_ = format;
        return *this;
    }
    bool isRequired() const { return required_; }
    Field& setRequired(bool required = true) {
        required_ = required;
        return *this;
    }
    // Read-only: the user cannot change it; the program's handlers still can.
    bool isReadOnly() const { return readOnly_; }
    Field& setReadOnly(bool readOnly = true) {
        readOnly_ = readOnly;
        return *this;
    }
    bool isVisible() const { return visible_; }
    Field& setVisible(bool visible = true) {
        visible_ = visible;
        return *this;
    }
    int size() const { return size_; }
    Field& setSize(int size) {
        size_ = size;
        return *this;
    }

    QVariant value() const;
    bool isNull() const { return value().isNull(); }
    qint64 asInteger() const;
    double asFloat() const;
    // The exact value (an empty value is 0). Amounts, quantities and rates are read and written so.
    Decimal asDecimal() const;
    void setDecimal(const Decimal& value);
    QString asString() const;
    QDate asDate() const;
    QDateTime asDateTime() const;
    // The value as the user sees it, through the display format.
    QString displayText() const;

    void setValue(const QVariant& value);
    void clear() { setValue(QVariant()); }

    // Text as the user sees and types it: through the get-text and set-text handlers when a data
    // module sets them, otherwise the display format and the field's own conversion.
    QString text() const;
    void setText(const QString& text);

    // Field-change handlers: run after every assignment of the value.
    HandlerList<Field&> onChange;
    std::function<QString(const Field&)> onGetText;
    std::function<void(Field&, const QString&)> onSetText;

    // Converts a value to the field's type (empty text for a non-text field is null).
    QVariant coerce(const QVariant& value) const;

private:
    friend class Query;
    Query* owner_;
    QString name_;
    bool calculated_;
    int index_ = -1;
    FieldType type_ = FieldType::Unknown;
    QString label_;
    QString displayFormat_;
    bool required_ = false;
    bool readOnly_ = false;
    bool visible_ = true;
    int size_ = 0;
};

// Text of a value as shown to the user.
QString DisplayText(const QVariant& value, FieldType type, const QString& displayFormat);
