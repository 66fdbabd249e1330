-- "Contains" searches on chassis numbers and plates (the last digits of a
-- chassis, part of a plate) are served by trigram indexes.
CREATE EXTENSION IF NOT EXISTS pg_trgm;
CREATE INDEX IX_ARAC_SASE_TRGM ON ARAC USING gin (SASE_NO gin_trgm_ops);
CREATE INDEX IX_ARAC_PLAKA_TRGM ON ARAC USING gin (PLAKA gin_trgm_ops);
