#pragma once

// Registers the windows of Tables A to D behind the statement window's buttons.
void RegisterAirWindows();
