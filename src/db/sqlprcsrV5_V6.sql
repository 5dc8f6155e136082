-- Upgrade of the Ostoja database from version 5 to version 6: the places of use of a statement
-- for the annex of places; the view of Table B and C places is no longer used.

CREATE VIEW v_z2_mca_korzyst (z_id, adres, gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa) AS
SELECT ltb_z_id, ltb_adres, gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa
FROM lokalizacje_tb
INNER JOIN gminy ON gm_id = ltb_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id
UNION
SELECT ltc_z_id, ltc_adres, gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa
FROM lokalizacja_tc
INNER JOIN gminy ON gm_id = ltc_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id
UNION
SELECT ild_z_id, ild_adres, gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa
FROM instalacje_dzialalnosci
INNER JOIN gminy ON gm_id = ild_gm_id
INNER JOIN powiaty ON pow_id = gm_pow_id
INNER JOIN wojewodztwa ON woj_id = pow_woj_id;

DROP VIEW v_lok_b_c;

UPDATE db_ver SET metadata = 6, metadata_d = 6;
