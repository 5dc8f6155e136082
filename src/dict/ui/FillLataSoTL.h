#pragma once

class QComboBox;

// Fills the pick list of rate years with the years that have a waste catalogue, ascending (text
// rok_nazwa, TScIdName attached), and selects the year with the given key; nothing is selected when
// no item has it.
void FillLataSoTL(QComboBox* combo, int selectRokId);
