#pragma once

class WindowRegistry;

// Gives the registry the factories of the windows the program has, on the program's dictionaries
// module.
void RegisterProgramWindows(WindowRegistry& registry);
