-- The vehicle's warning note for the workshop: one note per chassis.
CREATE TABLE SERNOT (
    SASE_NO VARCHAR(30) NOT NULL PRIMARY KEY,
    SER_NOT TEXT
);

-- Parts the work-order parts screen could not issue, suggested for the next
-- parts order; the order editor takes and deletes them.
CREATE TABLE SIPONERI (
    STOK_NO DOUBLE PRECISION,
    IHTIYAC_MIKTARI DOUBLE PRECISION,
    TARIH TIMESTAMP,
    VERILDI BOOLEAN,
    ISEMRI_NO VARCHAR(7)
);
CREATE INDEX IX_SIPONERI_ISEMRI ON SIPONERI (ISEMRI_NO);
