#pragma once

#include <functional>

// Runs a command on data sets for a window: an operation that a handler aborted ends quietly (the
// handler has already told the user what matters); any other failure of the data layer goes to the
// standard error display. True when the command ran to its end.
bool RunDataCommand(const std::function<void()>& command);
