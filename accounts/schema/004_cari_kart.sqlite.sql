-- Folded searches ("starts with" on code and name) answer from these.
CREATE INDEX IX_CARI_KOD_TR ON CARI (TR_UPPER(CARI_KOD));
CREATE INDEX IX_CARI_ADI_TR ON CARI (TR_UPPER(FIRMA_ADI));
