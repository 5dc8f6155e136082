#pragma once

// Registers the water withdrawal and sewage windows behind the statement window's buttons.
void RegisterWaterWindows();
