#pragma once

#include <QDate>
#include <QString>

// One administrative act as the printouts describe it: number, issuing authority, date of issue and
// the period of validity. A null (invalid) date is a date that was not entered.
struct PermitData {
    QString numer;
    QString organ;
    QDate dataWyd;
    QDate obowOd;
    QDate obowDo;
};

// Texts that describe the permits of a place of use on the printed returns.

// "Numer: …; Data wydania: …; Organ wydający: …;", each part only when it is there.
QString OpisPozwolenia(const QString& numer, const QString& organ, const QDate& dataWyd);
QString OpisPozwolenia(const PermitData& pozwolenie);
// "od <date>", " do <date>" or both; the empty text without either date.
QString OkresObowiazywania(const QDate& od, const QDate& do_);
QString OkresObowiazywania(const PermitData& pozwolenie);
// Two descriptions one below the other, separated by " --- "; an empty one is left out.
QString PolaczOpisy(const QString& first, const QString& second);

// An intake refers to up to two water-law permits; its status (100 none, 101 one, 102 two,
// 103 not required) says which of them count.
QString OpisPozwolenUjecia(int status, const PermitData& first, const PermitData& second,
                           const QString& uzasadnienie);
QString OkresPozwolenUjecia(int status, const PermitData& first, const PermitData& second);

// A receiver, an installation and a storage site carry one act with the status 100 "is there",
// 101 "there is none", 102 "not required".
QString OpisPozwoleniaWgStatusu(int status, const QString& numer, const QString& organ, const QDate& dataWyd);
QString OkresPozwoleniaWgStatusu(int status, const QDate& od, const QDate& do_);
