#pragma once

#include <QString>

// What a capacity sorts by: "800" before "2100", though both are texts as
// typed; no capacity first, anything that is not a number after all numbers.
QString capacitySortKey(const QString& capacity);
