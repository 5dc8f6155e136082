#include "statements/PrtZestZb.h"

#include "platform/data/Query.h"

QVariant TprtStatementForm::reportVariable(const QString& name) const {
    if (name == QLatin1String("Rok"))
        return rok_;
    if (name == QLatin1String("Polrocze"))
        return polrocze_;
    if (name == QLatin1String("PdmNazwa"))
        return podmiot_.nazwa;
    if (name == QLatin1String("PdmAdres"))
        return podmiot_.adres;
    if (name == QLatin1String("PdmRegon"))
        return podmiot_.regon;
    if (name == QLatin1String("PdmTelFaks"))
        return podmiot_.telefonFaks;
    return QVariant();
}

TprtZestZb::TprtZestZb(Connection& connection, QObject* parent) : TprtStatementForm(connection, parent) {
    setCaption(QStringLiteral("Zestawienie zbiorcze "));
    qryMain().setSql(
        QStringLiteral("SELECT pzzb_id, pzzb_zzb_id, pzzb_spzzb_id, pzzb_wys_oplaty, spzzb_id, "
                       "spzzb_lp_wydr, spzzb_etykieta_frm, "
                       "spzzb_etykieta_prt, spzzb_kod_tabeli, spzzb_poz_wydruku, spzzb_f_aktualny, spzzb_lp "
                       "FROM pozycje_zzb "
                       "INNER JOIN szablony_poz_zzb ON spzzb_id = pzzb_spzzb_id WHERE pzzb_zzb_id = :zzb_id "
                       "ORDER BY spzzb_poz_wydruku ASC, pzzb_id"));
    qryMain().field(QStringLiteral("pzzb_wys_oplaty")).setDisplayFormat(QStringLiteral("0.00,"));
}

void TprtZestZb::SetZestZb(int zzbId) {
    qryMain().setParam(QStringLiteral("zzb_id"), zzbId);
}

ReportLayout TprtZestZb::layout() const {
    ReportLayout l;
    ReportParts::AddHeaderLines(l);
    ReportParts::AddFormHead(
        l,
        QStringLiteral(
            "WYKAZ ZAWIERAJĄCY ZBIORCZE ZESTAWIENIE INFORMACJI O ZAKRESIE KORZYSTANIA ZE ŚRODOWISKA ORAZ O "
            "WYSOKOŚCI NALEŻNYCH OPŁAT "),
        QStringLiteral(
            "ZBIORCZE ZESTAWIENIE INFORMACJI O ZAKRESIE KORZYSTANIA ZE ŚRODOWISKA ORAZ O WYSOKOŚCI "
            "NALEŻNYCH OPŁAT "));
    const ReportColumns cols{{12, 118, 25, 35}};
    ReportParts::AddColumnHeadings(l, cols,
                                   {QStringLiteral("Lp."), QStringLiteral("Rodzaj korzystania ze środowiska"),
                                    QStringLiteral("Kod tabeli"), QStringLiteral("Wielkość opłaty ")});
    auto row = TableRow(cols,
                        {QStringLiteral("[SPZZB_LP_WYDR]"), QStringLiteral("[SPZZB_ETYKIETA_PRT]"),
                         QStringLiteral("[SPZZB_KOD_TABELI]"), QStringLiteral("[PZZB_WYS_OPLATY]")},
                        6, Qt::AlignLeft | Qt::AlignVCenter, ReportFont{9, false, false});
    row[0].align = Qt::AlignRight | Qt::AlignVCenter;
    row[2].align = Qt::AlignCenter;
    row[3].align = Qt::AlignRight | Qt::AlignVCenter;
    l.addBand(BandKind::Detail, 6).cells = row;

    // The notes and the instruction under the table, in the smaller type.
    const QStringList notes = {
        QStringLiteral("Objaśnienia:"),
        QStringLiteral(
            "1) Wypełnia się w każdym przypadku przedkładania któregokolwiek z wykazów zawartych w "
            "załącznikach nr 2-5."),
        QStringLiteral(
            "2) Należy podać rok, którego dotyczy wykaz. W przypadku przedkładania wykazu za okres "
            "półrocza należy dodatkowo podać, którego półrocza dotyczy."),
        QStringLiteral(
            "3) Oznaczenie literowe tabel w załącznikach nr 2-5; należy podkreślić kod tej tabeli, którą "
            "dany podmiot korzystający ze środowiska wypełnił."),
        QStringLiteral(
            "4) Zaokrągla się do pełnych złotych w ten sposób, że końcówkę kwoty mniejszą niż 50 groszy "
            "pomija się, a końcówkę kwoty wynoszącą 50 i więcej groszy podwyższa się do pełnych złotych."),
        QStringLiteral("5) Kody rodzajów ścieków wprowadzanych do wód lub do ziemi:"),
        QStringLiteral(
            "a) ścieki bytowe, z wyłączeniem ścieków bytowych wchodzących w skład ścieków komunalnych, "
            "ścieków przemysłowych lub ścieków innych niż ścieki komunalne albo ścieki przemysłowe, "),
        QStringLiteral(
            "b) ścieki komunalne inne niż ścieki bytowe wprowadzane urządzeniami służącymi do realizacji "
            "zadań własnych gminy w zakresie kanalizacji i oczyszczania ścieków komunalnych,"),
        QStringLiteral("c) ścieki przemysłowe wprowadzane z urządzeń innych niż wymienione w lit. b,"),
        QStringLiteral("d) ścieki inne niż wymienione w lit. a-c. "),
        QStringLiteral(
            "6) Suma opłat za poszczególne rodzaje korzystania ze środowiska, określonych w wierszach I, "
            "II, III i IV; nie wlicza się do niej opłat z tytułu tych rodzajów korzystania ze środowiska, "
            "których półroczna wysokość nie przekracza 400 zł."),
        QStringLiteral("Pouczenie:"),
        QStringLiteral("Zawarte w wykazie informacje o wysokości należnych opłat stanowią podstawę do "
                       "wystawienia tytułu "
                       "wykonawczego, zgodnie z przepisami ustawy z dnia 17 czerwca 1966 r. o postępowaniu "
                       "egzekucyjnym w "
                       "administracji (Dz. U. z 2005 r. Nr 229, poz. 1954, z 2006 r. Nr 104, poz. 708 i 711, "
                       "Nr 133, poz. 935, "
                       "Nr 157, poz. 1119 i Nr 187, poz. 1381, z 2007 r. Nr 89, poz. 589, Nr 115, poz. 794, "
                       "Nr 176, poz. 1243 i "
                       "Nr 192, poz. 1378, z 2008 r. Nr 209, poz. 1318 oraz z 2009 r. Nr 3, poz. 11 i Nr 39, "
                       "poz. 308)."),
    };
    const ReportFont small{7, false, false};
    l.addBand(BandKind::Summary, 3);
    for (const QString& note : notes) {
        const bool heading = note.endsWith(QLatin1Char(':')) && !note.startsWith(QLatin1Char('5'));
        ReportBand& band = l.addBand(BandKind::Summary, 3.5);
        band.cells.push_back(TextCell(0, heading ? 1 : 0, l.contentWidth(), 3.5, note,
                                      Qt::AlignLeft | Qt::AlignTop, ReportFont{7, heading, false}));
    }
    ReportBand& signatures = l.addBand(BandKind::Summary, 22);
    const double third = l.contentWidth() / 3;
    const QStringList captions = {
        QStringLiteral("(data)"), QStringLiteral("(podpis osoby wypełniającej) "),
        QStringLiteral("(podpis osoby upoważnionej\ndo reprezentowania podmiotu) ")};
    for (int i = 0; i < captions.size(); ++i) {
        signatures.cells.push_back(TextCell(i * third + 5, 10, third - 10, 4,
                                            QStringLiteral("........................................"),
                                            Qt::AlignHCenter | Qt::AlignBottom, small));
        signatures.cells.push_back(TextCell(i * third + 5, 14, third - 10, 7, captions.at(i),
                                            Qt::AlignHCenter | Qt::AlignTop, small));
    }
    ReportParts::AddPageFooter(l);
    return l;
}

TprtZal2::TprtZal2(Connection& connection, QObject* parent) : TprtStatementForm(connection, parent) {
    setCaption(QStringLiteral("Załącznik 2"));
    // The places in a fixed order: by address, then commune and county (one address may be in two).
    qryMain().setSql(QStringLiteral("SELECT * FROM v_z2_mca_korzyst WHERE woj_id = :woj_id AND z_id = :z_id "
                                    "ORDER BY adres, gm_nazwa, pow_nazwa, gm_id"));
}

void TprtZal2::SetZestWoj(int zId, int wojId) {
    qryMain().setParam(QStringLiteral("z_id"), zId);
    qryMain().setParam(QStringLiteral("woj_id"), wojId);
}

ReportLayout TprtZal2::layout() const {
    ReportLayout l;
    ReportParts::AddHeaderLines(l);
    ReportParts::AddFormHead(
        l,
        QStringLiteral(
            "WYKAZ ZAWIERAJĄCY INFORMACJE O ILOŚCI I RODZAJACH GAZÓW LUB PYŁÓW WPROWADZANYCH DO POWIETRZA, "
            "DANE, NA PODSTAWIE KTÓRYCH OKREŚLONO TE ILOŚCI, ORAZ INFORMACJE O WYSOKOŚCI NALEŻNYCH OPŁAT"),
        QStringLiteral("WPROWADZANIE GAZÓW LUB PYŁÓW DO POWIETRZA "));
    const ReportColumns cols{{12, 88, 45, 45}};
    ReportParts::AddColumnHeadings(
        l, cols,
        {QStringLiteral("Lp."), QStringLiteral("Adres"), QStringLiteral("Gmina"), QStringLiteral("Powiat")});
    auto row = TableRow(cols,
                        {QStringLiteral("[LINE#]"), QStringLiteral("[ADRES]"), QStringLiteral("[GM_NAZWA]"),
                         QStringLiteral("[POW_NAZWA]")},
                        6, Qt::AlignLeft | Qt::AlignVCenter, ReportFont{9, false, false});
    row[0].align = Qt::AlignCenter;
    l.addBand(BandKind::Detail, 6).cells = row;
    ReportParts::AddPageFooter(l);
    return l;
}
