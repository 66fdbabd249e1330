-- The quick count pages by name and by shelf order on these expressions;
-- without an index of their own every page sorts the whole warehouse.
CREATE INDEX IX_STOK_ADI_SAYIM ON STOK ((COALESCE(STOK_ADI_TR, '')), STOK_NO);
CREATE INDEX IX_STOKMIK_RAF_SAYIM ON STOKMIK (DEPO_KOD, (COALESCE(RAF_YERI, '')), STOK_NO);
