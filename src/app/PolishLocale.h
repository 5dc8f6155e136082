#pragma once

class QCoreApplication;

// Makes the toolkit speak Polish: Polish as the default locale (month and day names, number and date
// formats of the standard widgets) and the toolkit's own Polish translations (standard buttons, file
// and print dialogs), taken from the system's Qt translations. False when the translations could not
// be loaded; the locale is set in any case.
bool InstallPolishLocale(QCoreApplication& app);
