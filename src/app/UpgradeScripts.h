#pragma once

#include <QString>
#include <QVector>

// The texts of the six upgrade scripts, step 1 -> 2 first.
struct UpgradeScripts {
    QVector<QString> texts;

    // The scripts compiled into the program.
    static UpgradeScripts FromResources();
};
