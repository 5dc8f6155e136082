#!/usr/bin/env bash
# Builds an Ostoja database from the SQL files of src/db the way the program does (every
# statement committed on its own), times it, and checks the content of versions 1 and 7, the
# views, the cascades and refusals, and the upgrade of a version-6 database that holds user data.
#
# usage: src/db/gen/check.sh [work folder]      (needs isql-fb; no server: embedded engine)
# Prints one line per failed check and ends with "N passed, M failed".
set -uo pipefail

DB_DIR=$(cd "$(dirname "$0")/.." && pwd)
WORK=${1:-$(mktemp -d /tmp/ostoja-db-check.XXXXXX)}
mkdir -p "$WORK"
export FIREBIRD_LOCK=${FIREBIRD_LOCK:-$WORK/lock}
mkdir -p "$FIREBIRD_LOCK"
PASSED=0
FAILED=0

# The script files with a COMMIT after every statement: what the program's runner does.
committed() { awk '{ print } /;[ \t]*$/ && !/^--/ { print "COMMIT;" }' "$@"; }
isql() { isql-fb -q -ch UTF8 -user SYSDBA "$@"; }

# With OSTOJA_ADMIN set (the path of ostoja-admin), databases are created and upgraded by the
# program itself instead of isql-fb.
ADMIN=${OSTOJA_ADMIN:-}

# build DB VERSION: a new database brought to VERSION (1 to 7)
build() {
  local db=$1 upto=$2 v=1 s
  rm -f "$db"
  if [ -n "$ADMIN" ]; then
    "$ADMIN" create-db "$db" >/dev/null || return 1
    [ "$upto" -gt 1 ] && { "$ADMIN" upgrade "$db" --to "$upto" >/dev/null || return 1; }
    return 0
  fi
  { echo "CREATE DATABASE '$db' USER 'SYSDBA' DEFAULT CHARACTER SET WIN1250;"
    committed "$DB_DIR/base_v1.sql" "$DB_DIR/base_v1_data.sql"; } | isql -bail || return 1
  for s in V1_V2 V2_V3 V3_V4 V4_V5 V5_V6 V6_V7; do
    [ "$v" -ge "$upto" ] && break
    committed "$DB_DIR/sqlprcsr$s.sql" | isql -bail "$db" || { echo "upgrade $s failed"; return 1; }
    v=$((v + 1))
  done
}

# upgrade DB FROM TO
upgrade() {
  local db=$1 v=$2 to=$3 steps=(x V1_V2 V2_V3 V3_V4 V4_V5 V5_V6 V6_V7)
  if [ -n "$ADMIN" ]; then
    "$ADMIN" upgrade "$db" --to "$to" >/dev/null
    return
  fi
  while [ "$v" -lt "$to" ]; do
    committed "$DB_DIR/sqlprcsr${steps[$v]}.sql" | isql -bail "$db" || return 1
    v=$((v + 1))
  done
}

# checks DB: each line of standard input is "label | condition"; a condition that is not true fails.
checks() {
  local db=$1 label cond sql out n=0
  sql="SET HEADING OFF;"$'\n'
  while IFS='|' read -r label cond; do
    [ -z "${cond// /}" ] && continue
    sql+="SELECT 'FAIL:${label//\'/\'\'}' FROM RDB\$DATABASE WHERE NOT COALESCE(($cond), FALSE);"$'\n'
    n=$((n + 1))
  done
  out=$(printf '%s' "$sql" | isql "$db" 2>&1 | grep -v '^[[:space:]]*$')
  local bad
  bad=$(printf '%s\n' "$out" | grep -c 'FAIL:\|Statement failed\|error' || true)
  [ -n "$out" ] && printf '%s\n' "$out"
  PASSED=$((PASSED + n - bad))
  FAILED=$((FAILED + bad))
}

# expect_error DB LABEL SQL PATTERN: the statement must be refused with a message matching PATTERN
expect_error() {
  local out
  out=$(printf 'SET HEADING OFF;\n%s\nCOMMIT;\n' "$3" | isql "$1" 2>&1)
  if printf '%s' "$out" | grep -q -- "$4"; then PASSED=$((PASSED + 1)); else
    FAILED=$((FAILED + 1)); echo "FAIL:$2: $out"; fi
}

# sql DB: run statements from standard input, each committed
sql() { committed /dev/stdin | isql -bail "$1"; }

# ---------------------------------------------------------------------------------------------
# Timing: the whole path, version 1 to 7
start=$(date +%s%N)
build "$WORK/v7.fdb" 7 || { echo "build failed"; echo "0 passed, 1 failed"; exit 1; }
end=$(date +%s%N)
echo "create + upgrade 1 -> 7: $(( (end - start) / 1000000 )) ms ($([ -n "$ADMIN" ] && echo ostoja-admin || echo "isql-fb, every statement committed"))"

# ---------------------------------------------------------------------------------------------
# Version 1 as created
build "$WORK/v1.fdb" 1 || exit 1
checks "$WORK/v1.fdb" <<'EOF'
v1 db_ver                   | (SELECT COUNT(*) FROM db_ver WHERE metadata = 1 AND metadata_d = 1) = 1 AND (SELECT COUNT(*) FROM db_ver) = 1
v1 year 2011                | (SELECT rok_id FROM lata WHERE rok_nazwa = 2011) = 1001 AND (SELECT rok_lp FROM lata) = 10
v1 first user year key      | GEN_ID(g_lata, 1) = 1003
v1 generators at 1000       | GEN_ID(g_podmioty, 0) = 1000 AND GEN_ID(g_gminy, 0) = 1000 AND GEN_ID(g_rzgw, 0) = 1000
v1 unique keys exist        | (SELECT COUNT(*) FROM rdb$relation_constraints WHERE rdb$constraint_type = 'UNIQUE' AND rdb$constraint_name IN ('IX_STAWKI_TC1', 'IX_STAWKI_PW1', 'IX_STAWKI_TB1', 'IX_STAWKI_SILNIK_PALIWO1', 'IX_LATA1')) = 5
v1 tb row 101 old name      | (SELECT stb_nazwa_oplaty FROM stawki_tb WHERE stb_id = 101) = 'Opróżnianie zbiorników z dachem stałym'
v1 views                    | (SELECT COUNT(*) FROM rdb$relations WHERE rdb$relation_name IN ('V_ZZB_WOJ', 'V_LOK_B_C') AND rdb$view_blr IS NOT NULL) = 2
v1 no later tables          | (SELECT COUNT(*) FROM rdb$relations WHERE rdb$relation_name IN ('SO_TABELA_A', 'SO_TABELA_G', 'SO_TABELA_L')) = 0
EOF

# ---------------------------------------------------------------------------------------------
# Version 7: content
checks "$WORK/v7.fdb" <<'EOF'
db_ver                      | (SELECT metadata FROM db_ver) = 7 AND (SELECT metadata_d FROM db_ver) = 7
voivodeships                | (SELECT COUNT(*) FROM wojewodztwa) = 16 AND (SELECT MIN(woj_id) FROM wojewodztwa) = 100 AND (SELECT MAX(woj_id) FROM wojewodztwa) = 115
voivodeship name            | (SELECT woj_nazwa FROM wojewodztwa WHERE woj_identyfikator = '14') = 'mazowieckie'
counties                    | (SELECT COUNT(*) FROM powiaty) = 380 AND (SELECT MAX(pow_id) FROM powiaty) = 479
communes                    | (SELECT COUNT(*) FROM gminy) = 2477 AND (SELECT MAX(gm_id) FROM gminy) = 2576 AND (SELECT MAX(gm_lp) FROM gminy) = 24770
communes by kind            | (SELECT COUNT(*) FROM gminy WHERE gm_rjt_id = 100) = 302 AND (SELECT COUNT(*) FROM gminy WHERE gm_rjt_id = 101) = 1533 AND (SELECT COUNT(*) FROM gminy WHERE gm_rjt_id = 102) = 642
commune display name        | (SELECT TRIM(gm_nazwa) || ' (' || TRIM(rjt_skrot) || ')' FROM gminy JOIN rodzaje_jednostek_teryt ON rjt_id = gm_rjt_id WHERE gm_identyfikator = '0201011') = 'Bolesławiec (gm. m.)'
commune in its county       | (SELECT pow_nazwa FROM gminy JOIN powiaty ON pow_id = gm_pow_id WHERE gm_identyfikator = '1465011') = 'Warszawa'
years                       | (SELECT COUNT(*) FROM lata) = 2 AND (SELECT rok_nazwa FROM lata WHERE rok_id = 1002) = 2012 AND (SELECT rok_lp FROM lata WHERE rok_id = 1002) = 10 AND (SELECT rok_lp FROM lata WHERE rok_id = 1001) = 20
rate years                  | (SELECT COUNT(*) FROM lata WHERE rok_f_st_op = 1) = 2
2012 listed first           | (SELECT FIRST 1 rok_nazwa FROM lata ORDER BY rok_lp) = 2012
half-years and states       | (SELECT COUNT(*) FROM polrocza) = 2 AND (SELECT pr_nr FROM polrocza WHERE pr_nazwa = 'II półrocze') = 2 AND (SELECT COUNT(*) FROM stan_zestawienia) = 2
admin                       | (SELECT au_pw FROM app_users WHERE au_login = 'ADMIN' AND au_active = 1 AND au_administrator = 1) = 'D033E22AE348AEB5660FC2140AEC35850C4DA997'
templates                   | (SELECT COUNT(*) FROM szablony_poz_zzb) = 29 AND (SELECT MAX(spzzb_id) FROM szablony_poz_zzb) = 128 AND (SELECT MAX(spzzb_poz_wydruku) FROM szablony_poz_zzb) = 29
template keys               | (SELECT spzzb_lp_wydr || '/' || spzzb_kod_tabeli FROM szablony_poz_zzb WHERE spzzb_id = 104) = '1.4/D' AND (SELECT spzzb_lp_wydr FROM szablony_poz_zzb WHERE spzzb_id = 118) = '3.1.6' AND (SELECT spzzb_lp_wydr FROM szablony_poz_zzb WHERE spzzb_id = 128) = 'suma' AND (SELECT spzzb_kod_tabeli FROM szablony_poz_zzb WHERE spzzb_id = 106) IS NULL
boiler fuels                | (SELECT LIST(plwk_nazwa_n, ',') FROM (SELECT plwk_nazwa_n FROM paliwa_kotlow ORDER BY plwk_id)) = 'węglem,koksem,drewnem,olejem,paliwem gazowym'
stawki_tc per year          | (SELECT COUNT(*) FROM stawki_tc WHERE stc_rok_id = 1001 AND stc_id BETWEEN 100 AND 118) = 19 AND (SELECT COUNT(*) FROM stawki_tc WHERE stc_rok_id = 1002 AND stc_id BETWEEN 119 AND 137) = 19
stawki_tc gas rows          | (SELECT COUNT(*) FROM stawki_tc WHERE stc_id BETWEEN 114 AND 117 AND stc_plwk_id = 104 AND stc_nazwa STARTING WITH 'Gaz ziemny') = 4 AND (SELECT stc_nazwa FROM stawki_tc WHERE stc_id = 118) = 'Gaz płynny propan-butan – nominalna moc cieplna <= 5 MW'
stawki_tc rates             | (SELECT stc_stawka FROM stawki_tc WHERE stc_id = 100) = 15.90 AND (SELECT stc_stawka FROM stawki_tc WHERE stc_id = 119) = 16.31 AND (SELECT stc_stawka FROM stawki_tc WHERE stc_id = 136) = 1079.91
stawki_tc per fuel          | (SELECT LIST(n, ',') FROM (SELECT COUNT(*) n FROM stawki_tc WHERE stc_rok_id = 1002 GROUP BY stc_plwk_id ORDER BY stc_plwk_id)) = '6,3,1,4,5'
stawki_tc 2012 name 120     | (SELECT stc_nazwa FROM stawki_tc WHERE stc_id = 120) = 'Kocioł z rusztem mechanicznym z urządzeniem odpylającym -  nominalna moc cieplna > 3 MW i <= 5 MW'
stawki_tb                   | (SELECT COUNT(*) FROM stawki_tb WHERE stb_rok_id = 1001) = 7 AND (SELECT COUNT(*) FROM stawki_tb WHERE stb_rok_id = 1002 AND stb_id BETWEEN 107 AND 113) = 7
stawki_tb renamed           | (SELECT COUNT(*) FROM stawki_tb WHERE stb_nazwa_oplaty = 'Opróżnianie zbiorników z dachem pływającym') = 2 AND (SELECT stb_stawka FROM stawki_tb WHERE stb_id = 108) = 0.33
stawki_pw                   | (SELECT LIST(spw_nazwa || '=' || spw_stawka, ';') FROM (SELECT spw_nazwa, spw_stawka FROM stawki_pw WHERE spw_rok_id = 1001 ORDER BY spw_id)) = 'kod a=0.0600;kod b=0.0870;kod c=0.1020;kod a=0.0360;kod b=0.0510'
stawki_pw 2012              | (SELECT LIST(spw_tuw_id || spw_nazwa || '=' || spw_stawka, ';') FROM (SELECT spw_tuw_id, spw_nazwa, spw_stawka FROM stawki_pw WHERE spw_rok_id = 1002 ORDER BY spw_id)) = '100kod a=0.0620;100kod b=0.0890;100kod c=0.1050;101kod a=0.0370;101kod b=0.0520'
engines and fuels           | (SELECT COUNT(*) FROM rodzaje_silnikow) = 32 AND (SELECT MAX(rds_poz_wydruku) FROM rodzaje_silnikow) = 32 AND (SELECT LIST(rps_id, ',') FROM (SELECT rps_id FROM rodzaje_paliw_silnik ORDER BY rps_poz_wydruku)) = '100,102,104,105,103,101'
engine rates per year       | (SELECT COUNT(*) FROM stawki_silnik_paliwo WHERE ssp_rok_id = 1001 AND ssp_id BETWEEN 100 AND 291) = 192 AND (SELECT COUNT(*) FROM stawki_silnik_paliwo WHERE ssp_rok_id = 1002 AND ssp_id BETWEEN 292 AND 483) = 192
engine rates defined        | (SELECT COUNT(*) FROM stawki_silnik_paliwo WHERE ssp_f_zdefiniowana = 1 GROUP BY ssp_rok_id HAVING ssp_rok_id = 1001) = 117 AND (SELECT COUNT(*) FROM stawki_silnik_paliwo WHERE ssp_f_zdefiniowana = 1 AND ssp_rok_id = 1002) = 117 AND (SELECT COUNT(*) FROM stawki_silnik_paliwo WHERE ssp_f_zdefiniowana = 0 AND ssp_stawka <> 0) = 0
engine 113 two fuels        | (SELECT LIST(ssp_rps_id, ',') FROM (SELECT ssp_rps_id FROM stawki_silnik_paliwo JOIN rodzaje_paliw_silnik ON rps_id = ssp_rps_id WHERE ssp_rds_id = 113 AND ssp_rok_id = 1002 AND ssp_f_zdefiniowana = 1 ORDER BY rps_poz_wydruku)) = '103,101'
engine 103 six fuels        | (SELECT COUNT(*) FROM stawki_silnik_paliwo WHERE ssp_rds_id = 103 AND ssp_f_zdefiniowana = 1 AND ssp_rok_id = 1001) = 6
engine rate keys            | (SELECT ssp_stawka FROM stawki_silnik_paliwo WHERE ssp_id = 292) = 70.330 AND (SELECT ssp_rps_id FROM stawki_silnik_paliwo WHERE ssp_id = 297) = 101 AND (SELECT ssp_stawka FROM stawki_silnik_paliwo WHERE ssp_id = 100) = 68.550
water boards                | (SELECT COUNT(*) FROM rzgw) = 8 AND (SELECT rzgw_nazwa FROM rzgw WHERE rzgw_id = 100) = 'RZGW w Gdańsku' AND (SELECT COUNT(*) FROM rzgw WHERE rzgw_nazwa STARTING WITH 'RZGW w Warszawie') = 2
water dictionaries          | (SELECT COUNT(*) FROM typ_ujecia_wody) = 2 AND (SELECT COUNT(*) FROM rodzaj_uw_pow) = 2 AND (SELECT spw_nazwa FROM statusy_pozwolen_wp WHERE spw_id = 103) = 'pozwolenie niewymagane' AND (SELECT COUNT(*) FROM wsp_rozn_pw WHERE wrpw_tuw_id = 100) = 5 AND (SELECT COUNT(*) FROM wsp_rozn_pw WHERE wrpw_tuw_id = 101) = 6
sewage A                    | (SELECT sota_kwota FROM so_tabela_a WHERE sota_kod = 'BZT5' AND sota_rok_id = 1001) = 3.82 AND (SELECT sota_kwota FROM so_tabela_a WHERE sota_kod = 'BZT5' AND sota_rok_id = 1002) = 3.92 AND (SELECT sota_kwota FROM so_tabela_a WHERE sota_kod = 'Cl+SO4-RZGW-Gd' AND sota_rok_id = 1002) = 0.0130
sewage B                    | (SELECT sotb_kwota FROM so_tabela_b WHERE sotb_kod = 'INNE-SUBSTANCJE' AND sotb_rok_id = 1002) = 114.14 AND (SELECT sotb_opis FROM so_tabela_b WHERE sotb_id = 100) = ' ' AND (SELECT COUNT(*) FROM so_tabela_b) = 4
sewage C                    | (SELECT sotc_kwota FROM so_tabela_c WHERE sotc_kod = 'TEMP_>35' AND sotc_rok_id = 1001) = 3.78 AND (SELECT sotc_kwota FROM so_tabela_c WHERE sotc_kod = 'TEMP_>35' AND sotc_rok_id = 1002) = 3.88
sewage D                    | (SELECT sotd_kwota FROM so_tabela_d WHERE sotd_kod = 'T_PRZEMYSL' AND sotd_rok_id = 1001) = 0.26 AND (SELECT sotd_kwota FROM so_tabela_d WHERE sotd_kod = 'T_PRZEMYSL' AND sotd_rok_id = 1002) = 0.27 AND (SELECT LIST(sotd_poz_wydr, ',') FROM (SELECT sotd_poz_wydr FROM so_tabela_d WHERE sotd_rok_id = 1002 ORDER BY sotd_id)) = '1,2,3,4,5'
sewage codes unpadded       | (SELECT COUNT(*) FROM so_tabela_a WHERE OCTET_LENGTH(sota_kod) <> CHAR_LENGTH(TRIM(sota_kod))) = 0 AND (SELECT COUNT(*) FROM so_tabela_d WHERE sotd_kod = 'PORTY' AND OCTET_LENGTH(sotd_kod) = 5) = 2
sewage dictionaries         | (SELECT COUNT(*) FROM rdz_odbiornikow_sc) = 5 AND (SELECT LIST(krsc_kod, ',') FROM (SELECT krsc_kod FROM kody_rdz_sc ORDER BY krsc_id)) = 'a,b,c,rwś,rł' AND (SELECT COUNT(*) FROM statusy_pozwolen_wp_sc) = 3
sewage coefficients         | (SELECT wrsc_wspolczynnik FROM wsp_rozn_sc WHERE wrsc_id = 102) = 0.4 AND (SELECT COUNT(*) FROM wsp_rozn_sc) = 4
sewage indicators           | (SELECT COUNT(*) FROM wskazniki_ta_sc) = 16 AND (SELECT wtasc_nazwa FROM wskazniki_ta_sc WHERE wtasc_id = 108) = 'kadm' AND (SELECT wtasc_grupa_1 FROM wskazniki_ta_sc WHERE wtasc_id = 115) = 'Metale ciężkie'
gas/dust statuses           | (SELECT LIST(spwgp_nazwa, ',') FROM (SELECT spwgp_nazwa FROM statusy_pozwolen_gp ORDER BY spwgp_id)) = 'jest,nie ma,nie obowiązuje'
gas/dust 66 and 67          | (SELECT COUNT(*) FROM so_tabela_g WHERE sotg_rok_id = 1001 AND sotg_id BETWEEN 100 AND 165) = 66 AND (SELECT COUNT(*) FROM so_tabela_g WHERE sotg_rok_id = 1002 AND sotg_id BETWEEN 166 AND 232) = 67
gas/dust izocykliczne       | (SELECT LIST(sotg_rok_id) FROM so_tabela_g WHERE sotg_rdz_gaz_pyl = 'Związki izocykliczne') = '1002' AND (SELECT sotg_jedn_st_opl FROM so_tabela_g WHERE sotg_id = 232) = 1.17 AND (SELECT sotg_lp FROM so_tabela_g WHERE sotg_id = 232) = 670
gas/dust rates              | (SELECT sotg_jedn_st_opl FROM so_tabela_g WHERE sotg_poz_wydr = 43 AND sotg_rok_id = 1001) = 76.89 AND (SELECT sotg_jedn_st_opl FROM so_tabela_g WHERE sotg_poz_wydr = 43 AND sotg_rok_id = 1002) = 78.89
waste catalogue per year    | (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_rok_id = 1001 AND sotl_id BETWEEN 100 AND 1153) = 1054 AND (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_rok_id = 1002 AND sotl_id BETWEEN 1200 AND 2253) = 1054
waste levels                | (SELECT LIST(n, ',') FROM (SELECT COUNT(*) n FROM so_tabela_l WHERE sotl_rok_id = 1002 GROUP BY sotl_h_poziom ORDER BY sotl_h_poziom)) = '20,115,919' AND (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_rok_id = 1001 AND sotl_kod LIKE '%*') = 421
waste rated rows            | (SELECT COUNT(sotl_jedn_st_opl) FROM so_tabela_l WHERE sotl_rok_id = 1001) = 919 AND (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_rok_id = 1002 AND sotl_h_poziom < 3 AND sotl_jedn_st_opl = 0) = 135
waste 2011 classes          | (SELECT COUNT(DISTINCT sotl_jedn_st_opl) FROM so_tabela_l WHERE sotl_rok_id = 1001) = 24 AND (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_jedn_st_opl = 52.21) = 269 AND (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_jedn_st_opl = 100.00 AND sotl_rok_id = 1001) = 56
waste 2012 classes          | (SELECT COUNT(DISTINCT sotl_jedn_st_opl) FROM so_tabela_l WHERE sotl_rok_id = 1002 AND sotl_h_poziom = 3) = 23 AND (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_jedn_st_opl = 57.76) = 270 AND (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_jedn_st_opl = 151.69) = 203
waste class per type        | (SELECT COUNT(*) FROM so_tabela_l a JOIN so_tabela_l b ON b.sotl_id = a.sotl_id + 1100 WHERE a.sotl_rok_id = 1001 AND (a.sotl_kod <> b.sotl_kod OR a.sotl_rodzaj <> b.sotl_rodzaj OR a.sotl_lp_tbl <> b.sotl_lp_tbl)) = 0
waste telling rows          | (SELECT LIST(x, ';') FROM (SELECT a.sotl_kod || '=' || COALESCE(a.sotl_jedn_st_opl, '-') || '/' || b.sotl_jedn_st_opl || '/' || a.sotl_przypis AS x FROM so_tabela_l a JOIN so_tabela_l b ON b.sotl_id = a.sotl_id + 1100 WHERE a.sotl_rok_id = 1001 AND a.sotl_kod IN ('01 01', '01 01 01', '01 03 04*', '01 05 06*', '07 03 01*', '16 82 01*', '17 06 01*', '19 08 05', '20 03 01', '20 03 99') ORDER BY a.sotl_id)) = '01 01=-/0.00/0;01 01 01=16.27/18.00/0;01 03 04*=52.21/57.76/0;01 05 06*=0.00/57.76/0;07 03 01*=137.09/151.69/1;3;16 82 01*=100.00/110.65/4;17 06 01*=100.00/110.65/4;19 08 05=14.98/16.58/1;20 03 01=100.00/110.65/0;20 03 99=100.00/110.65/0'
waste last row              | (SELECT sotl_lp_tbl || '/' || sotl_lp FROM so_tabela_l WHERE sotl_id = 1153) = '1054/10540'
waste hierarchy             | (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_h_grupa <> SUBSTRING(sotl_kod FROM 1 FOR 2) OR (sotl_h_poziom > 1 AND sotl_h_podgrupa <> SUBSTRING(sotl_kod FROM 1 FOR 5)) OR (sotl_h_poziom = 1 AND sotl_h_podgrupa <> sotl_kod)) = 0
waste 16 81 and 16 82       | (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_kod IN ('16 81', '16 82', '16 81 01*', '16 81 02', '16 82 01*', '16 82 02', '07 01', '07 01 11*')) = 16
waste footnotes 2012        | (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_rok_id = 1002 AND sotl_przypis <> '0') = 0
waste dictionaries          | (SELECT COUNT(*) FROM wsp_rozn_odpd) = 7 AND (SELECT wrodpd_wartosc FROM wsp_rozn_odpd WHERE wrodpd_id = 103) = 0.1 AND (SELECT COUNT(*) FROM rdz_decyzji_odpd) = 4 AND (SELECT COUNT(*) FROM statusy_dec_odpd) = 3 AND (SELECT tsodpd_nazwa FROM typy_skladow_odpd WHERE tsodpd_id = 101) = 'nieselektywnie'
generators                  | GEN_ID(g_lata, 0) = 10000 AND GEN_ID(g_so_tabela_l, 0) = 10000 AND GEN_ID(g_so_tabela_a, 0) = 1000 AND GEN_ID(g_so_tabela_g, 0) = 1000 AND GEN_ID(g_wsp_rozn_odpd, 0) = 1000 AND GEN_ID(g_zestawienia, 0) = 1000 AND GEN_ID(g_oplaty_opady_roztopy, 0) = 1000
year first in unique keys   | (SELECT COUNT(*) FROM rdb$index_segments s JOIN rdb$relation_constraints c ON c.rdb$index_name = s.rdb$index_name WHERE c.rdb$constraint_name IN ('IX_STAWKI_TC1', 'IX_STAWKI_PW1', 'IX_STAWKI_TB1', 'IX_STAWKI_SILNIK_PALIWO1', 'IX_SO_TABELA_L1', 'IX_SO_TABELA_A1', 'IX_SO_TABELA_B1', 'IX_SO_TABELA_C1', 'IX_SO_TABELA_D1') AND s.rdb$field_position = 0 AND TRIM(s.rdb$field_name) LIKE '%_ROK_ID') = 9
year foreign keys cascade   | (SELECT COUNT(*) FROM rdb$ref_constraints WHERE TRIM(rdb$constraint_name) LIKE 'FK\_%\_LATA' ESCAPE '\' AND rdb$delete_rule = 'CASCADE') = 10
source fees cascade         | (SELECT TRIM(rdb$delete_rule) || '/' || TRIM(rdb$update_rule) FROM rdb$ref_constraints WHERE rdb$constraint_name = 'FK_OPLATY_TA_ZRODLA_WPROW_SUBST') = 'CASCADE/RESTRICT'
constraint names fit        | (SELECT MAX(CHAR_LENGTH(TRIM(rdb$constraint_name))) FROM rdb$relation_constraints) <= 31
dropped objects             | (SELECT COUNT(*) FROM rdb$relations WHERE rdb$relation_name IN ('RDZ_TERENU_SC', 'V_LOK_B_C')) = 0 AND (SELECT COUNT(*) FROM rdb$relation_fields WHERE rdb$field_name = 'OOR_RTS_ID') = 0
views                       | (SELECT COUNT(*) FROM rdb$relations WHERE rdb$relation_name IN ('V_ZZB_WOJ', 'V_Z2_MCA_KORZYST') AND rdb$view_blr IS NOT NULL) = 2
statement rate year column  | (SELECT COUNT(*) FROM rdb$relation_fields WHERE rdb$relation_name = 'ZESTAWIENIA' AND rdb$field_name = 'Z_ROK_ST_OPL_ID' AND rdb$null_flag = 1) = 1
EOF

# ---------------------------------------------------------------------------------------------
# A version-6 database with user data, upgraded to 7
DB=$WORK/user.fdb
build "$DB" 6 || exit 1
sql "$DB" <<'EOF'
INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) VALUES (GEN_ID(g_podmioty, 1), 100, 'Huta Szkła', 'ul. Leśna 1', 1);
INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) VALUES (GEN_ID(g_podmioty, 1), 100, 'Firma z pozwoleniami', 1);
INSERT INTO pozwolenia_gp (pwgp_id, pwgp_pdm_id, pwgp_numer, pwgp_data_wyd, pwgp_organ_wyd, pwgp_term_obow_0, pwgp_term_obow_1) VALUES (GEN_ID(g_pozwolenia_gp, 1), 1002, 'GP-1', '2010-01-01', 'Starosta', '2010-01-01', '2020-01-01');
INSERT INTO decyzje_odpd (dcodpd_id, dcodpd_pdm_id, dcodpd_rdodpd_id, dcodpd_numer, dcodpd_data_wyd, dcodpd_organ_wyd, dcodpd_term_obow_0, dcodpd_term_obow_1) VALUES (GEN_ID(g_decyzje_odpd, 1), 1002, 101, 'OD-1', '2010-01-01', 'Marszałek', '2010-01-01', '2020-01-01');
INSERT INTO lata (rok_id, rok_nazwa, rok_f_aktualny, rok_lp) VALUES (GEN_ID(g_lata, 1), 2012, 1, 20);
INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw) VALUES (GEN_ID(g_zestawienia, 1), 1001, 100, 1001, 100, CURRENT_TIMESTAMP);
INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw) VALUES (GEN_ID(g_zestawienia, 1), 1003, 100, 1001, 100, CURRENT_TIMESTAMP);
INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, uw_rzgw_id, uw_spw_id) VALUES (GEN_ID(g_ujecia_wody, 1), 1001, 100, 'Studnia 1', 'Leśna 1', 100, 100, 100);
INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, uw_rzgw_id, uw_spw_id) VALUES (GEN_ID(g_ujecia_wody, 1), 1001, 101, 'Rzeka', 'Leśna 2', 101, 100, 100);
INSERT INTO oplaty_pw (opw_id, opw_uw_id, opw_nazwa) VALUES (GEN_ID(g_oplaty_pw, 1), 1001, 'kod a');
INSERT INTO lokalizacje_tb (ltb_id, ltb_z_id, ltb_gm_id, ltb_adres) SELECT GEN_ID(g_lokalizacje_tb, 1), 1001, MIN(gm_id), 'Stacja paliw' FROM gminy JOIN powiaty ON pow_id = gm_pow_id WHERE pow_woj_id = 101;
INSERT INTO oplaty_tb (otb_id, otb_ltb_id, otb_stb_id, otb_nazwa) VALUES (GEN_ID(g_oplaty_tb, 1), 1001, 100, 'x');
INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres) VALUES (GEN_ID(g_lokalizacja_tc, 1), 1001, 100, 'Kotłownia');
INSERT INTO oplaty_tc (otc_id, otc_ltc_id, otc_stc_id, otc_nazwa) VALUES (GEN_ID(g_oplaty_tc, 1), 1001, 114, 'x');
INSERT INTO oplaty_td (otd_id, otd_z_id, otd_ssp_id, otd_stawka_jedn) VALUES (GEN_ID(g_oplaty_td, 1), 1001, 100, 68.55);
INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, osc_gm_id, osc_ros_id, osc_rzgw_id, osc_spwsc_id) VALUES (GEN_ID(g_odbiorniki_sc, 1), 1001, 'Rzeka', 'Brzeg', 100, 100, 100, 100);
INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, osc_gm_id, osc_ros_id, osc_rzgw_id, osc_spwsc_id) VALUES (GEN_ID(g_odbiorniki_sc, 1), 1001, 'Staw', 'Brzeg', 102, 101, 100, 100);
INSERT INTO kody_ta (kta_id, kta_osc_id, kta_kod, kta_ilosc) VALUES (GEN_ID(g_kody_ta, 1), 1001, 'a', 10);
INSERT INTO oplaty_za_wsk_ta (owta_id, owta_kta_id, owta_wtasc_id) VALUES (GEN_ID(g_oplaty_za_wsk_ta, 1), 1001, 100);
INSERT INTO oplaty_opady_roztopy (oor_id, oor_osc_id, oor_rts_id) SELECT GEN_ID(g_oplaty_opady_roztopy, 1), 1001, rts_id FROM rdz_terenu_sc;
INSERT INTO kody_ta (kta_id, kta_osc_id, kta_kod, kta_ilosc) VALUES (GEN_ID(g_kody_ta, 1), 1002, 'b', 5);
INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, ild_adres, ild_rodzaj) VALUES (GEN_ID(g_instalacje_dzialalnosci, 1), 1001, 100, 100, 'Piec', 'Topienie szkła');
INSERT INTO charakterystyki_paliw (chplw_id, chplw_ild_id, chplw_rdz_plw) VALUES (GEN_ID(g_charakterystyki_paliw, 1), 1001, 'gaz');
INSERT INTO zrodla_wprow_subst (zws_id, zws_ild_id, zws_nazwa) VALUES (GEN_ID(g_zrodla_wprow_subst, 1), 1001, 'Komin');
INSERT INTO oplaty_ta (ota_id, ota_zws_id, ota_sotg_id, ota_jedn_staw_opl) VALUES (GEN_ID(g_oplaty_ta, 1), 1001, 100, 38.95);
INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, skod_wrodpd_id, skod_sdcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id) VALUES (GEN_ID(g_skladowiska_odpd, 1), 1001, 100, 'Hałda', 100, 100, 100);
INSERT INTO odpady (odpd_id, odpd_skod_id, odpd_tsodpd_id, odpd_sotl_id) VALUES (GEN_ID(g_odpady, 1), 1001, 101, 102);
INSERT INTO odpady_skladowe (odpdsk_id, odpdsk_odpd_id, odpdsk_sotl_id) VALUES (GEN_ID(g_odpady_skladowe, 1), 1001, 103);
INSERT INTO odpady_wydobyte (odpdw_id, odpdw_skod_id, odpdw_sotl_id) VALUES (GEN_ID(g_odpady_wydobyte, 1), 1001, 102);
INSERT INTO zestawienia_zbiorcze (zzb_id, zzb_z_id, zzb_woj_id) VALUES (GEN_ID(g_zestawienia_zbiorcze, 1), 1001, 100);
INSERT INTO pozycje_zzb (pzzb_id, pzzb_zzb_id, pzzb_spzzb_id) SELECT GEN_ID(g_pozycje_zzb, 1), 1001, spzzb_id FROM szablony_poz_zzb;
INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, ild_adres, ild_rodzaj) VALUES (GEN_ID(g_instalacje_dzialalnosci, 1), 1002, 100, 100, 'Piec', 'Topienie szkła');
INSERT INTO zrodla_wprow_subst (zws_id, zws_ild_id, zws_nazwa) VALUES (GEN_ID(g_zrodla_wprow_subst, 1), 1002, 'Komin');
INSERT INTO oplaty_ta (ota_id, ota_zws_id, ota_sotg_id, ota_jedn_staw_opl) VALUES (GEN_ID(g_oplaty_ta, 1), 1002, 100, 38.95);
EOF
checks "$DB" <<'EOF'
v6 user year key            | (SELECT rok_id FROM lata WHERE rok_nazwa = 2012) = 1003
v6 voivodeships of places   | (SELECT COUNT(*) FROM v_zzb_woj WHERE z_id = 1001) = 2
v6 places of the annex      | (SELECT COUNT(*) FROM v_z2_mca_korzyst WHERE z_id = 1001) = 3 AND (SELECT COUNT(DISTINCT woj_id) FROM v_z2_mca_korzyst WHERE z_id = 1001) = 2
EOF
expect_error "$DB" "v6 statement with substance fees cannot be deleted" "DELETE FROM zestawienia WHERE z_id = 1002;" "FK_OPLATY_TA_ZRODLA_WPROW_SUBST"
upgrade "$DB" 6 7 || { echo "upgrade of user data failed"; FAILED=$((FAILED + 1)); }
checks "$DB" <<'EOF'
2012 once under 1002        | (SELECT COUNT(*) FROM lata WHERE rok_nazwa = 2012) = 1 AND (SELECT rok_id FROM lata WHERE rok_nazwa = 2012) = 1002 AND (SELECT COUNT(*) FROM lata) = 2
user 2012 statement gone    | (SELECT COUNT(*) FROM zestawienia) = 1 AND (SELECT COUNT(*) FROM instalacje_dzialalnosci) = 1 AND (SELECT COUNT(*) FROM oplaty_ta) = 1 AND (SELECT COUNT(*) FROM zrodla_wprow_subst) = 1
kept statement rate year    | (SELECT z_rok_st_opl_id FROM zestawienia WHERE z_id = 1001) = 1001
rain fees rebound           | (SELECT LIST(oor_sotd_id, ',') FROM (SELECT oor_sotd_id FROM oplaty_opady_roztopy ORDER BY oor_sotd_id)) = '100,101,102,103,104' AND (SELECT COUNT(*) FROM oplaty_opady_roztopy JOIN so_tabela_d ON sotd_id = oor_sotd_id WHERE sotd_rok_id = 1001) = 5
rate rows of users bound    | (SELECT COUNT(*) FROM stawki_tc WHERE stc_rok_id = 1001) = 19
first user year is 10001    | GEN_ID(g_lata, 1) = 10001
first dictionary row 1001   | GEN_ID(g_polrocza, 1) = 1001 AND (SELECT MAX(pr_lp) + 10 FROM polrocza) = 30
voivodeships of places      | (SELECT COUNT(*) FROM v_zzb_woj WHERE z_id = 1001) = 2
EOF
# Refusals and cascades
expect_error "$DB" "year of a statement cannot be deleted" "DELETE FROM lata WHERE rok_id = 1001;" "violation of FOREIGN KEY"
expect_error "$DB" "commune with an installation cannot be deleted" "DELETE FROM gminy WHERE gm_id = 100;" "FOREIGN KEY"
expect_error "$DB" "waste type in use cannot be deleted" "DELETE FROM so_tabela_l WHERE sotl_id = 102;" "FK_ODPADY_SO_TABELA_L"
expect_error "$DB" "second source of one name" "INSERT INTO zrodla_wprow_subst (zws_id, zws_ild_id, zws_nazwa) VALUES (5000, 1001, 'Komin');" "IX_ZRODLA_WPROW_SUBST1"
expect_error "$DB" "second fee of one substance" "INSERT INTO oplaty_ta (ota_id, ota_zws_id, ota_sotg_id, ota_jedn_staw_opl) VALUES (5000, 1001, 100, 1);" "IX_OPLATY_TA1"
expect_error "$DB" "one indicator twice under a code" "INSERT INTO oplaty_za_wsk_ta (owta_id, owta_kta_id, owta_wtasc_id) VALUES (5000, 1001, 100);" "IX_OPLATY_ZA_WSK_TA1"
expect_error "$DB" "waste code twice in a year" "INSERT INTO so_tabela_l (sotl_id, sotl_lp_tbl, sotl_kod, sotl_rodzaj, sotl_h_poziom, sotl_h_grupa, sotl_h_podgrupa, sotl_f_aktualny, sotl_rok_id) VALUES (10001, 1, '01', 'x', 1, '01', '01', 1, 1002);" "IX_SO_TABELA_L1"
expect_error "$DB" "second year 2012" "INSERT INTO lata (rok_id, rok_nazwa, rok_f_aktualny, rok_lp) VALUES (10005, 2012, 1, 30);" "IX_LATA1"
sql "$DB" <<'EOF'
INSERT INTO kody_ta (kta_id, kta_osc_id, kta_kod, kta_ilosc) VALUES (GEN_ID(g_kody_ta, 1), 1001, 'a', 1);
DELETE FROM gminy WHERE gm_id = 102;
DELETE FROM podmioty WHERE pdm_id = 1002;
DELETE FROM odbiorniki_sc WHERE osc_id = 1001;
EOF
checks "$DB" <<'EOF'
receivers codes gone       | (SELECT COUNT(*) FROM kody_ta) = 0
commune takes its receivers | (SELECT COUNT(*) FROM odbiorniki_sc) = 0
entity takes permits        | (SELECT COUNT(*) FROM pozwolenia_gp) = 0 AND (SELECT COUNT(*) FROM decyzje_odpd) = 0
receiver takes its rows     | (SELECT COUNT(*) FROM oplaty_za_wsk_ta) = 0 AND (SELECT COUNT(*) FROM oplaty_opady_roztopy) = 0
EOF
sql "$DB" <<'EOF'
DELETE FROM zestawienia WHERE z_id = 1001;
DELETE FROM lata WHERE rok_id = 1002;
EOF
checks "$DB" <<'EOF'
statement takes everything  | (SELECT COUNT(*) FROM ujecia_wody) + (SELECT COUNT(*) FROM oplaty_pw) + (SELECT COUNT(*) FROM lokalizacje_tb) + (SELECT COUNT(*) FROM oplaty_tb) + (SELECT COUNT(*) FROM lokalizacja_tc) + (SELECT COUNT(*) FROM oplaty_tc) + (SELECT COUNT(*) FROM oplaty_td) + (SELECT COUNT(*) FROM instalacje_dzialalnosci) + (SELECT COUNT(*) FROM charakterystyki_paliw) + (SELECT COUNT(*) FROM zrodla_wprow_subst) + (SELECT COUNT(*) FROM oplaty_ta) + (SELECT COUNT(*) FROM skladowiska_odpd) + (SELECT COUNT(*) FROM odpady) + (SELECT COUNT(*) FROM odpady_skladowe) + (SELECT COUNT(*) FROM odpady_wydobyte) + (SELECT COUNT(*) FROM zestawienia_zbiorcze) + (SELECT COUNT(*) FROM pozycje_zzb) = 0
year takes its rates        | (SELECT COUNT(*) FROM so_tabela_l WHERE sotl_rok_id = 1002) + (SELECT COUNT(*) FROM stawki_tc WHERE stc_rok_id = 1002) + (SELECT COUNT(*) FROM so_tabela_g WHERE sotg_rok_id = 1002) + (SELECT COUNT(*) FROM stawki_silnik_paliwo WHERE ssp_rok_id = 1002) + (SELECT COUNT(*) FROM so_tabela_d WHERE sotd_rok_id = 1002) = 0 AND (SELECT COUNT(*) FROM so_tabela_l) = 1054
EOF

# ---------------------------------------------------------------------------------------------
# A version-6 database whose year 2012 was made by a user under the key 1002, then upgraded
DB=$WORK/key1002.fdb
build "$DB" 6 || exit 1
sql "$DB" <<'EOF'
INSERT INTO lata (rok_id, rok_nazwa, rok_f_aktualny, rok_lp) VALUES (1002, 2010, 1, 5);
INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) VALUES (1001, 100, 'P', 1);
INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw) VALUES (1001, 1002, 100, 1001, 100, CURRENT_TIMESTAMP);
EOF
upgrade "$DB" 6 7 || { echo "upgrade over key 1002 failed"; FAILED=$((FAILED + 1)); }
checks "$DB" <<'EOF'
key 1002 cleared            | (SELECT rok_nazwa FROM lata WHERE rok_id = 1002) = 2012 AND (SELECT COUNT(*) FROM lata) = 2 AND (SELECT COUNT(*) FROM zestawienia) = 0
EOF

if [ -n "$ADMIN" ]; then
  # The program refuses to upgrade a version-6 database whose year 2011 holds the key 1002.
  DB=$WORK/v6-2011-1002.fdb
  build "$DB" 6 || exit 1
  echo "UPDATE lata SET rok_id = 1002 WHERE rok_nazwa = 2011; COMMIT;" | isql "$DB"
  out=$("$ADMIN" upgrade "$DB" 2>&1)
  if [ $? -ne 0 ] && grep -q "Błąd aktualizacji bazy danych (6 -> 7): W tabeli lata istnieje rok 2011 o id równym 1002." <<<"$out" \
     && [ "$("$ADMIN" version "$DB")" = 6 ]; then
    PASSED=$((PASSED + 1))
  else
    echo "FAIL:2011 under 1002 refused, version 6 kept: $out"; FAILED=$((FAILED + 1))
  fi
fi

echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
