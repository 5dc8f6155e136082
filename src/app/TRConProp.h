#pragma once

#include <QString>

// Connection properties derived from the configuration file.
struct TRConProp {
    bool embedded = false;
    QString host;     // empty in embedded mode
    QString port;     // "3050" in embedded mode
    QString database; // the path after macro expansion
    QString user;
    QString password; // deciphered
};
