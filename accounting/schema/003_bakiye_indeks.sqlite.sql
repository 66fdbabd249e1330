-- An account's balance is read on every row move of the chart picker: a
-- range on the code over an index that holds the amounts reads no voucher row.
CREATE INDEX IX_FISAYR_BAKIYE ON FISAYR (HSPKODU, BORC, ALACAK);
