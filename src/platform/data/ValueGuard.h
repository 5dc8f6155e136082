#pragma once

#include "platform/Decimal.h"

#include <QString>

#include <functional>

class Query;

// A problem with a value the user gives, in words; empty when the value is fine.
using ValueCheck = std::function<QString(const Decimal&)>;

// The value must not be below 0; otherwise the message.
ValueCheck NotNegative(const char* message);
// The value must lie within 0–100 (a percentage); otherwise the message.
ValueCheck Percent(const char* message);

// A number field that refuses values out of range: a typed one is refused with the message (the
// field keeps its value), and a row holding one, however it got there, is not saved. A typed value is
// kept at the decimals of its column (storage rule), so that an amount is computed from what is stored.
void GuardValue(Query& query, const char* fieldName, int decimals, const ValueCheck& check);
