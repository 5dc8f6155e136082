#include "entities/PermitTexts.h"

namespace {

// The short date of the Polish locale.
QString ShortDate(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy")).trimmed();
}

} // namespace

QString OpisPozwolenia(const QString& numer, const QString& organ, const QDate& dataWyd) {
    QString text;
    const QString nr = numer.trimmed();
    if (!nr.isEmpty())
        text += QStringLiteral("Numer: ") + nr + QStringLiteral("; ");
    if (dataWyd.isValid())
        text += QStringLiteral("Data wydania: ") + ShortDate(dataWyd) + QStringLiteral("; ");
    const QString org = organ.trimmed();
    if (!org.isEmpty())
        text += QStringLiteral("Organ wydający: ") + org + QLatin1Char(';');
    return text;
}

QString OpisPozwolenia(const PermitData& pozwolenie) {
    return OpisPozwolenia(pozwolenie.numer, pozwolenie.organ, pozwolenie.dataWyd);
}

QString OkresObowiazywania(const QDate& od, const QDate& do_) {
    QString text;
    if (od.isValid())
        text += QStringLiteral("od ") + ShortDate(od);
    if (do_.isValid())
        text += QStringLiteral(" do ") + ShortDate(do_);
    return text;
}

QString OkresObowiazywania(const PermitData& pozwolenie) {
    return OkresObowiazywania(pozwolenie.obowOd, pozwolenie.obowDo);
}

QString PolaczOpisy(const QString& first, const QString& second) {
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    return first + QStringLiteral("\n --- \n") + second;
}

QString OpisPozwolenUjecia(int status, const PermitData& first, const PermitData& second,
                           const QString& uzasadnienie) {
    switch (status) {
    case 100:
        return QStringLiteral("Brak pozwolenia");
    case 101:
        return OpisPozwolenia(first);
    case 102:
        return PolaczOpisy(OpisPozwolenia(first), OpisPozwolenia(second));
    case 103: {
        QString text = QStringLiteral("pozwolenie niewymagane");
        const QString why = uzasadnienie.trimmed();
        if (!why.isEmpty())
            text += QStringLiteral(": ") + why;
        return text;
    }
    default:
        return {};
    }
}

QString OkresPozwolenUjecia(int status, const PermitData& first, const PermitData& second) {
    switch (status) {
    case 101:
        return OkresObowiazywania(first);
    case 102:
        return PolaczOpisy(OkresObowiazywania(first), OkresObowiazywania(second));
    default:
        return {};
    }
}

QString OpisPozwoleniaWgStatusu(int status, const QString& numer, const QString& organ,
                                const QDate& dataWyd) {
    switch (status) {
    case 100:
        return OpisPozwolenia(numer, organ, dataWyd);
    case 101:
        return QStringLiteral("brak pozwolenia");
    case 102:
        return QStringLiteral("pozwolenie niewymagane");
    default:
        return {};
    }
}

QString OkresPozwoleniaWgStatusu(int status, const QDate& od, const QDate& do_) {
    return status == 100 ? OkresObowiazywania(od, do_) : QString();
}
