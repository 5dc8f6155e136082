#pragma once

#include <QString>

#include <functional>

// Runs a command on data sets for a window: an operation that a handler aborted ends quietly (the
// handler has already told the user what matters); any other failure of the data layer goes to the
// standard error display. True when the command ran to its end.
bool RunDataCommand(const std::function<void()>& command);

// A failure met where no message box may open (painting a cell, a destructor): shown on the standard
// error display once control is back in the event loop; the same text is not queued twice.
void ShowStandardErrorLater(const QString& text);
// Runs a step whose failure must not stop its caller, reporting a failure as above.
void RunReportingLater(const std::function<void()>& step);
