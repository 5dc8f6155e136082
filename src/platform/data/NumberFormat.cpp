#include "platform/data/NumberFormat.h"

#include <QRegularExpression>

#include <cmath>

QString FormatNumber(double value, const QString& format) {
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? format : format.left(point);
    const QString fracPart = point < 0 ? QString() : format.mid(point + 1);
    const int fixed = int(fracPart.count(QLatin1Char('0')));
    const int optional = int(fracPart.count(QLatin1Char('#')));
    const bool thousands = format.contains(QLatin1Char(','));
    const int minIntDigits = int(intPart.count(QLatin1Char('0')));

    QString text = QString::number(std::fabs(value), 'f', fixed + optional);
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
    const bool negative = value < 0 && out.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QLatin1Char('-') + out : out;
}

bool ParseNumber(const QString& text, double* value) {
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    t.remove(QChar(0x00A0));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    // "nan" and "inf" are words, not amounts.
    ok = ok && std::isfinite(v);
    if (ok && value)
        *value = v;
    return ok;
}
