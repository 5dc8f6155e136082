#include "platform/data/Field.h"

#include "platform/Decimal.h"
#include "platform/data/NumberFormat.h"
#include "platform/data/Query.h"

namespace {

// A number given with decimals for a whole-number column, by the storage rule.
qint64 WholeNumber(double value) {
    return Decimal::fromDouble(value).rounded(0, Rounding::HalfAwayFromZero).toLongLong();
}

} // namespace

Field::Field(Query* owner, const QString& name, bool calculated)
    : owner_(owner), name_(name.toLower()), calculated_(calculated) {}

QVariant Field::value() const {
    return owner_->currentValue(*this);
}

qint64 Field::asInteger() const {
    const QVariant v = value();
    return v.typeId() == QMetaType::Double ? WholeNumber(v.toDouble()) : v.toLongLong();
}

double Field::asFloat() const {
    return value().toDouble();
}

Decimal Field::asDecimal() const {
    return Decimal::fromVariant(value());
}

void Field::setDecimal(const Decimal& value) {
    setValue(value.toVariant());
}

QString Field::asString() const {
    return value().toString();
}

QDate Field::asDate() const {
    const QVariant v = value();
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
}

QDateTime Field::asDateTime() const {
    const QVariant v = value();
    return v.typeId() == QMetaType::QDate ? v.toDate().startOfDay() : v.toDateTime();
}

QString Field::displayText() const {
    return DisplayText(value(), type_, displayFormat_);
}

QString Field::text() const {
    return onGetText ? onGetText(*this) : displayText();
}

void Field::setText(const QString& text) {
    if (onSetText)
        onSetText(*this, text);
    else
        setValue(text);
}

void Field::setValue(const QVariant& value) {
    owner_->setFieldValue(*this, value);
}

QVariant Field::coerce(const QVariant& value) const {
    if (value.isNull())
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    if (type_ != FieldType::String && type_ != FieldType::Unknown && isText &&
        value.toString().trimmed().isEmpty())
        return {};
    switch (type_) {
    case FieldType::Integer: {
        if (isText) {
            bool ok = false;
            const qlonglong v = value.toString().trimmed().toLongLong(&ok);
            if (!ok)
                throw DataError(QStringLiteral("„%1” nie jest liczbą całkowitą (pole „%2”).")
                                    .arg(value.toString(), label()));
            return v;
        }
        return value.typeId() == QMetaType::Double ? QVariant(WholeNumber(value.toDouble()))
                                                   : QVariant(value.toLongLong());
    }
    case FieldType::Float: {
        if (isText) {
            double v = 0;
            if (!ParseNumber(value.toString(), &v))
                throw DataError(
                    QStringLiteral("„%1” nie jest liczbą (pole „%2”).").arg(value.toString(), label()));
            return v;
        }
        return value.toDouble();
    }
    case FieldType::String:
        return value.toString();
    case FieldType::Date:
        return value.typeId() == QMetaType::QDateTime ? QVariant(value.toDateTime().date())
                                                      : QVariant(value.toDate());
    case FieldType::DateTime:
        return value.typeId() == QMetaType::QDate ? QVariant(value.toDate().startOfDay())
                                                  : QVariant(value.toDateTime());
    default:
        return value;
    }
}

QString DisplayText(const QVariant& value, FieldType type, const QString& displayFormat) {
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Float:
    case FieldType::Integer:
        if (!displayFormat.isEmpty())
            return FormatNumber(value.toDouble(), displayFormat);
        if (type == FieldType::Integer)
            return QString::number(value.toLongLong());
        return FormatNumber(value.toDouble(), QStringLiteral("0.##########"));
    // Dates the Polish way; a timestamp at midnight (a date entered without its time) as a date.
    case FieldType::Date:
        return value.toDate().toString(displayFormat.isEmpty() ? QStringLiteral("dd.MM.yyyy")
                                                               : displayFormat);
    case FieldType::DateTime: {
        const QDateTime t = value.toDateTime();
        if (!displayFormat.isEmpty())
            return t.toString(displayFormat);
        return t.toString(t.time() == QTime(0, 0) ? QStringLiteral("dd.MM.yyyy")
                                                  : QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    }
    default:
        return value.toString();
    }
}
