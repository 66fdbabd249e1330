-- "Contains" searches in the account names read a trigram index of the folded
-- name instead of every account; the folding stays TR_UPPER's, the index only
-- narrows the accounts the search looks at.
CREATE EXTENSION IF NOT EXISTS pg_trgm;
CREATE INDEX IX_CARI_ADI_TRGM ON CARI USING gin (TR_UPPER(FIRMA_ADI) gin_trgm_ops);
