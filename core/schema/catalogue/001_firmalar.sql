-- The companies catalogue: one row per company and working year, each naming
-- the database that holds that year.
CREATE TABLE FIRMALAR (
    FIRMA_ADI VARCHAR(18) NOT NULL,
    FIRMA_NO VARCHAR(10),
    YILI VARCHAR(4) NOT NULL,
    ALIASADI VARCHAR(80),
    DATABASE_NAME VARCHAR(80),
    FIRMA_ID VARCHAR(15),
    PRIMARY KEY (FIRMA_ADI, YILI)
);
