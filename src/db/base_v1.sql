-- Ostoja database, schema version 1.
-- Run on a freshly created database (character set WIN1250, dialect 3), followed by base_v1_data.sql.
-- Keys of the rows loaded with the schema start at 100; every generator starts at 1000, so that
-- the first row a user adds gets 1001. The exception is g_lata: the year 2011 holds 1001 and the
-- key 1002 is reserved for the year 2012 of schema version 7.

-- Domains
CREATE DOMAIN d_adres AS VARCHAR(64);
CREATE DOMAIN d_nazwa_org AS VARCHAR(128);
CREATE DOMAIN d_kwota AS DECIMAL(18,2);
CREATE DOMAIN d_stawka_jednostkowa AS DECIMAL(18,6);
CREATE DOMAIN d_wsp_roznicujacy AS DECIMAL(18,5);
CREATE DOMAIN d_stezenie_subst_w_wodzie AS DECIMAL(18,5);
CREATE DOMAIN d_ilosc_subst_w_wodzie AS DECIMAL(18,5);

-- Schema version
CREATE TABLE db_ver (
  metadata INTEGER NOT NULL,
  metadata_d INTEGER NOT NULL
);
INSERT INTO db_ver (metadata, metadata_d) VALUES (1, 1);

-- Territorial units (TERYT)
CREATE TABLE wojewodztwa (
  woj_id INTEGER NOT NULL,
  woj_nazwa VARCHAR(24) NOT NULL,
  woj_identyfikator VARCHAR(8) NOT NULL,
  woj_f_aktualny SMALLINT NOT NULL,
  woj_lp INTEGER,
  CONSTRAINT PK_wojewodztwa PRIMARY KEY (woj_id),
  CONSTRAINT IX_wojewodztwa1 UNIQUE (woj_identyfikator)
);
CREATE GENERATOR g_wojewodztwa;
SET GENERATOR g_wojewodztwa TO 1000;

CREATE TABLE powiaty (
  pow_id INTEGER NOT NULL,
  pow_woj_id INTEGER NOT NULL,
  pow_nazwa VARCHAR(24) NOT NULL,
  pow_identyfikator VARCHAR(8) NOT NULL,
  pow_f_aktualny SMALLINT NOT NULL,
  pow_lp INTEGER,
  CONSTRAINT PK_powiaty PRIMARY KEY (pow_id),
  CONSTRAINT IX_powiaty1 UNIQUE (pow_identyfikator)
);
CREATE GENERATOR g_powiaty;
SET GENERATOR g_powiaty TO 1000;

CREATE TABLE rodzaje_jednostek_teryt (
  rjt_id INTEGER NOT NULL,
  rjt_nazwa VARCHAR(64) NOT NULL,
  rjt_skrot VARCHAR(12),
  rjt_f_aktualny SMALLINT NOT NULL,
  rjt_lp INTEGER,
  CONSTRAINT PK_rodzaje_jednostek_teryt PRIMARY KEY (rjt_id)
);

CREATE TABLE gminy (
  gm_id INTEGER NOT NULL,
  gm_pow_id INTEGER NOT NULL,
  gm_identyfikator VARCHAR(8) NOT NULL,
  gm_nazwa VARCHAR(64) NOT NULL,
  gm_rjt_id INTEGER NOT NULL,
  gm_f_aktualny SMALLINT NOT NULL,
  gm_lp INTEGER,
  CONSTRAINT PK_gminy PRIMARY KEY (gm_id),
  CONSTRAINT IX_gminy1 UNIQUE (gm_identyfikator)
);
CREATE GENERATOR g_gminy;
SET GENERATOR g_gminy TO 1000;

-- Years, half-years, states of a statement
CREATE TABLE lata (
  rok_id INTEGER NOT NULL,
  rok_nazwa INTEGER NOT NULL,
  rok_f_aktualny SMALLINT NOT NULL,
  rok_lp INTEGER,
  CONSTRAINT PK_lata PRIMARY KEY (rok_id),
  CONSTRAINT IX_lata1 UNIQUE (rok_nazwa)
);
CREATE GENERATOR g_lata;
SET GENERATOR g_lata TO 1002;

CREATE TABLE polrocza (
  pr_id INTEGER NOT NULL,
  pr_nazwa VARCHAR(16) NOT NULL,
  pr_nr INTEGER NOT NULL,
  pr_f_aktualny SMALLINT NOT NULL,
  pr_lp INTEGER,
  CONSTRAINT PK_polrocza PRIMARY KEY (pr_id),
  CONSTRAINT IX_polrocza1 UNIQUE (pr_nazwa)
);
CREATE GENERATOR g_polrocza;
SET GENERATOR g_polrocza TO 1000;

CREATE TABLE stan_zestawienia (
  stz_id INTEGER NOT NULL,
  stz_nazwa VARCHAR(16) NOT NULL,
  stz_f_aktualny SMALLINT NOT NULL,
  stz_lp INTEGER,
  CONSTRAINT PK_stan_zestawienia PRIMARY KEY (stz_id)
);

-- Entities and statements
CREATE TABLE podmioty (
  pdm_id INTEGER NOT NULL,
  pdm_gm_id INTEGER NOT NULL,
  pdm_nazwa VARCHAR(128) NOT NULL,
  pdm_adres d_adres,
  pdm_regon VARCHAR(14),
  pdm_telefon_faks VARCHAR(40),
  pdm_f_aktualny SMALLINT NOT NULL,
  CONSTRAINT PK_podmioty PRIMARY KEY (pdm_id),
  CONSTRAINT IX_podmioty1 UNIQUE (pdm_nazwa, pdm_adres)
);
CREATE GENERATOR g_podmioty;
SET GENERATOR g_podmioty TO 1000;

CREATE TABLE zestawienia (
  z_id INTEGER NOT NULL,
  z_rok_id INTEGER NOT NULL,
  z_pr_id INTEGER NOT NULL,
  z_pdm_id INTEGER NOT NULL,
  z_stz_id INTEGER NOT NULL,
  z_dt_utw TIMESTAMP NOT NULL,
  z_notatka BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_zestawienia PRIMARY KEY (z_id),
  CONSTRAINT IX_zestawienia1 UNIQUE (z_pdm_id, z_rok_id, z_pr_id)
);
CREATE GENERATOR g_zestawienia;
SET GENERATOR g_zestawienia TO 1000;

-- Collective summary by voivodeship
CREATE TABLE szablony_poz_zzb (
  spzzb_id INTEGER NOT NULL,
  spzzb_lp_wydr VARCHAR(16) NOT NULL,
  spzzb_etykieta_frm VARCHAR(256) NOT NULL,
  spzzb_etykieta_prt VARCHAR(256) NOT NULL,
  spzzb_kod_tabeli VARCHAR(8),
  spzzb_poz_wydruku INTEGER NOT NULL,
  spzzb_f_aktualny SMALLINT NOT NULL,
  spzzb_lp INTEGER,
  CONSTRAINT PK_szablony_poz_zzb PRIMARY KEY (spzzb_id)
);

CREATE TABLE zestawienia_zbiorcze (
  zzb_id INTEGER NOT NULL,
  zzb_z_id INTEGER NOT NULL,
  zzb_woj_id INTEGER NOT NULL,
  zzb_kwota d_kwota,
  zzb_oplata_og d_kwota,
  CONSTRAINT PK_zestawienia_zbiorcze PRIMARY KEY (zzb_id),
  CONSTRAINT IX_zestawienia_zbiorcze1 UNIQUE (zzb_z_id, zzb_woj_id)
);
CREATE GENERATOR g_zestawienia_zbiorcze;
SET GENERATOR g_zestawienia_zbiorcze TO 1000;

CREATE TABLE pozycje_zzb (
  pzzb_id INTEGER NOT NULL,
  pzzb_zzb_id INTEGER NOT NULL,
  pzzb_spzzb_id INTEGER NOT NULL,
  pzzb_wys_oplaty d_kwota,
  CONSTRAINT PK_pozycje_zzb PRIMARY KEY (pzzb_id),
  CONSTRAINT IX_pozycje_zzb1 UNIQUE (pzzb_zzb_id, pzzb_spzzb_id)
);
CREATE GENERATOR g_pozycje_zzb;
SET GENERATOR g_pozycje_zzb TO 1000;

-- Users and rights
CREATE TABLE app_users (
  au_id INTEGER NOT NULL,
  au_login VARCHAR(16),
  au_pw VARCHAR(48),
  au_first_name VARCHAR(16),
  au_last_name VARCHAR(32) NOT NULL,
  au_active SMALLINT NOT NULL,
  au_administrator SMALLINT NOT NULL,
  au_note VARCHAR(128),
  au_business_role VARCHAR(64),
  CONSTRAINT PK_app_users PRIMARY KEY (au_id),
  CONSTRAINT IX_app_users1 UNIQUE (au_login)
);
CREATE GENERATOR g_app_users;
SET GENERATOR g_app_users TO 1000;

CREATE TABLE upr_fun (
  uf_id INTEGER NOT NULL,
  uf_nr INTEGER NOT NULL,
  uf_nazwa VARCHAR(128) NOT NULL,
  CONSTRAINT PK_upr_fun PRIMARY KEY (uf_id)
);

CREATE TABLE ap_uf (
  apuf_id INTEGER NOT NULL,
  apuf_au_id INTEGER NOT NULL,
  apuf_uf_id INTEGER NOT NULL,
  apuf_uc VARCHAR(16),
  apuf_dc TIMESTAMP,
  CONSTRAINT PK_ap_uf PRIMARY KEY (apuf_id)
);
CREATE GENERATOR g_ap_uf;
SET GENERATOR g_ap_uf TO 1000;

-- Air, Table B: fuel handling
CREATE TABLE stawki_tb (
  stb_id INTEGER NOT NULL,
  stb_poz_wydruku INTEGER NOT NULL,
  stb_nazwa_oplaty VARCHAR(64) NOT NULL,
  stb_stawka d_kwota NOT NULL,
  stb_f_aktualny SMALLINT NOT NULL,
  stb_lp INTEGER,
  CONSTRAINT PK_stawki_tb PRIMARY KEY (stb_id),
  CONSTRAINT IX_stawki_tb1 UNIQUE (stb_nazwa_oplaty)
);

CREATE TABLE lokalizacje_tb (
  ltb_id INTEGER NOT NULL,
  ltb_z_id INTEGER NOT NULL,
  ltb_gm_id INTEGER NOT NULL,
  ltb_adres d_adres NOT NULL,
  ltb_kwota d_kwota,
  CONSTRAINT PK_lokalizacje_tb PRIMARY KEY (ltb_id)
);
CREATE GENERATOR g_lokalizacje_tb;
SET GENERATOR g_lokalizacje_tb TO 1000;

CREATE TABLE oplaty_tb (
  otb_id INTEGER NOT NULL,
  otb_ltb_id INTEGER NOT NULL,
  otb_stb_id INTEGER NOT NULL,
  otb_nazwa VARCHAR(64) NOT NULL,
  otb_illosc DECIMAL(18,3),
  otb_sk_red_emisji DECIMAL(9,2),
  otb_stawka_jedn DECIMAL(18,4),
  otb_kwota d_kwota,
  CONSTRAINT PK_oplaty_tb PRIMARY KEY (otb_id)
);
CREATE GENERATOR g_oplaty_tb;
SET GENERATOR g_oplaty_tb TO 1000;

-- Air, Table C: boilers up to 5 MW
CREATE TABLE paliwa_kotlow (
  plwk_id INTEGER NOT NULL,
  plwk_nazwa VARCHAR(16) NOT NULL,
  plwk_nazwa_n VARCHAR(16) NOT NULL,
  plwk_opis_wydr VARCHAR(128),
  plwk_f_aktualny SMALLINT NOT NULL,
  plwk_lp INTEGER,
  CONSTRAINT PK_paliwa_kotlow PRIMARY KEY (plwk_id),
  CONSTRAINT IX_paliwa_kotlow1 UNIQUE (plwk_nazwa)
);
CREATE GENERATOR g_paliwa_kotlow;
SET GENERATOR g_paliwa_kotlow TO 1000;

CREATE TABLE stawki_tc (
  stc_id INTEGER NOT NULL,
  stc_plwk_id INTEGER NOT NULL,
  stc_nazwa VARCHAR(128) NOT NULL,
  stc_poz_wydr INTEGER NOT NULL,
  stc_stawka d_kwota NOT NULL,
  stc_f_aktualny SMALLINT NOT NULL,
  stc_lp INTEGER,
  CONSTRAINT PK_stawki_tc PRIMARY KEY (stc_id),
  CONSTRAINT IX_stawki_tc1 UNIQUE (stc_plwk_id, stc_nazwa)
);

CREATE TABLE lokalizacja_tc (
  ltc_id INTEGER NOT NULL,
  ltc_z_id INTEGER NOT NULL,
  ltc_gm_id INTEGER NOT NULL,
  ltc_adres d_adres NOT NULL,
  ltc_kwota d_kwota,
  CONSTRAINT PK_lokalizacja_tc PRIMARY KEY (ltc_id)
);
CREATE GENERATOR g_lokalizacja_tc;
SET GENERATOR g_lokalizacja_tc TO 1000;

CREATE TABLE oplaty_tc (
  otc_id INTEGER NOT NULL,
  otc_ltc_id INTEGER NOT NULL,
  otc_stc_id INTEGER NOT NULL,
  otc_nazwa VARCHAR(128) NOT NULL,
  otc_liczba_kotlow INTEGER,
  otc_zuzycie_paliwa DECIMAL(18,3),
  otc_stawka_jedn DECIMAL(18,4),
  otc_kwota d_kwota,
  CONSTRAINT PK_oplaty_tc PRIMARY KEY (otc_id)
);
CREATE GENERATOR g_oplaty_tc;
SET GENERATOR g_oplaty_tc TO 1000;

-- Air, Table D: combustion engines
CREATE TABLE rodzaje_silnikow (
  rds_id INTEGER NOT NULL,
  rds_nazwa VARCHAR(256) NOT NULL,
  rds_poz_wydruku INTEGER NOT NULL,
  rds_f_aktualny SMALLINT NOT NULL,
  rds_lp INTEGER,
  CONSTRAINT PK_rodzaje_silnikow PRIMARY KEY (rds_id)
);
CREATE GENERATOR g_rodzaje_silnikow;
SET GENERATOR g_rodzaje_silnikow TO 1000;

CREATE TABLE rodzaje_paliw_silnik (
  rps_id INTEGER NOT NULL,
  rps_nazwa VARCHAR(128),
  rps_poz_wydruku INTEGER,
  rps_f_aktualny SMALLINT NOT NULL,
  rps_lp INTEGER,
  CONSTRAINT PK_rodzaje_paliw_silnik PRIMARY KEY (rps_id)
);
CREATE GENERATOR g_rodzaje_paliw_silnik;
SET GENERATOR g_rodzaje_paliw_silnik TO 1000;

CREATE TABLE stawki_silnik_paliwo (
  ssp_id INTEGER NOT NULL,
  ssp_rds_id INTEGER NOT NULL,
  ssp_rps_id INTEGER NOT NULL,
  ssp_stawka DECIMAL(18,3) NOT NULL,
  ssp_f_zdefiniowana SMALLINT NOT NULL,
  ssp_f_aktualny SMALLINT NOT NULL,
  ssp_lp INTEGER,
  CONSTRAINT PK_stawki_silnik_paliwo PRIMARY KEY (ssp_id),
  CONSTRAINT IX_stawki_silnik_paliwo1 UNIQUE (ssp_rds_id, ssp_rps_id)
);

CREATE TABLE oplaty_td (
  otd_id INTEGER NOT NULL,
  otd_z_id INTEGER NOT NULL,
  otd_ssp_id INTEGER NOT NULL,
  otd_zuzycie_paliwa DECIMAL(18,3),
  otd_stawka_jedn DECIMAL(18,3) NOT NULL,
  otd_kwota d_kwota,
  CONSTRAINT PK_oplaty_td PRIMARY KEY (otd_id),
  CONSTRAINT IX_oplaty_td1 UNIQUE (otd_z_id, otd_ssp_id)
);
CREATE GENERATOR g_oplaty_td;
SET GENERATOR g_oplaty_td TO 1000;

-- Water: boards, permits, kinds of intake
CREATE TABLE rzgw (
  rzgw_id INTEGER NOT NULL,
  rzgw_nazwa VARCHAR(80) NOT NULL,
  rzgw_wsp_roznicujacy d_wsp_roznicujacy NOT NULL,
  rzgw_f_aktualny SMALLINT NOT NULL,
  rzgw_lp INTEGER,
  CONSTRAINT PK_rzgw PRIMARY KEY (rzgw_id),
  CONSTRAINT IX_rzgw1 UNIQUE (rzgw_nazwa)
);
CREATE GENERATOR g_rzgw;
SET GENERATOR g_rzgw TO 1000;

CREATE TABLE pozwolenia_wp (
  pwp_id INTEGER NOT NULL,
  pwp_pdm_id INTEGER NOT NULL,
  pwp_numer VARCHAR(40) NOT NULL,
  pwp_data_wyd DATE NOT NULL,
  pwp_organ_wyd d_nazwa_org NOT NULL,
  pwp_term_obow_0 DATE NOT NULL,
  pwp_term_obow_1 DATE NOT NULL,
  CONSTRAINT PK_pozwolenia_wp PRIMARY KEY (pwp_id),
  CONSTRAINT IX_pozwolenia_wp1 UNIQUE (pwp_numer, pwp_data_wyd, pwp_organ_wyd)
);
CREATE GENERATOR g_pozwolenia_wp;
SET GENERATOR g_pozwolenia_wp TO 1000;

CREATE TABLE statusy_pozwolen_wp (
  spw_id INTEGER NOT NULL,
  spw_nazwa VARCHAR(40) NOT NULL,
  spw_f_aktualny SMALLINT NOT NULL,
  spw_lp INTEGER,
  CONSTRAINT PK_statusy_pozwolen_wp PRIMARY KEY (spw_id)
);

CREATE TABLE typ_ujecia_wody (
  tuw_id INTEGER NOT NULL,
  tuw_nazwa VARCHAR(40) NOT NULL,
  tuw_f_aktualny SMALLINT NOT NULL,
  tuw_lp INTEGER,
  CONSTRAINT PK_typ_ujecia_wody PRIMARY KEY (tuw_id),
  CONSTRAINT IX_typ_ujecia_wody1 UNIQUE (tuw_nazwa)
);
CREATE GENERATOR g_typ_ujecia_wody;
SET GENERATOR g_typ_ujecia_wody TO 1000;

CREATE TABLE rodzaj_uw_pow (
  rdzuwpw_id INTEGER NOT NULL,
  rdzuwpw_nazwa VARCHAR(40) NOT NULL,
  rdzuwpw_f_aktualny SMALLINT NOT NULL,
  rdzuwpw_lp INTEGER,
  CONSTRAINT PK_rodzaj_uw_pow PRIMARY KEY (rdzuwpw_id),
  CONSTRAINT IX_rodzaj_uw_pow1 UNIQUE (rdzuwpw_nazwa)
);
CREATE GENERATOR g_rodzaj_uw_pow;
SET GENERATOR g_rodzaj_uw_pow TO 1000;

-- Water withdrawal
CREATE TABLE stawki_pw (
  spw_id INTEGER NOT NULL,
  spw_tuw_id INTEGER NOT NULL,
  spw_nazwa VARCHAR(64) NOT NULL,
  spw_stawka DECIMAL(18,4) NOT NULL,
  spw_poz_wydr INTEGER NOT NULL,
  spw_opis VARCHAR(256),
  spw_f_aktualny SMALLINT NOT NULL,
  spw_lp INTEGER,
  CONSTRAINT PK_stawki_pw PRIMARY KEY (spw_id),
  CONSTRAINT IX_stawki_pw1 UNIQUE (spw_tuw_id, spw_nazwa)
);

CREATE TABLE wsp_rozn_pw (
  wrpw_id INTEGER NOT NULL,
  wrpw_tuw_id INTEGER NOT NULL,
  wrpw_nazwa VARCHAR(136) NOT NULL,
  wrpw_wartosc DECIMAL(18,5) NOT NULL,
  wrpw_f_aktualny SMALLINT NOT NULL,
  wrpw_lp INTEGER,
  CONSTRAINT PK_wsp_rozn_pw PRIMARY KEY (wrpw_id)
);

CREATE TABLE ujecia_wody (
  uw_id INTEGER NOT NULL,
  uw_z_id INTEGER NOT NULL,
  uw_tuw_id INTEGER NOT NULL,
  uw_rdzuwpw_id INTEGER,
  uw_nazwa VARCHAR(40) NOT NULL,
  uw_adres d_adres NOT NULL,
  uw_gm_id INTEGER NOT NULL,
  uw_rzgw_id INTEGER NOT NULL,
  uw_spw_id INTEGER NOT NULL,
  uw_1_pwp_id INTEGER,
  uw_2_pwp_id INTEGER,
  uw_pwp_uzasad VARCHAR(128),
  uw_pbrw_razem DECIMAL(18,3),
  uw_pbrw_scieki DECIMAL(18,3),
  uw_pbrw_w_zakupiona DECIMAL(18,3),
  uw_pbrw_sp_z_og_pbr DECIMAL(18,3),
  uw_pbrw_inny DECIMAL(18,3),
  uw_kwota d_kwota,
  uw_j_bzt5_st d_stezenie_subst_w_wodzie,
  uw_j_bzt5_il d_ilosc_subst_w_wodzie,
  uw_j_chzt_cr_st d_stezenie_subst_w_wodzie,
  uw_j_chzt_cr_il d_ilosc_subst_w_wodzie,
  uw_j_zawiesina_og_st d_stezenie_subst_w_wodzie,
  uw_j_zawiesina_og_il d_ilosc_subst_w_wodzie,
  uw_j_suma_chl_siarcz_st d_stezenie_subst_w_wodzie,
  uw_j_suma_chl_siarcz_il d_ilosc_subst_w_wodzie,
  uw_j_fenole_lotne_st d_stezenie_subst_w_wodzie,
  uw_j_fenole_lotne_il d_ilosc_subst_w_wodzie,
  uw_j_metale_ciezkie_st d_stezenie_subst_w_wodzie,
  uw_j_metale_ciezkie_il d_ilosc_subst_w_wodzie,
  uw_j_arsen_st d_stezenie_subst_w_wodzie,
  uw_j_arsen_il d_ilosc_subst_w_wodzie,
  uw_j_chrom_st d_stezenie_subst_w_wodzie,
  uw_j_chrom_il d_ilosc_subst_w_wodzie,
  uw_j_cynk_st d_stezenie_subst_w_wodzie,
  uw_j_cynk_il d_ilosc_subst_w_wodzie,
  uw_j_kadm_st d_stezenie_subst_w_wodzie,
  uw_j_kadm_il d_ilosc_subst_w_wodzie,
  uw_j_miedz_st d_stezenie_subst_w_wodzie,
  uw_j_miedz_il d_ilosc_subst_w_wodzie,
  uw_j_nikiel_st d_stezenie_subst_w_wodzie,
  uw_j_nikiel_il d_ilosc_subst_w_wodzie,
  uw_j_olow_st d_stezenie_subst_w_wodzie,
  uw_j_olow_il d_ilosc_subst_w_wodzie,
  uw_j_rtec_st d_stezenie_subst_w_wodzie,
  uw_j_rtec_il d_ilosc_subst_w_wodzie,
  uw_j_srebro_st d_stezenie_subst_w_wodzie,
  uw_j_srebro_il d_ilosc_subst_w_wodzie,
  uw_j_wanad_st d_stezenie_subst_w_wodzie,
  uw_j_wanad_il d_ilosc_subst_w_wodzie,
  uw_j_pozostale_st d_stezenie_subst_w_wodzie,
  uw_j_pozostale_il d_ilosc_subst_w_wodzie,
  CONSTRAINT PK_ujecia_wody PRIMARY KEY (uw_id)
);
CREATE GENERATOR g_ujecia_wody;
SET GENERATOR g_ujecia_wody TO 1000;

CREATE TABLE oplaty_pw (
  opw_id INTEGER NOT NULL,
  opw_uw_id INTEGER NOT NULL,
  opw_nazwa VARCHAR(64) NOT NULL,
  opw_ilosc DECIMAL(18,3),
  opw_wsp_rozn DECIMAL(18,5),
  opw_wsp_rozn_rzgw DECIMAL(18,5),
  opw_jedn_stawka_opl d_stawka_jednostkowa,
  opw_stawka_oplaty d_stawka_jednostkowa,
  opw_kwota d_kwota,
  CONSTRAINT PK_oplaty_pw PRIMARY KEY (opw_id)
);
CREATE GENERATOR g_oplaty_pw;
SET GENERATOR g_oplaty_pw TO 1000;

-- References. The content of a statement goes with it (ON DELETE CASCADE);
-- a dictionary row that is still referred to cannot be deleted.
ALTER TABLE powiaty
  ADD CONSTRAINT FK_powiaty_wojewodztwa
    FOREIGN KEY (pow_woj_id) REFERENCES wojewodztwa (woj_id);
ALTER TABLE gminy
  ADD CONSTRAINT FK_gminy_powiaty
    FOREIGN KEY (gm_pow_id) REFERENCES powiaty (pow_id),
  ADD CONSTRAINT FK_gminy_rodz_jedn_teryt
    FOREIGN KEY (gm_rjt_id) REFERENCES rodzaje_jednostek_teryt (rjt_id);
ALTER TABLE podmioty
  ADD CONSTRAINT FK_podmioty_gminy
    FOREIGN KEY (pdm_gm_id) REFERENCES gminy (gm_id);
ALTER TABLE zestawienia
  ADD CONSTRAINT FK_zestawienia_lata_rok
    FOREIGN KEY (z_rok_id) REFERENCES lata (rok_id),
  ADD CONSTRAINT FK_zestawienia_polrocza
    FOREIGN KEY (z_pr_id) REFERENCES polrocza (pr_id),
  ADD CONSTRAINT FK_zestawienia_podmioty
    FOREIGN KEY (z_pdm_id) REFERENCES podmioty (pdm_id),
  ADD CONSTRAINT FK_zestawienia_stan_zest
    FOREIGN KEY (z_stz_id) REFERENCES stan_zestawienia (stz_id);
ALTER TABLE zestawienia_zbiorcze
  ADD CONSTRAINT FK_zest_zb_zestawienia
    FOREIGN KEY (zzb_z_id) REFERENCES zestawienia (z_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_zest_zb_wojewodztwa
    FOREIGN KEY (zzb_woj_id) REFERENCES wojewodztwa (woj_id);
ALTER TABLE pozycje_zzb
  ADD CONSTRAINT FK_pozycje_zzb_zest_zb
    FOREIGN KEY (pzzb_zzb_id) REFERENCES zestawienia_zbiorcze (zzb_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_pozycje_zzb_szablony
    FOREIGN KEY (pzzb_spzzb_id) REFERENCES szablony_poz_zzb (spzzb_id);
ALTER TABLE ap_uf
  ADD CONSTRAINT FK_ap_uf_app_users
    FOREIGN KEY (apuf_au_id) REFERENCES app_users (au_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_ap_uf_upr_fun
    FOREIGN KEY (apuf_uf_id) REFERENCES upr_fun (uf_id);
ALTER TABLE lokalizacje_tb
  ADD CONSTRAINT FK_lokalizacje_tb_zestawienia
    FOREIGN KEY (ltb_z_id) REFERENCES zestawienia (z_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_lokalizacje_tb_gminy
    FOREIGN KEY (ltb_gm_id) REFERENCES gminy (gm_id);
ALTER TABLE oplaty_tb
  ADD CONSTRAINT FK_oplaty_tb_lokalizacje_tb
    FOREIGN KEY (otb_ltb_id) REFERENCES lokalizacje_tb (ltb_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_oplaty_tb_stawki_tb
    FOREIGN KEY (otb_stb_id) REFERENCES stawki_tb (stb_id);
ALTER TABLE stawki_tc
  ADD CONSTRAINT FK_stawki_tc_paliwa_kotlow
    FOREIGN KEY (stc_plwk_id) REFERENCES paliwa_kotlow (plwk_id);
ALTER TABLE lokalizacja_tc
  ADD CONSTRAINT FK_lokalizacja_tc_zestawienia
    FOREIGN KEY (ltc_z_id) REFERENCES zestawienia (z_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_lokalizacja_tc_gminy
    FOREIGN KEY (ltc_gm_id) REFERENCES gminy (gm_id);
ALTER TABLE oplaty_tc
  ADD CONSTRAINT FK_oplaty_tc_lokalizacja_tc
    FOREIGN KEY (otc_ltc_id) REFERENCES lokalizacja_tc (ltc_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_oplaty_tc_stawki_tc
    FOREIGN KEY (otc_stc_id) REFERENCES stawki_tc (stc_id);
ALTER TABLE stawki_silnik_paliwo
  ADD CONSTRAINT FK_st_silnik_pal_rodz_silnikow
    FOREIGN KEY (ssp_rds_id) REFERENCES rodzaje_silnikow (rds_id),
  ADD CONSTRAINT FK_st_silnik_pal_rodz_paliw
    FOREIGN KEY (ssp_rps_id) REFERENCES rodzaje_paliw_silnik (rps_id);
ALTER TABLE oplaty_td
  ADD CONSTRAINT FK_oplaty_td_zestawienia
    FOREIGN KEY (otd_z_id) REFERENCES zestawienia (z_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_oplaty_td_st_silnik_paliwo
    FOREIGN KEY (otd_ssp_id) REFERENCES stawki_silnik_paliwo (ssp_id);
ALTER TABLE pozwolenia_wp
  ADD CONSTRAINT FK_pozwolenia_wp_podmioty
    FOREIGN KEY (pwp_pdm_id) REFERENCES podmioty (pdm_id);
ALTER TABLE stawki_pw
  ADD CONSTRAINT FK_stawki_pw_typ_ujecia_wody
    FOREIGN KEY (spw_tuw_id) REFERENCES typ_ujecia_wody (tuw_id);
ALTER TABLE wsp_rozn_pw
  ADD CONSTRAINT FK_wsp_rozn_pw_typ_ujecia_wody
    FOREIGN KEY (wrpw_tuw_id) REFERENCES typ_ujecia_wody (tuw_id);
ALTER TABLE ujecia_wody
  ADD CONSTRAINT FK_ujecia_wody_zestawienia
    FOREIGN KEY (uw_z_id) REFERENCES zestawienia (z_id) ON DELETE CASCADE,
  ADD CONSTRAINT FK_ujecia_wody_typ_ujecia_wody
    FOREIGN KEY (uw_tuw_id) REFERENCES typ_ujecia_wody (tuw_id),
  ADD CONSTRAINT FK_ujecia_wody_rodzaj_uw_pow
    FOREIGN KEY (uw_rdzuwpw_id) REFERENCES rodzaj_uw_pow (rdzuwpw_id),
  ADD CONSTRAINT FK_ujecia_wody_gminy
    FOREIGN KEY (uw_gm_id) REFERENCES gminy (gm_id),
  ADD CONSTRAINT FK_ujecia_wody_rzgw
    FOREIGN KEY (uw_rzgw_id) REFERENCES rzgw (rzgw_id),
  ADD CONSTRAINT FK_ujecia_wody_statusy_pozw_wp
    FOREIGN KEY (uw_spw_id) REFERENCES statusy_pozwolen_wp (spw_id),
  ADD CONSTRAINT FK_ujecia_wody_pozwolenia_wp_1
    FOREIGN KEY (uw_1_pwp_id) REFERENCES pozwolenia_wp (pwp_id),
  ADD CONSTRAINT FK_ujecia_wody_pozwolenia_wp_2
    FOREIGN KEY (uw_2_pwp_id) REFERENCES pozwolenia_wp (pwp_id);
ALTER TABLE oplaty_pw
  ADD CONSTRAINT FK_oplaty_pw_ujecia_wody
    FOREIGN KEY (opw_uw_id) REFERENCES ujecia_wody (uw_id) ON DELETE CASCADE;

-- Voivodeships in which a statement has a place of use (for its collective summaries).
-- Table D fees count at the commune of the entity's seat.
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
INNER JOIN wojewodztwa ON woj_id = pow_woj_id;

-- Places of Table B and Table C of a statement with their commune, county and voivodeship.
CREATE VIEW v_lok_b_c (z_id, adres, gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa) AS
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
INNER JOIN wojewodztwa ON woj_id = pow_woj_id;
