#include "platform/Decimal.h"

#include "platform/data/DataError.h"

#include <cmath>
#include <limits>

namespace {

constexpr int kMaxScale = 30;

[[noreturn]] void OutOfRange() {
    throw DataError(QStringLiteral("Wartość wykracza poza zakres obliczeń programu."));
}

__int128 PowerOfTen(int n) {
    __int128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

__int128 Multiply(__int128 a, __int128 b) {
    __int128 r;
    if (__builtin_mul_overflow(a, b, &r))
        OutOfRange();
    return r;
}

__int128 Add(__int128 a, __int128 b) {
    __int128 r;
    if (__builtin_add_overflow(a, b, &r))
        OutOfRange();
    return r;
}

} // namespace

Decimal::Decimal(long long units, int scale) : units_(units), scale_(scale) {
    if (scale < 0 || scale > kMaxScale)
        OutOfRange();
}

Decimal::Decimal(__int128 units, int scale, bool) : units_(units), scale_(scale) {
    if (scale < 0 || scale > kMaxScale)
        OutOfRange();
}

Decimal Decimal::fromDouble(double value) {
    if (!std::isfinite(value))
        OutOfRange();
    // 15 significant digits hold every decimal a NUMERIC(18, n) column gives back for our amounts,
    // and drop the binary noise beyond them (0.1 is 0.1000000000000000055…).
    return *fromText(QString::number(value, 'g', 15));
}

Decimal Decimal::fromVariant(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        return Decimal(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(value.toDouble());
    default:
        break;
    }
    const QString text = value.toString();
    if (text.trimmed().isEmpty())
        return {};
    if (const auto d = fromText(text))
        return *d;
    throw DataError(QStringLiteral("„%1” nie jest liczbą.").arg(text));
}

std::optional<Decimal> Decimal::fromText(const QString& text) {
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    t.remove(QChar(0x00A0));
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    __int128 units = 0;
    int scale = 0;
    int significant = 0; // digits that count, leading zeros left out
    bool sawDigit = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            sawDigit = true;
            units = units * 10 + (c - u'0');
            if (units != 0)
                ++significant;
            if (point)
                ++scale;
            if (significant > 36 || scale > kMaxScale)
                return std::nullopt;
        } else if ((c == u',' || c == u'.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!sawDigit)
        return std::nullopt;
    int exponent = 0;
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        bool ok = false;
        exponent = t.mid(i + 1).toInt(&ok);
        if (!ok || std::abs(exponent) > kMaxScale)
            return std::nullopt;
        i = t.size();
    }
    if (i != t.size())
        return std::nullopt;
    scale -= exponent;
    if (scale < 0) {
        units = Multiply(units, PowerOfTen(-scale));
        scale = 0;
    }
    if (scale > kMaxScale)
        return std::nullopt;
    return Decimal(negative ? -units : units, scale, true);
}

double Decimal::toDouble() const {
    return toString().toDouble();
}

long long Decimal::toLongLong() const {
    const __int128 whole = units_ / PowerOfTen(scale_);
    if (whole > std::numeric_limits<long long>::max() || whole < std::numeric_limits<long long>::min())
        OutOfRange();
    return static_cast<long long>(whole);
}

QString Decimal::toString() const {
    __int128 u = units_ < 0 ? -units_ : units_;
    QString digits;
    do {
        digits.prepend(QLatin1Char(char('0' + int(u % 10))));
        u /= 10;
    } while (u != 0);
    while (digits.size() <= scale_)
        digits.prepend(QLatin1Char('0'));
    if (scale_ > 0)
        digits.insert(digits.size() - scale_, QLatin1Char('.'));
    return units_ < 0 ? QLatin1Char('-') + digits : digits;
}

__int128 Decimal::unitsAt(int scale) const {
    return Multiply(units_, PowerOfTen(scale - scale_));
}

Decimal Decimal::normalised() const {
    Decimal d = *this;
    while (d.scale_ > 0 && d.units_ % 10 == 0) {
        d.units_ /= 10;
        --d.scale_;
    }
    return d;
}

Decimal Decimal::rounded(int decimals, Rounding rule) const {
    if (decimals < 0 || decimals > kMaxScale)
        OutOfRange();
    if (scale_ <= decimals)
        return Decimal(unitsAt(decimals), decimals, true);
    const __int128 divisor = PowerOfTen(scale_ - decimals);
    __int128 quotient = units_ / divisor;        // towards zero
    const __int128 remainder = units_ % divisor; // sign of the value
    const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
    const int direction = units_ < 0 ? -1 : 1;
    bool awayFromZero = false;
    if (twice > divisor) {
        awayFromZero = true;
    } else if (twice == divisor) {
        switch (rule) {
        case Rounding::TiesToEven:
            awayFromZero = quotient % 2 != 0;
            break;
        case Rounding::HalfAwayFromZero:
            awayFromZero = true;
            break;
        case Rounding::HalfUp:
            awayFromZero = direction > 0;
            break;
        }
    }
    if (awayFromZero)
        quotient += direction;
    return Decimal(quotient, decimals, true);
}

Decimal Decimal::operator-() const {
    return Decimal(-units_, scale_, true);
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale_, b.scale_);
    return Decimal(Add(a.unitsAt(scale), b.unitsAt(scale)), scale, true);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return a + (-b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    const Decimal x = a.normalised();
    const Decimal y = b.normalised();
    return Decimal(Multiply(x.units_, y.units_), x.scale_ + y.scale_, true);
}

bool operator==(const Decimal& a, const Decimal& b) {
    return (a <=> b) == std::strong_ordering::equal;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale_, b.scale_);
    const __int128 x = a.unitsAt(scale), y = b.unitsAt(scale);
    return x < y ? std::strong_ordering::less
                 : (x > y ? std::strong_ordering::greater : std::strong_ordering::equal);
}

Decimal RoundTwoDecimals(const Decimal& value) {
    return value.rounded(2, Rounding::TiesToEven);
}

Decimal RoundForStorage(const Decimal& value, int decimals) {
    return value.rounded(decimals, Rounding::HalfAwayFromZero);
}

Decimal RoundWholeZloty(const Decimal& value) {
    return value.rounded(0, Rounding::HalfUp);
}
