#pragma once

#include <QString>

class Decimal;

// Numbers the Polish way (decimal comma, a blank between thousands) under a display format of the
// kind "0.00", "0.000", "#,##0.00" or "0.00,": the zeros after the point are the decimals always shown,
// hashes the decimals shown when not zero, a comma anywhere asks for thousands separators.
// A value with more decimals than the format shows is rounded half away from zero, as amounts are
// stored.
QString FormatNumber(const Decimal& value, const QString& format);
QString FormatNumber(double value, const QString& format);

// Reads a number typed the Polish way ("1 234,56", also with a point); false when it is not one.
bool ParseNumber(const QString& text, double* value);
