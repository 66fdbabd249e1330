-- Badge readings of the attendance device, one row per reading. SIRANO is the
-- device file's record number; readings entered at a workstation are numbered
-- by the database where the installation makes the column an identity.
-- One badge, day, minute and code is one reading: a file read twice, or a
-- line repeated in it, updates the stored reading instead of doubling it.
CREATE TABLE PEROKU (
    SIRANO INTEGER,
    CIHAZ_ID VARCHAR(15) NOT NULL,
    TARIH TIMESTAMP NOT NULL,
    SAAT TIMESTAMP NOT NULL,
    TIPKOD VARCHAR(1),
    IENO VARCHAR(7) NOT NULL,
    PORTNO SMALLINT
);
CREATE UNIQUE INDEX UX_PEROKU_OKUMA ON PEROKU (CIHAZ_ID, TARIH, SAAT, IENO);
CREATE INDEX IX_PEROKU_TARIH ON PEROKU (TARIH, CIHAZ_ID, SAAT);
CREATE INDEX IX_PEROKU_SIRANO ON PEROKU (SIRANO);

-- The pairing finds an interval again by its type and the number of the
-- reading that bounds it (ESLEME_NO); the unique key lets two workstations
-- pair the same day without doubling intervals. Intervals entered by hand
-- have no ESLEME_NO.
ALTER TABLE PEROKUM ADD COLUMN ESLEME_NO INTEGER;
CREATE UNIQUE INDEX UX_PEROKUM_ESLEME ON PEROKUM (CIHAZ_ID, TARIH, TIPKOD, ESLEME_NO);
CREATE INDEX IX_PEROKUM_TARIH ON PEROKUM (TARIH, PER_KOD);

-- The daily work control card of one employee and its lines.
CREATE TABLE PERWORKM (
    KONT_KART_NO DOUBLE PRECISION NOT NULL PRIMARY KEY,
    PER_KOD VARCHAR(11) NOT NULL,
    TARIH TIMESTAMP NOT NULL,
    VERIMLI_SAAT DOUBLE PRECISION,
    CALIS_SAAT DOUBLE PRECISION,
    SATILAN_SAAT DOUBLE PRECISION,
    UCRETLI_MOLA SMALLINT,
    AKTARILDI SMALLINT
);
CREATE INDEX IX_PERWORKM_TARIH ON PERWORKM (TARIH, PER_KOD);

CREATE TABLE PERWORKD (
    KONT_KART_NO DOUBLE PRECISION NOT NULL,
    SIRA_NO SMALLINT NOT NULL,
    IS_TIP VARCHAR(2),
    IS_EMRI_NO VARCHAR(7),
    SATILAN_SAAT DOUBLE PRECISION,
    BAS_SAAT TIMESTAMP,
    BIT_SAAT TIMESTAMP,
    FIILI_SAAT DOUBLE PRECISION,
    PER_KOD VARCHAR(11),
    TARIH TIMESTAMP,
    SAAT TIMESTAMP,
    DOSYA_SIRA INTEGER,
    PRIMARY KEY (KONT_KART_NO, SIRA_NO)
);
