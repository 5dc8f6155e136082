#include "platform/ui/DataCommand.h"

#include "platform/Messages.h"
#include "platform/data/DataError.h"

#include <QCoreApplication>
#include <QSet>
#include <QTimer>

bool RunDataCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const OperationAborted&) {
    } catch (const DataError& e) {
        ShowStandardError(e.message());
    } catch (const std::exception& e) {
        ShowStandardError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void ShowStandardErrorLater(const QString& text) {
    static QSet<QString> pending;
    if (pending.contains(text))
        return;
    pending.insert(text);
    QTimer::singleShot(0, QCoreApplication::instance(), [text] {
        pending.remove(text);
        ShowStandardError(text);
    });
}

void RunReportingLater(const std::function<void()>& step) {
    try {
        step();
    } catch (const OperationAborted&) {
    } catch (const DataError& e) {
        ShowStandardErrorLater(e.message());
    } catch (const std::exception& e) {
        ShowStandardErrorLater(QString::fromLocal8Bit(e.what()));
    }
}
