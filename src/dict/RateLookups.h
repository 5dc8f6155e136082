#pragma once

#include "forms/DataHelpers.h"

#include <QList>
#include <QString>

class Connection;

// Unit rates and differentiating coefficients of the sewage and waste fees, found by the rate year
// of the statement and the code of the rate row. Each lookup answers 0 when the row is missing (and
// the fee computed from it is then 0); a failing query raises DataError to the caller.
// The overloads without a connection run on the main connection.

// Cooling-water codes of so_tabela_c.
inline constexpr const char* kKodTemp26_32 = "TEMP_26_32";
inline constexpr const char* kKodTemp32_35 = "TEMP_32_35";
inline constexpr const char* kKodTempPonad35 = "TEMP_>35";

// The rate of a row of so_tabela_c (cooling water).
double GetStawkaTC(const QString& kod, int rokId);
double GetStawkaTC(Connection& connection, const QString& kod, int rokId);

// The code of so_tabela_c for a cooling-water temperature [°C]; empty at or below +26 °C.
QString KodTempWody(double temperature);
// The cooling-water rate for a temperature; 0 at or below +26 °C, without asking the database.
double GetStawkaTempWody(double temperature, int rokId);
double GetStawkaTempWody(Connection& connection, double temperature, int rokId);

// The rate of a row of so_tabela_a ("a") or so_tabela_b ("b"); 0 for any other letter.
double GetStawkaSoTab(const QString& table, const QString& kod, int rokId);
double GetStawkaSoTab(Connection& connection, const QString& table, const QString& kod, int rokId);

// The rate table letter and code at which an indicator of Table A (wskazniki_ta_sc) is charged; the
// chloride and sulphate sum has its own rate in the area of the Gdańsk water board (key 100).
// False for an indicator outside 100 to 115.
bool WskTaRateRow(int indicatorId, int rzgwId, QString* table, QString* kod);
// The unit rate of an indicator of Table A; 0 for an indicator outside 100 to 115.
double GetStawkaWskTA(int indicatorId, int rzgwId, int rokId);
double GetStawkaWskTA(Connection& connection, int indicatorId, int rzgwId, int rokId);

// A sewage differentiating coefficient (wsp_rozn_sc) by its key.
double GetWspRoznSc(int id);
double GetWspRoznSc(Connection& connection, int id);
// The coefficient of an indicator for a kind of sewage ("a" domestic, "b" municipal): BZT5 and ChZT
// only; 1 for any other pair.
double GetWspRoznScWsk(int indicatorId, const QString& kindCode);
double GetWspRoznScWsk(Connection& connection, int indicatorId, const QString& kindCode);

// A waste storage coefficient (wsp_rozn_odpd) by its key.
double GetWspRoznOdpd(int id);
double GetWspRoznOdpd(Connection& connection, int id);

// The years that have a waste catalogue (so_tabela_l), ascending: rok_id and rok_nazwa.
QList<TIdName> LataSoTL();
QList<TIdName> LataSoTL(Connection& connection);
