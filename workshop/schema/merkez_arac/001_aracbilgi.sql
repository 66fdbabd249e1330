-- The distributor's vehicle data as its server hands it to a dealer for a
-- chassis number (the stand-in for the central server's procedure).
CREATE TABLE ARACBILGI (
    SASE_NO VARCHAR(30) NOT NULL PRIMARY KEY,
    MOTOR_NO VARCHAR(25),
    ARC_MODEL_KODU VARCHAR(15),
    ARC_MODEL_TRH SMALLINT,
    ARC_RENK_KODU VARCHAR(11),
    PLAKA VARCHAR(15),
    GARANTI_BAS TIMESTAMP,
    GARANTI_BIT TIMESTAMP,
    GAR_SERI_NO1 VARCHAR(10),
    GAR_SERI_NO2 VARCHAR(10),
    EK1 VARCHAR(50),
    EK2 VARCHAR(50),
    EK3 VARCHAR(50),
    FIRMA_ADI VARCHAR(60),
    FIRMA_ADI2 VARCHAR(60),
    CINSIYET VARCHAR(1)
);
