-- Ready sentences offered for the explanation printed on invoices.
CREATE TABLE HAZIRMETIN (
    MT_ID {{IDENTITY}},
    MT_TIP SMALLINT NOT NULL,
    MT_ACIKLA VARCHAR(100) NOT NULL
);
