#pragma once

#include "forms/ui/TbcKsiegaEF.h"

class Connection;
class TdmfZest;

// The register of statements: a child window of the main window over the statement list of its own
// statement data module. "&Dodaj" and "&Popraw" (and a double click) open the statement window
// (TZestawieniaPoz) on a new or the current statement; "&Usuń" deletes the statement with all its
// content after the question.
class TZestawienia : public TbcKsiegaEF {
    Q_OBJECT
public:
    explicit TZestawienia(QWidget* parent = nullptr);
    explicit TZestawienia(Connection& connection, QWidget* parent = nullptr);

    TdmfZest* dmfZest() const { return dm_; }

protected:
    void actDodajExecute() override;
    void actPoprawExecute() override;

private:
    TdmfZest* dm_;
};
