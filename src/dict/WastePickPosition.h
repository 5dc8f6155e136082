#pragma once

class TdmfDict;

// Where the user was in the waste catalogue at the last confirmation of the waste-type picker: the
// year and the keys (sotl_id) of the group, subgroup and waste type. All 0 before the first one.
struct WastePickPosition {
    int rokId = 0;
    int grupaId = 0;
    int podgrupaId = 0;
    int rodzajId = 0;

    bool operator==(const WastePickPosition&) const = default;

    // The position kept for the rest of the run, shared by every opening of the picker.
    static WastePickPosition& remembered();
    // The current rows of the three catalogue lists of the module (0 for a closed or empty list); the
    // year is that of the current group row.
    static WastePickPosition current(const TdmfDict& dict);
};

// Closes the three catalogue lists, switches them to active rows only, gives them the year and opens
// them (each on its first row).
void OpenSoTlYear(TdmfDict& dict, int rokId);
// Closes the three catalogue lists.
void CloseSoTl(TdmfDict& dict);
// When a group is given, positions the group list on it, then the subgroup list and the waste-type
// list on theirs; a key not listed in the open year leaves its list on its first row.
void PositionSoTl(TdmfDict& dict, const WastePickPosition& position);
