#pragma once

// Puts the printout of the collective summary behind the print button of the summary window.
void RegisterSummaryPrintouts();
