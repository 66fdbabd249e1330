-- "Contains" searches in the part names read trigram indexes of the folded
-- names instead of every card; the folding stays TR_UPPER's, the index only
-- narrows the cards the search looks at.
CREATE EXTENSION IF NOT EXISTS pg_trgm;
CREATE INDEX IX_STOK_ADI_TRGM ON STOK USING gin (TR_UPPER(STOK_ADI_TR) gin_trgm_ops);
CREATE INDEX IX_STOK_ADI_ING_TRGM ON STOK USING gin (TR_UPPER(STOK_ADI_ING) gin_trgm_ops);
