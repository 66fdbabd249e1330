-- Folded searches ("starts with" on code and name) answer from these; the
-- byte order lets a prefix become a range whatever the database collation.
CREATE INDEX IX_CARI_KOD_TR ON CARI ((TR_UPPER(CARI_KOD)) COLLATE "C");
CREATE INDEX IX_CARI_ADI_TR ON CARI ((TR_UPPER(FIRMA_ADI)) COLLATE "C");
