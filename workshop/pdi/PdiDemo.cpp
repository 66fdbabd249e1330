#include "workshop/pdi/PdiDemo.h"
#include "workshop/vehicles/RecordIo.h"

namespace tornaly::workshop {

namespace {
bool tabloBos(const Db& db, const QString& tablo)
{
    // Table names come from this file only.
    return ReadRows(db, QStringLiteral("SELECT 1 AS X FROM %1 LIMIT 1").arg(tablo)).isEmpty();
}
} // namespace

void SeedPdiDemo(const Db& db)
{
    if (tabloBos(db, QStringLiteral("PDIHYER"))) {
        for (const auto& [k, a] : {std::pair{"OTP", "Ön Tampon"}, std::pair{"ATP", "Arka Tampon"}, std::pair{"SOK", "Sol Ön Kapı"},
                                   std::pair{"SAK", "Sağ Arka Kapı"}, std::pair{"KPT", "Kaput"}, std::pair{"TAV", "Tavan"},
                                   std::pair{"ICD", "İç Döşeme"}})
            db.exec(QStringLiteral("INSERT INTO PDIHYER (HATA_YERI_KODU, HATA_YERI_ADI) VALUES (:K, :A)"),
                    {{QStringLiteral("K"), QString::fromUtf8(k)}, {QStringLiteral("A"), QString::fromUtf8(a)}});
    }
    if (tabloBos(db, QStringLiteral("PDIHATAD"))) {
        for (const auto& [k, a] : {std::pair{"CZK", "Çizik"}, std::pair{"GCK", "Göçük"}, std::pair{"BYH", "Boya Hatası"},
                                   std::pair{"LKE", "Leke"}, std::pair{"AYR", "Ayar Bozuk"}, std::pair{"EKS", "Eksik Parça"}})
            db.exec(QStringLiteral("INSERT INTO PDIHATAD (PDI_HATA_KODU, PDI_HATA_ADI) VALUES (:K, :A)"),
                    {{QStringLiteral("K"), QString::fromUtf8(k)}, {QStringLiteral("A"), QString::fromUtf8(a)}});
    }
    // A new vehicle, just delivered by the factory, that has no inspection yet.
    if (ReadRows(db, QStringLiteral("SELECT 1 AS X FROM ARAC WHERE SASE_NO = 'VNK1SED2026000901'")).isEmpty()
        && !ReadRows(db, QStringLiteral("SELECT 1 AS X FROM MODEL WHERE ARC_MODEL_KODU = 'VRN16SED'")).isEmpty())
        db.exec(QStringLiteral("INSERT INTO ARAC (SASE_NO, MOTOR_NO, ARC_MODEL_KODU, ARC_MODEL_TRH, ARC_RENK_KODU) "
                               "VALUES ('VNK1SED2026000901', 'M16A140901', 'VRN16SED', 2026, 'KRM1')"));
    if (tabloBos(db, QStringLiteral("BELGEFORMSORU"))) {
        struct Soru {
            int no;
            const char* metin;
            int tip;
        };
        const Soru sorular[] = {
            {0, "DIŞ KONTROLLER", 1},
            {1, "Kaporta ve boya yüzeyi hasarsız", 0},
            {2, "Lastik basınçları ve stepne", 0},
            {3, "Farlar, stoplar ve sinyaller çalışıyor", 0},
            {0, "MOTOR BÖLÜMÜ", 1},
            {4, "Motor yağı seviyesi", 0},
            {5, "Soğutma suyu ve antifriz", 0},
            {6, "Fren hidroliği seviyesi", 0},
            {0, "ARAÇ İÇİ", 1},
            {7, "Klima ve havalandırma", 0},
            {8, "Radyo ve multimedya ayarları", 0},
            {9, "Kullanım kitabı ve garanti belgesi araçta", 0},
        };
        int sira = 0;
        for (const Soru& s : sorular)
            db.exec(QStringLiteral("INSERT INTO BELGEFORMSORU (BS_BELGE_TIP, BS_SIRA_NO, BS_SORU_NO, BS_SORU_TEXT, BS_SORU_TIP, "
                                   "BS_AKTIF) VALUES (1, :SIRA, :NO, :METIN, :TIP, 1)"),
                    {{QStringLiteral("SIRA"), ++sira},
                     {QStringLiteral("NO"), s.no},
                     {QStringLiteral("METIN"), QString::fromUtf8(s.metin)},
                     {QStringLiteral("TIP"), s.tip}});
    }
}

} // namespace tornaly::workshop
