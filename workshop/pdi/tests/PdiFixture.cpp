#include "PdiFixture.h"

namespace tornaly::test {

const QString PdiTest::kSase = QStringLiteral("VNK1SED2026000901");

void PdiTest::SetUp()
{
    WorkOrderTest::SetUp();
    for (const auto& [k, a] : {std::pair{"OTP", "Ön Tampon"}, std::pair{"KPT", "Kaput"}, std::pair{"TAV", "Tavan"}})
        insert(QStringLiteral("PDIHYER"), {{QStringLiteral("HATA_YERI_KODU"), QString::fromUtf8(k)},
                                           {QStringLiteral("HATA_YERI_ADI"), QString::fromUtf8(a)}});
    for (const auto& [k, a] : {std::pair{"CZK", "Çizik"}, std::pair{"GCK", "Göçük"}, std::pair{"A2", "Ayar"}})
        insert(QStringLiteral("PDIHATAD"), {{QStringLiteral("PDI_HATA_KODU"), QString::fromUtf8(k)},
                                            {QStringLiteral("PDI_HATA_ADI"), QString::fromUtf8(a)}});
    addVehicle(kSase);
    db.exec(QStringLiteral("UPDATE ARAC SET MOTOR_NO = 'M16A140901' WHERE SASE_NO = :S"), {{QStringLiteral("S"), kSase}});
    ctx.CalismaYili = QStringLiteral("2026");
    ctx.UretBKod = QStringLiteral("B1234");
}

QString PdiTest::addPdi(const QString& sase, const QList<std::pair<QString, QString>>& hatalar)
{
    workshop::PdiKaydi k = workshop::PdiYeni(db);
    k.row[QStringLiteral("SASE_NO")] = sase;
    k.row[QStringLiteral("MODEL_KODU")] = QStringLiteral("VRN1600");
    k.row[QStringLiteral("ONAY_VEREN")] = QStringLiteral("P1");
    for (const auto& [yer, hata] : hatalar) {
        workshop::PdiHata h;
        h.HATA_YERI_KODU = yer;
        h.HATA_ADI_KODU = hata;
        k.hatalar << h;
    }
    workshop::PdiKaydet(db, k, true);
    return k.row.value(QStringLiteral("PDI_NO")).toString();
}

void PdiTest::setSeriNo(double seri)
{
    db.exec(QStringLiteral("UPDATE PARAMSER SET SERI_NO = :S"), {{QStringLiteral("S"), seri}});
}

int PdiTest::addSoru(int tip, int sira, const QString& metin, int soruTip, int aktif)
{
    insert(QStringLiteral("BELGEFORMSORU"), {{QStringLiteral("BS_BELGE_TIP"), tip},
                                             {QStringLiteral("BS_SIRA_NO"), sira},
                                             {QStringLiteral("BS_SORU_NO"), sira},
                                             {QStringLiteral("BS_SORU_TEXT"), metin},
                                             {QStringLiteral("BS_SORU_TIP"), soruTip},
                                             {QStringLiteral("BS_AKTIF"), aktif}});
    return scalar(QStringLiteral("SELECT MAX(BS_ID) FROM BELGEFORMSORU")).toInt();
}

} // namespace tornaly::test
