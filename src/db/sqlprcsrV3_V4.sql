-- Upgrade of the Ostoja database from version 3 to version 4: the voivodeships of a statement's
-- places of use now include the installations of Table A.

DROP VIEW v_zzb_woj;

CREATE VIEW v_zzb_woj (woj_id, woj_nazwa, z_id) AS
SELECT woj_id, woj_nazwa, uw_z_id
FROM ujecia_wody
INNER JOIN gminy ON gm_id = uw_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id
UNION
SELECT woj_id, woj_nazwa, ltb_z_id
FROM lokalizacje_tb
INNER JOIN gminy ON gm_id = ltb_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id
UNION
SELECT woj_id, woj_nazwa, ltc_z_id
FROM lokalizacja_tc
INNER JOIN gminy ON gm_id = ltc_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id
UNION
SELECT woj_id, woj_nazwa, z_id
FROM oplaty_td
INNER JOIN zestawienia ON z_id = otd_z_id
INNER JOIN podmioty ON pdm_id = z_pdm_id
INNER JOIN gminy ON gm_id = pdm_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id
UNION
SELECT woj_id, woj_nazwa, ild_z_id
FROM instalacje_dzialalnosci
INNER JOIN gminy ON gm_id = ild_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id;

UPDATE db_ver SET metadata = 4, metadata_d = 4;
