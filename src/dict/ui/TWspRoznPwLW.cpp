#include "dict/ui/TWspRoznPwLW.h"

#include "dict/TdmfDict.h"

namespace {

// The picker's own columns; no caption of its own.
const DictWindowDef& PickerDef() {
    static const DictWindowDef def{"TWspRoznPwLW",
                                   "",
                                   &TdmfDict::qryWspRoznPw,
                                   "wrpw",
                                   {{"WRPW_LP"}, {"WRPW_WARTOSC"}, {"WRPW_NAZWA", true}, {"WRPW_ID"}}};
    return def;
}

} // namespace

TWspRoznPwLW::TWspRoznPwLW(TdmfDict& dict, QWidget* parent) : TDictWindow(PickerDef(), dict, parent) {
    setPickerMode(true);
}

void TWspRoznPwLW::setTypUjecia(int tuwId) {
    tuwId_ = tuwId;
}

void TWspRoznPwLW::showing() {
    TDictWindow::showing();
    // Filtered while the picker is shown; the dictionary window clears it when it is shown itself.
    Query* q = dict().qryWspRoznPw();
    const int tuwId = tuwId_;
    q->setFilter(
        [tuwId](const RecordView& row) { return row.value(QStringLiteral("wrpw_tuw_id")).toInt() == tuwId; });
    q->setFiltered(true);
    q->first();
}
