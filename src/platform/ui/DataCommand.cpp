#include "platform/ui/DataCommand.h"

#include "platform/Messages.h"
#include "platform/data/DataError.h"

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
