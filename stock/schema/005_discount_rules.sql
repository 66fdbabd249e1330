-- Discount and special-price rules for sales lines. A rule applies to a
-- customer (or customer group), a part (or a part discount group) and a
-- payment kind; an empty column applies to all. The most specific rule wins.
CREATE TABLE ISKKURAL (
    KURAL_NO {{IDENTITY}},
    CARI VARCHAR(11),
    CGRUP VARCHAR(11),
    STOK_NO DOUBLE PRECISION,
    STOK_ISKGRUP VARCHAR(11),
    ODE_KOD VARCHAR(5),
    ORAN DOUBLE PRECISION,
    ORAN1 DOUBLE PRECISION,
    ORAN2 DOUBLE PRECISION,
    ORAN3 DOUBLE PRECISION,
    FIYAT_TUR VARCHAR(1) NOT NULL DEFAULT 'S',
    ISLEM VARCHAR(1) NOT NULL DEFAULT '-',
    FIYAT_TL DOUBLE PRECISION,
    FIYAT_DOVIZ DOUBLE PRECISION,
    DOVIZ_KOD VARCHAR(5)
);
CREATE INDEX IX_ISKKURAL_CARI ON ISKKURAL (CARI);
CREATE INDEX IX_ISKKURAL_STOK ON ISKKURAL (STOK_NO);
