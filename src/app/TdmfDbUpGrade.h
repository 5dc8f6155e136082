#pragma once

#include "app/UpgradeScripts.h"
#include "platform/data/Connection.h"

#include <QString>
#include <QVector>

#include <functional>

class Messages;

// One step of the schema upgrade: its script and the prefix of its error message.
struct UpgradeStep {
    QString component; // sqlprcsrV1_V2 ...
    int from = 0;
    QString script;
    QString errorPrefix;
};

// The upgrade data module: the six steps 1 -> 2 ... 6 -> 7 and the driver that runs them.
//
// A step that fails in its middle keeps the statements that completed before the failing one; the
// module records, in the same transaction as each statement, how far the step got, so that the next
// run goes on from the failing statement instead of repeating what already exists.
class TdmfDbUpGrade {
public:
    TdmfDbUpGrade(Connection& connection, Messages& messages,
                  const UpgradeScripts& scripts = UpgradeScripts::FromResources());

    const UpgradeStep& sqlprcsrV1_V2() const { return steps_[0]; }
    const UpgradeStep& sqlprcsrV2_V3() const { return steps_[1]; }
    const UpgradeStep& sqlprcsrV3_V4() const { return steps_[2]; }
    const UpgradeStep& sqlprcsrV4_V5() const { return steps_[3]; }
    const UpgradeStep& sqlprcsrV5_V6() const { return steps_[4]; }
    const UpgradeStep& sqlprcsrV6_V7() const { return steps_[5]; }
    // The step whose source version is `from` (1 to 6).
    const UpgradeStep& step(int from) const { return steps_.at(from - 1); }

    // The driver: runs the steps from the given version up to 7 (or to `target`); true when reached.
    bool Run(int currentVersion, int target = 7);
    // True when table lata holds the year 2011 under the id 1002 (the 6 -> 7 step must not run).
    bool PreCheck();

    // Called before each statement of a step (tests make a step fail there).
    std::function<void(int from, int index, const QString& statement)> beforeStatement;
    // Called when a step has completed.
    std::function<void(const UpgradeStep& step)> afterStep;

private:
    bool RunStep(const UpgradeStep& step);
    void EnsureProgressTable();
    int StatementsDone(int from, const QString& digest);

    Connection& connection_;
    Messages& messages_;
    QVector<UpgradeStep> steps_;
};
