#pragma once

class WindowRegistry;

// The users window, the signed-in user's password change and the first-login information.
void RegisterUserWindows(WindowRegistry& registry);
