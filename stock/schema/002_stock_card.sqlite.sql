-- "Starts with" searches on the part number read this index through a range
-- of the folded code (TR_UPPER is registered on every connection).
CREATE INDEX IX_STOK_KOD_TR ON STOK (TR_UPPER(STOK_KOD_NO));
