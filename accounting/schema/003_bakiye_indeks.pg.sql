-- An account's balance is read on every row move of the chart picker: a
-- range on the code over an index that holds the amounts reads no voucher row.
-- The range compares code points, so the index does too, whatever the
-- database's collation.
CREATE INDEX IX_FISAYR_BAKIYE ON FISAYR (HSPKODU COLLATE "C", BORC, ALACAK);
