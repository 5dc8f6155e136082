#pragma once

#include "forms/ui/TbcDictT2.h"

class TdmfAppUsers;

// The users of the program, for administrators: a read-only list whose rows are added, changed and
// viewed in the user dialog; the rights of the current user in their own window.
class TAppUsers : public TbcDictT2 {
    Q_OBJECT
public:
    explicit TAppUsers(QWidget* parent = nullptr);
    ~TAppUsers() override;

    TdmfAppUsers& users() const { return *users_; }

    QAction* actPost;
    QAction* actPodglad;
    QAction* actUprawnienia;

protected:
    void actDodajExecute() override;
    void actPoprawExecute() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void openUser(bool viewOnly);

    TdmfAppUsers* users_;
};
