-- An invoice keeps one current-account row per (kind, document number): a
-- re-post replaces the row. Rows doubled by re-posts that raced each other
-- before this key existed are reduced to the latest one (highest CARI_NO),
-- since the earlier copy only counted the document twice in the balance.
-- Only the invoice kinds are keyed: bank, slip and offset documents write
-- several rows under one reference by design.
DELETE FROM CARIHRK
WHERE CRHRK_TUR IN ('S', 'A') AND REF_NO IS NOT NULL
  AND EXISTS (SELECT 1 FROM CARIHRK H2
              WHERE H2.CRHRK_TUR = CARIHRK.CRHRK_TUR AND H2.REF_NO = CARIHRK.REF_NO
                AND H2.CARI_NO > CARIHRK.CARI_NO);

CREATE UNIQUE INDEX UX_CARIHRK_BELGE ON CARIHRK (CRHRK_TUR, REF_NO) WHERE CRHRK_TUR IN ('S', 'A');
