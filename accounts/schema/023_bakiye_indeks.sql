-- The balance of an account is read inside the invoice save and on the
-- invoice form: an index holding the amounts serves it without the rows.
CREATE INDEX IX_CARIHRK_BAKIYE ON CARIHRK (CARI_KOD, BORC, ALACAK, BORC_USD, ALACAK_USD);
