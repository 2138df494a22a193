#pragma once

#include "station/KitCheck.h"
#include "tools/Command.h"

namespace tools {

// kit-check: a kit checked as the station will use it, before exam day.
std::vector<Command> kitCheckCommands();

// Converts a sheet as the sheet view does and measures it at width (needs a Gui application).
KitCheck::SheetMeasure measureSheet(const QByteArray& rtf, int width);

} // namespace tools
