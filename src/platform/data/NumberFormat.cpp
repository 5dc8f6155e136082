#include "platform/data/NumberFormat.h"

#include "platform/Decimal.h"

#include <cmath>

QString FormatNumber(double value, const QString& format) {
    if (!std::isfinite(value))
        return {};
    return FormatNumber(Decimal::fromDouble(value), format);
}

QString FormatNumber(const Decimal& value, const QString& format) {
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? format : format.left(point);
    const QString fracPart = point < 0 ? QString() : format.mid(point + 1);
    const int fixed = int(fracPart.count(QLatin1Char('0')));
    const int optional = int(fracPart.count(QLatin1Char('#')));
    const bool thousands = format.contains(QLatin1Char(','));
    const int minIntDigits = int(intPart.count(QLatin1Char('0')));

    // Shown as stored: a value with more decimals than shown is rounded by the storage rule.
    const Decimal shown = value.rounded(fixed + optional, Rounding::HalfAwayFromZero);
    QString text = shown.toString();
    if (text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    QString whole = text;
    QString frac;
    if (const qsizetype dot = text.indexOf(QLatin1Char('.')); dot >= 0) {
        whole = text.left(dot);
        frac = text.mid(dot + 1);
    }
    while (frac.size() > fixed && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (whole == QLatin1String("0") && minIntDigits == 0 && !frac.isEmpty())
        whole.clear();
    while (whole.size() < minIntDigits)
        whole.prepend(QLatin1Char('0'));
    if (thousands) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char(' '));
    }
    QString out = whole;
    if (!frac.isEmpty())
        out += QLatin1Char(',') + frac;
    return shown.isNegative() ? QLatin1Char('-') + out : out;
}

bool ParseNumber(const QString& text, double* value) {
    const std::optional<Decimal> d = Decimal::fromText(text);
    if (d && value)
        *value = d->toDouble();
    return d.has_value();
}
