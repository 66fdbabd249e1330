-- A part's movement quantity is summed from this index alone, without the rows.
DROP INDEX IX_DEPOHRK_STOK;
CREATE INDEX IX_DEPOHRK_STOK ON DEPOHRK (STOK_NO, DEPO_KODU, GIRMIK, CIKMIK);
