-- Origin is a country name and MERKEZ a number; "starts with" searches on
-- code and name fold Turkish letters and read an index.
ALTER TABLE STOK ALTER COLUMN KAYNAK TYPE VARCHAR(15);
ALTER TABLE STOK ALTER COLUMN MERKEZ TYPE SMALLINT USING (CASE WHEN MERKEZ ~ '^[0-9]+$' THEN CAST(MERKEZ AS SMALLINT) ELSE 0 END);
CREATE INDEX IX_STOK_KOD_TR ON STOK (TR_UPPER(STOK_KOD_NO) text_pattern_ops);
CREATE INDEX IX_STOK_ADI_TR ON STOK (TR_UPPER(STOK_ADI_TR) text_pattern_ops);
