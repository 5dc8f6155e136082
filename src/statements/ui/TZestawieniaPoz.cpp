#include "statements/ui/TZestawieniaPoz.h"

#include "forms/ui/FillIdNameCombo.h"

#include "dict/TdmfDict.h"
#include "entities/ui/TPodmiotyLW.h"
#include "forms/DataHelpers.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataSourceLink.h"
#include "platform/ui/DateFieldEdit.h"
#include "platform/ui/FieldBinding.h"
#include "platform/ui/IdComboBinding.h"
#include "statements/TdmfZest.h"
#include "statements/ui/StatementContentWindows.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Fills a pick list with the active rows of a dictionary list, by ordinal. The rows are read by a
// query of the same statement, so that a dictionary window open on the list keeps its rows, position
// and filter.
void FillActivePickList(QComboBox* combo, const Query* dictionary, const QString& prefix,
                        const QString& nameField) {
    combo->clear();
    if (!dictionary)
        return;
    Query q(dictionary->connection());
    q.setSql(dictionary->sql());
    for (const QString& name : dictionary->paramNames())
        q.setParam(name, dictionary->param(name));
    SetActiveFilter(q, FilterActive);
    q.setSortedFields(prefix + QStringLiteral("_lp ASC"));
    RunDataCommand([&] { FillIdNameCombo(combo, q, prefix + QStringLiteral("_id"), 0, nameField); });
}

} // namespace

TZestawieniaPoz::TZestawieniaPoz(QWidget* parent) : TbcKsiegaPozycja(parent) {
    setObjectName(QStringLiteral("TZestawieniaPoz"));
    setWindowTitle(QStringLiteral("Zestawienie "));

    // --- the statement
    auto* header = new QFormLayout;
    contentLayout()->addLayout(header);
    cmbRok_ = addPickList(QStringLiteral("cmbRok"), QStringLiteral("z_rok_id"), QStringLiteral("rok_nazwa"),
                          QStringLiteral("Rok zestawienia"));
    header->addRow(QStringLiteral("Rok:"), cmbRok_);
    cmbPolrocze_ = addPickList(QStringLiteral("cmbPolrocze"), QStringLiteral("z_pr_id"),
                               QStringLiteral("pr_nazwa"), QStringLiteral("Półrocze zestawienia"));
    header->addRow(QStringLiteral("Półrocze:"), cmbPolrocze_);
    edtDataUtw_ = new DateFieldEdit(*dsMain, QStringLiteral("z_dt_utw"), this);
    edtDataUtw_->setObjectName(QStringLiteral("edtDataUtw"));
    edtDataUtw_->setToolTip(QStringLiteral("Data utworzenia zestawienia"));
    header->addRow(QStringLiteral("Data utworzenia:"), edtDataUtw_);
    cmbRokStOpl_ = addPickList(QStringLiteral("cmbRokStOpl"), QStringLiteral("z_rok_st_opl_id"),
                               QStringLiteral("rok_st_opl"), QString(), &rokStOpl_);
    header->addRow(QStringLiteral("Rok stawek opłat:"), cmbRokStOpl_);
    cmbStanZest_ = addPickList(QStringLiteral("cmbStanZest"), QStringLiteral("z_stz_id"),
                               QStringLiteral("stz_nazwa"), QStringLiteral("Stan zestawienia"));
    header->addRow(QStringLiteral("Stan zestawienia:"), cmbStanZest_);
    fillPickLists();

    // --- the entity
    auto* grpPodmiot = new QGroupBox(QStringLiteral("Podmiot korzystający ze środowiska"), this);
    grpPodmiot->setObjectName(QStringLiteral("grpPodmiot"));
    auto* entity = new QFormLayout;
    const struct {
        const char* caption;
        const char* name;
        const char* field;
    } entityFields[] = {{"Nazwa:", "edtPdmNazwa", "pdm_nazwa"},
                        {"Adres:", "edtPdmAdres", "pdm_adres"},
                        {"REGON:", "edtPdmRegon", "pdm_regon"},
                        {"Telefon lub faks:", "edtPdmTelefonFaks", "pdm_telefon_faks"},
                        {"Województwo:", "edtWojNazwa", "woj_nazwa"},
                        {"Powiat:", "edtPowNazwa", "pow_nazwa"},
                        {"Gmina:", "edtGmNazwa", "gm_nazwa"}};
    for (const auto& f : entityFields)
        entity->addRow(QString::fromUtf8(f.caption),
                       addEntityField(QString::fromLatin1(f.name), QString::fromLatin1(f.field)));
    auto* btnWybierzPodmiot = new QPushButton(QStringLiteral("Wybierz podmiot zestawienia"), grpPodmiot);
    btnWybierzPodmiot->setObjectName(QStringLiteral("btnWybierzPodmiot"));
    btnWybierzPodmiot->setAutoDefault(false);
    connect(btnWybierzPodmiot, &QPushButton::clicked, this, &TZestawieniaPoz::WybierzPodmiotZestawienia);
    auto* btnUsunPodmiot = new QPushButton(QStringLiteral("Usuń dane podmiotu zestawienia"), grpPodmiot);
    btnUsunPodmiot->setObjectName(QStringLiteral("btnUsunPodmiot"));
    btnUsunPodmiot->setAutoDefault(false);
    connect(btnUsunPodmiot, &QPushButton::clicked, this, &TZestawieniaPoz::UsunPodmiotZestawienia);
    auto* entityButtons = new QHBoxLayout;
    entityButtons->addWidget(btnWybierzPodmiot);
    entityButtons->addWidget(btnUsunPodmiot);
    entityButtons->addStretch(1);
    auto* entityLayout = new QVBoxLayout(grpPodmiot);
    entityLayout->addLayout(entity);
    entityLayout->addLayout(entityButtons);
    contentLayout()->addWidget(grpPodmiot);

    // --- the note
    auto* note = new QFormLayout;
    memNotatka_ = new QPlainTextEdit(this);
    memNotatka_->setObjectName(QStringLiteral("memNotatka"));
    memNotatka_->setToolTip(
        QStringLiteral("Notatka odnośnie zestawienia (nie wchodzi do wydruku zestawienia)"));
    memNotatka_->setTabChangesFocus(true);
    memNotatka_->setMaximumHeight(memNotatka_->fontMetrics().lineSpacing() * 5);
    FieldBinding::bind(memNotatka_, *dsMain, QStringLiteral("z_notatka"));
    note->addRow(QStringLiteral("Notatka:"), memNotatka_);
    contentLayout()->addLayout(note);

    // --- the statement's content
    auto* grpElementy = new QGroupBox(QStringLiteral("Elementy zestawienia"), this);
    grpElementy->setObjectName(QStringLiteral("grpElementy"));
    auto* groups = new QHBoxLayout;
    auto addGroup = [&](const QString& name, const QString& title) {
        auto* group = new QGroupBox(title, grpElementy);
        group->setObjectName(name);
        auto* layout = new QVBoxLayout(group);
        groups->addWidget(group);
        return layout;
    };
    QVBoxLayout* air =
        addGroup(QStringLiteral("grpGazy"), QStringLiteral("Wprowadzanie &gazów lub pyłów do powietrza"));
    air->addWidget(addContentButton(
        ContentButton::TabelaA, QStringLiteral("Tabela A"),
        QStringLiteral(
            "Charakterystyka źródeł powstawania substancji wprowadzanych do powietrza (Tabela A)")));
    air->addWidget(addContentButton(ContentButton::TabelaB, QStringLiteral("Tabela B"), QString()));
    air->addWidget(addContentButton(ContentButton::TabelaC, QStringLiteral("Tabela C"), QString()));
    air->addWidget(addContentButton(ContentButton::TabelaD, QStringLiteral("Tabela D"), QString()));
    air->addStretch(1);
    QVBoxLayout* water =
        addGroup(QStringLiteral("grpWoda"), QStringLiteral("Pobór wody i wprowadzanie ścieków"));
    water->addWidget(
        addContentButton(ContentButton::WodaPodziemna, QStringLiteral("Pobór wody podziemnej"), QString()));
    water->addWidget(addContentButton(ContentButton::WodaPowierzchniowa,
                                      QStringLiteral("Pobór wody powierzchniowej śródlądowej"), QString()));
    water->addWidget(addContentButton(ContentButton::Scieki,
                                      QStringLiteral("Ścieki wprowadzane do wód lub do ziemi"), QString()));
    water->addStretch(1);
    QVBoxLayout* waste = addGroup(QStringLiteral("grpOdpady"), QStringLiteral("Składowanie odpadów"));
    waste->addWidget(addContentButton(ContentButton::OdpadyTabelaA, QStringLiteral("Tabela A"),
                                      QStringLiteral("Składowanie odpadów (Załącznik Nr 5, Tabela A")));
    waste->addStretch(1);
    auto* further = new QHBoxLayout;
    further->addWidget(
        addContentButton(ContentButton::Zalacznik2, QStringLiteral("Załącznik 2 - Nagłówek"), QString()));
    further->addWidget(addContentButton(ContentButton::ZestZb, QStringLiteral("Zestawienie z&biorcze"),
                                        QStringLiteral("Edycja zestawienia zbiorczego")));
    further->addStretch(1);
    auto* contentLayoutBox = new QVBoxLayout(grpElementy);
    contentLayoutBox->addLayout(groups);
    contentLayoutBox->addLayout(further);
    contentLayout()->addWidget(grpElementy);

    // --- the rate-year lock follows the statement row
    auto* link = new DataSourceLink(*dsMain, this);
    connect(link, &DataSourceLink::dataSetChanged, this, &TZestawieniaPoz::SprawdzRokStawek);
    connect(link, &DataSourceLink::currentChanged, this, &TZestawieniaPoz::SprawdzRokStawek);
    connect(link, &DataSourceLink::recordChanged, this, &TZestawieniaPoz::SprawdzRokStawek);
    connect(link, &DataSourceLink::stateChanged, this, &TZestawieniaPoz::SprawdzRokStawek);
    SprawdzRokStawek();
}

QComboBox* TZestawieniaPoz::addPickList(const QString& name, const QString& idField, const QString& nameField,
                                        const QString& hint, IdComboBinding** binding) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->setToolTip(hint);
    combo->setMinimumContentsLength(12);
    IdComboBinding* b = IdComboBinding::bind(combo, *dsMain, idField, nameField);
    if (binding)
        *binding = b;
    return combo;
}

QLineEdit* TZestawieniaPoz::addEntityField(const QString& name, const QString& fieldName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMinimumWidth(360);
    FieldBinding::bind(edit, *dsMain, fieldName);
    edit->installEventFilter(this);
    entityFields_.append(edit);
    return edit;
}

QPushButton* TZestawieniaPoz::addContentButton(const QString& name, const QString& caption,
                                               const QString& hint) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    // A window not built into the program leaves its button disabled.
    button->setEnabled(bool(FindContentWindow(name)));
    connect(button, &QPushButton::clicked, this, [this, name] { OtworzElement(name); });
    return button;
}

void TZestawieniaPoz::fillPickLists() {
    const TdmfDict* dict = dmfDict;
    FillActivePickList(cmbRok_, dict ? dict->qryLata() : nullptr, QStringLiteral("rok"),
                       QStringLiteral("rok_nazwa"));
    FillActivePickList(cmbPolrocze_, dict ? dict->qryPolrocza() : nullptr, QStringLiteral("pr"),
                       QStringLiteral("pr_nazwa"));
    FillActivePickList(cmbRokStOpl_, dict ? dict->qryLataStOpl() : nullptr, QStringLiteral("rok"),
                       QStringLiteral("rok_nazwa"));
    FillActivePickList(cmbStanZest_, dict ? dict->qryStanZestawienia() : nullptr, QStringLiteral("stz"),
                       QStringLiteral("stz_nazwa"));
    for (IdComboBinding* b : findChildren<IdComboBinding*>())
        b->refresh();
}

void TZestawieniaPoz::BindEntry(QObject* dataModule, Query* dataSet) {
    dm_ = qobject_cast<TdmfZest*>(dataModule);
    TbcKsiegaPozycja::BindEntry(dataModule, dataSet);
    SprawdzRokStawek();
}

void TZestawieniaPoz::SprawdzRokStawek() {
    if (!rokStOpl_)
        return;
    bool locked = true;
    if (!dm_ || !RunDataCommand([&] { locked = dm_->RokStOplZablokowany(); }))
        locked = true;
    rokStOpl_->setLocked(locked);
}

void TZestawieniaPoz::WybierzPodmiotZestawienia() {
    const Query* q = dsMain->dataSet();
    if (!dm_ || !q || !q->isActive() || q->recNo() < 0)
        return;
    const int current = int(q->fieldByName(QStringLiteral("z_pdm_id")).asInteger());
    WybierzPodmiot(current, this,
                   [this](const Query& podmioty) { RunDataCommand([&] { dm_->SetPodmiot(podmioty); }); });
}

void TZestawieniaPoz::UsunPodmiotZestawienia() {
    const Query* q = dsMain->dataSet();
    if (!dm_ || !q || !q->isActive() || q->recNo() < 0)
        return;
    RunDataCommand([this] { dm_->ClearPodmiot(); });
}

void TZestawieniaPoz::OtworzElement(const QString& buttonName) {
    const ContentWindow window = FindContentWindow(buttonName);
    if (!window || !dm_ || !dsMain->dataSet())
        return;
    // The content hangs under a saved statement: a refused save opens nothing.
    if (!FieldBinding::commitAll(this))
        return;
    if (!RunDataCommand([this] { PostIfEditing(*dsMain); }))
        return;
    RunDataCommand([&] { window(*dm_, this); });
    dm_->ZawartoscZmieniona();
    SprawdzRokStawek();
}

bool TZestawieniaPoz::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (const QLineEdit* edit : entityFields_)
            if (watched == edit) {
                WybierzPodmiotZestawienia();
                return true;
            }
    }
    return TbcKsiegaPozycja::eventFilter(watched, event);
}
