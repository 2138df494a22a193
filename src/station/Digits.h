#pragma once

#include <QString>

// The rule of every number field: the ASCII digits only. QChar::isDigit would let
// Arabic-Indic and other scripts' digits in, which no code or number may hold.
bool isAsciiDigits(const QString& text);
