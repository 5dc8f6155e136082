#pragma once

#include <QString>
#include <QVariant>

#include <compare>
#include <optional>

// How a value is brought to fewer decimals. Each amount of the program names the rule it follows.
enum class Rounding {
    // To the nearest; a tie goes to the even neighbour (0.125 → 0.12, 0.135 → 0.14). The two-decimal
    // rule of Tables B, C and D, the water intake totals and the summary items.
    TiesToEven,
    // To the nearest; a tie goes away from zero (0.125 → 0.13, -0.125 → -0.13). The storage rule of
    // amounts kept as computed in a two-decimal column, and of whole numbers typed with decimals.
    HalfAwayFromZero,
    // To the nearest; a tie goes up (2.5 → 3). The whole-złoty rule of the summary's sections.
    HalfUp,
};

// An exact decimal number: integer units of a power of ten. Every amount, quantity and rate is
// carried in it from the moment it is read to the moment it is stored, so that sums and products are
// exact and a value is rounded once, by a named rule. Binary floating point is met only at the edge,
// where the database driver hands over a double.
class Decimal {
public:
    Decimal() = default;
    // units × 10^-scale; for example Decimal(12345, 2) is 123.45.
    Decimal(long long units, int scale = 0);

    // The decimal that a double read from the database stands for: its shortest form of at most 15
    // significant digits (a NUMERIC column's value comes back as the nearest double).
    static Decimal fromDouble(double value);
    // Null and empty are 0; integers exactly; doubles as `fromDouble`; texts as `fromText`.
    static Decimal fromVariant(const QVariant& value);
    // A number as the user types it ("1 234,56", "-0.5", "12,"); nothing when it is not a number.
    static std::optional<Decimal> fromText(const QString& text);

    double toDouble() const;
    // The whole part (towards zero); round first to choose the rule.
    long long toLongLong() const;
    QVariant toVariant() const { return toDouble(); }
    // Plain text with a point and the decimals of the scale: "-1234.50".
    QString toString() const;

    int scale() const { return scale_; }
    int sign() const { return units_ < 0 ? -1 : (units_ > 0 ? 1 : 0); }
    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }

    // The value with exactly `decimals` decimals, rounded by the rule when it has more.
    Decimal rounded(int decimals, Rounding rule) const;

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    // Exact: the scale of a product is the sum of the scales.
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    Decimal& operator+=(const Decimal& other) { return *this = *this + other; }
    Decimal& operator-=(const Decimal& other) { return *this = *this - other; }
    Decimal& operator*=(const Decimal& other) { return *this = *this * other; }

    // By value: 1.50 equals 1.5.
    friend bool operator==(const Decimal& a, const Decimal& b);
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

private:
    Decimal(__int128 units, int scale, bool);
    // The same value at a larger scale.
    __int128 unitsAt(int scale) const;
    // Trailing zero decimals dropped (keeps products small).
    Decimal normalised() const;

    __int128 units_ = 0;
    int scale_ = 0;
};

// The named rules, as the fee computations use them.
// Two decimals, ties to even: Tables B, C and D amounts and place totals, water intake totals, the
// summary's item amounts.
Decimal RoundTwoDecimals(const Decimal& value);
// The storage rule: `decimals` decimals (a column's scale), ties away from zero. Amounts computed in
// full and kept in a two-decimal column (Table A substance fees, water, sewage, rain and waste fees).
Decimal RoundForStorage(const Decimal& value, int decimals = 2);
// Whole złoty, a fraction of 0.50 or more going up: the section totals of the collective summary.
Decimal RoundWholeZloty(const Decimal& value);
