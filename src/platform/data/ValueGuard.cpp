#include "platform/data/ValueGuard.h"

#include "platform/data/Query.h"

ValueCheck NotNegative(const char* message) {
    const QString text = QString::fromUtf8(message);
    return [text](const Decimal& d) { return d.isNegative() ? text : QString(); };
}

ValueCheck Percent(const char* message) {
    const QString text = QString::fromUtf8(message);
    return [text](const Decimal& d) { return d.isNegative() || d > Decimal(100) ? text : QString(); };
}

void GuardValue(Query& query, const char* fieldName, int decimals, const ValueCheck& check) {
    const QString name = QString::fromLatin1(fieldName);
    query.field(name).onSetText = [check, decimals](Field& f, const QString& text) {
        QVariant value = f.coerce(text);
        if (!value.isNull()) {
            const Decimal d = RoundForStorage(Decimal::fromVariant(value), decimals);
            const QString problem = check(d);
            if (!problem.isEmpty())
                throw DataError(problem);
            value = d.toVariant();
        }
        f.setValue(value);
    };
    query.beforePost += [name, check](Query& r) {
        const Field& f = r.fieldByName(name);
        if (f.isNull())
            return;
        const QString problem = check(f.asDecimal());
        if (!problem.isEmpty())
            throw DataError(problem);
    };
}
