-- Account lists page by keyset with empty values first. This server keeps an
-- ascending index with them last, so the code order needs its own index for
-- the first page to come from it instead of a sort of every account.
CREATE INDEX IX_CARI_KOD_NF ON CARI (CARI_KOD NULLS FIRST);
