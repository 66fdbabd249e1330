-- Current-account cards: the columns the ledger, the risk check, the account
-- note and the change history read. The card itself adds the rest.
CREATE TABLE CARI (
    CARI_KOD VARCHAR(11) NOT NULL PRIMARY KEY,
    FIRMA_ADI VARCHAR(45),
    YETKILI_ADI VARCHAR(25),
    TEL1 VARCHAR(17),
    TEL3 VARCHAR(17),
    FAKS VARCHAR(17),
    CARI_GRP_KOD VARCHAR(1),
    MUH_KOD VARCHAR(30),
    DOVIZ VARCHAR(5),
    RISK_LIMITI DOUBLE PRECISION,
    VADEGUN SMALLINT,
    ACIKLAMA VARCHAR(80)
);
