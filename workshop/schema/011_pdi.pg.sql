-- The chassis search compares in code-point order (a range from the typed
-- prefix): on PostgreSQL only an index under the "C" collation serves it.
CREATE INDEX IX_PDIMAST_SASE_C ON PDIMAST (SASE_NO COLLATE "C");
