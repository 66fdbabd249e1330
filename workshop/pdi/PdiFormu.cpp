#include "workshop/pdi/PdiFormu.h"
#include "workshop/pdi/PdiOrtak.h"
#include "workshop/vehicles/RecordIo.h"
#include "company/Kilit.h"
#include "guard/IslemReddi.h"
#include "sql/SqlHelpers.h"

namespace tornaly::workshop {

using namespace pdiortak;


const QStringList& PdiFormuBolumleri()
{
    static const QStringList b{
        QStringLiteral("BAYİYE GÖNDERİLEN ARACIN SİPARİŞ BELGESİNDEKİ ÖZELLİKLER İLE KIYASLANMASI"),
        QStringLiteral("ARAÇ DIŞI İNCELEMELERİ"), QStringLiteral("MOTOR BÖLÜMÜ İNCELEMESİ (YUKARIDAN)"),
        QStringLiteral("ARAÇ İÇİ İNCELEMELERİ"), QStringLiteral("ARAÇ ALT BÖLÜMÜ (ARAÇ LİFT İLE KALDIRILDIĞINDA)")};
    return b;
}

const QList<PdiFormuMaddesi>& PdiFormuMaddeleri()
{
    static const QList<PdiFormuMaddesi> m{
        {K("K1_MNOSIPK"), QStringLiteral("1. Motor numarasının sipariş ile karşılaştırılması"), 0},
        {K("K2_MTS"), QStringLiteral("2. Amortisör kulesi üzerindeki dövülmüş şase numarası, ön cam üzeri şase numarası ve "
                                     "sol direk üstü araç tip etiketindeki bilgilerin karşılaştırılması"), 0},
        {K("K3_ARCRENK"), QStringLiteral("3. Araç rengi , işaretler , yazılar"), 0},
        {K("K4_KOLTIKICDOS"), QStringLiteral("4. Koltuklar (döşeme malzemesi ,renk) iç döşeme (renk)"), 0},
        {K("K5_RADANTHOP"), QStringLiteral("5. Radyo,anten ,Hoparlör"), 0},
        {K("K6_MERILITAL"), QStringLiteral("6.Merkezi kilit ,alarm tertibatı"), 0},
        {K("K7_LASTEKJANT"), QStringLiteral("7. Lastikler ,Tekerlekler ,Jantlar ,Jant Kapakları"), 0},
        {K("K8_SUNROOF"), QStringLiteral("8. Sun Roof"), 0},
        {K("K9_ARCKULKIT"), QStringLiteral("9. Araç kullanma kitabı (Türkçe), radyo-teyp ve diğer aksesuarların kullanma "
                                           "kitapları (Türkçe), servis listesi, servis planı kitapçığı, araç garanti belgesi"), 0},
        {K("K11_HASARINC"), QStringLiteral("10.Hasar İncelemesi (Kaporta hasarları, boya hataları, çizikler, iç döşemeler, "
                                           "paspaslar, lastikler, tekerlekler) "), 1},
        {K("K12_ARCANHTAMMI"), QStringLiteral("11. Aracın tüm anahtarları tamam mı?, immobilizer kod numarası etiketi var mı "
                                              "ve okunaklı mı?"), 1},
        {K("K13_KAPIKOLBEN"), QStringLiteral("12. Kapı kolları, kapı kilitleri, çocuk emniyet kilitleri ve diğer tüm kilitler "
                                             "sağlam ve düzgün olarak çalışıyor mu? Yedek anahtarlar var mı? çalıştırıyor mu?"), 1},
        {K("K14_ALRMCAL"), QStringLiteral("13. Alarm düzgün olarak çalışıyor mu? (Varsa)"), 1},
        {K("K15_AKUYUK"), QStringLiteral("14 .Akü yüksüz durumdaki voltajı, Gerekirse tekrar şarj edilmesi"), 2},
        {K("K16_ELKABLO"), QStringLiteral("15. Elektrik kanlolarının ve soket bağlantılarının sağlamlığının kontrolu "
                                          "(özellikle akü kabloları)"), 2},
        {K("K17_MOTSANSOG"), QStringLiteral("16. Motor, şanzıman, soğutma siztemi, fren sistemi ve kaçaklara karşı yakıt "
                                            "sisteminin kontrolu"), 2},
        {K("K18_MOTSANSOGCUB"), QStringLiteral("17. Motor Yağ Kalitesi ve Seviyesi Kontrolü (Seviye, Yağ çubuğunun "
                                               "işaretli kısmının ortasında mı?)"), 2},
        {K("K20_FRENHID"), QStringLiteral("18. Fren Hidroliği Seviyesi (maksimum ve mininmum çizgileri arasında mı?)"), 2},
        {K("K19_DIREKHID"), QStringLiteral("19. Direksiyon hidroliği Seviyesinin Kontrolü"), 2},
        {K("K21_RADYOTOR"), QStringLiteral("20. Radyotör su seviyesi (orta seviye işareti), antifriz (-35 dereceye kadar)"), 2},
        {K("K22_CAMYIKA"), QStringLiteral("21. Cam yıkama su seviyesi (asgari 0.5 lt ), donma tehlikesinde donmayı önleyici "
                                          "sıvı ile"), 2},
        {K("K23_EMNKEMER"), QStringLiteral("22. Emniyet kemerinin çalışması, emniyet kemeri yükseklik ayarı, elektrikli "
                                           "camlar, sun roof çalışmalarının kontrolü"), 3},
        {K("K24_TAMTAKIM"), QStringLiteral("23. Kriko, bijon anahtarı, stepne ve aksesuarlar tam mı ve araç içinde doğru "
                                           "yerde mi?"), 3},
        {K("K26_MOTORSANAKS"), QStringLiteral("24. Motor, şanzıman, akslar, fren sistemi, fren boru ve hortumları, yakıt "
                                              "boruları ve yakıt havalandırma borularının hasar durumu ile sızdırmazlık "
                                              "kontrolü"), 4},
    };
    return m;
}

QStringList PdiFormuKolonlari()
{
    QStringList c{K("SASI_NO"),   K("TARIH"),      K("MOTOR_NO"),      K("KM"),           K("MARKA"),
                  K("MODEL"),     K("ARAC_TIP"),   K("FORMNO"),        K("RENK_KOD"),     K("KONANAHNO"),
                  K("IMTANIMKOD"), K("IMTANIMSIF"), K("RADYOTANIMKOD"), K("RADYOTANIMSIF"), K("KONTROL_PERSON_KOD")};
    for (const PdiFormuMaddesi& m : PdiFormuMaddeleri())
        c << m.kolon;
    return c;
}

QDateTime PdiFormuSonTarih(const Db& db, const QString& sase)
{
    Query q(db, QStringLiteral("SELECT MAX(TARIH) FROM PDIFORMU WHERE SASI_NO = :sase"));
    q.bind(QStringLiteral("sase"), sase.trimmed()).exec();
    return q.next() ? Query::toDateTime(q.value(0)) : QDateTime();
}

QVariantMap PdiFormuOku(const Db& db, const QString& sase, const QDateTime& tarih)
{
    if (!tarih.isValid())
        return {};
    return ReadRow(db, QStringLiteral("SELECT * FROM PDIFORMU WHERE SASI_NO = :sase AND TARIH = :trh"),
                   {{QStringLiteral("sase"), sase.trimmed()}, {QStringLiteral("trh"), tarih}});
}

PdiFormuArac PdiFormuAracOku(const Db& db, QVariantMap& row, bool doldur)
{
    const QVariantMap a = ReadRow(db,
                                  QStringLiteral("SELECT A.MOTOR_NO, A.ARC_MODEL_KODU, M.MODEL, M.MARKA, M.ARC_MODEL_ADI, "
                                                 "R.ARC_RENK_ADI FROM ARAC A LEFT JOIN CARI C ON C.CARI_KOD = A.CARI_KOD "
                                                 "LEFT JOIN MODEL M ON M.ARC_MODEL_KODU = A.ARC_MODEL_KODU "
                                                 "LEFT JOIN RENK R ON R.ARC_RENK_KODU = A.ARC_RENK_KODU "
                                                 "WHERE A.SASE_NO = :SASE"),
                                  {{QStringLiteral("SASE"), metin(row, "SASI_NO")}});
    PdiFormuArac v;
    v.bulundu = !a.isEmpty();
    v.modelAdi = metin(a, "ARC_MODEL_ADI");
    v.renkAdi = metin(a, "ARC_RENK_ADI");
    if (doldur && v.bulundu) {
        row[K("ARAC_TIP")] = metin(a, "ARC_MODEL_KODU");
        row[K("MOTOR_NO")] = metin(a, "MOTOR_NO");
        row[K("MODEL")] = metin(a, "MODEL");
        row[K("MARKA")] = metin(a, "MARKA");
    }
    return v;
}

void PdiFormuKaydet(const Db& db, const QVariantMap& row, bool yeni)
{
    const QString sase = metin(row, "SASI_NO");
    const QDateTime tarih = Query::toDateTime(row.value(K("TARIH")));
    if (sase.size() != 17)
        throw IslemReddi(QStringLiteral("Şase 17 hane olmalı!"), MsgIcon::Warning);
    if (!IsUpperAlnumCode(sase))
        throw IslemReddi(QStringLiteral("ŞASE de Hatalı yada Boşluklu Karakter kullandınız."), MsgIcon::Warning);
    if (sase.isEmpty() || !tarih.isValid())
        throw IslemReddi(QStringLiteral("Şase ve Tarih Yazılmadan Kayıt Saklanamaz"), MsgIcon::Warning);
    QStringList kolonlar = PdiFormuKolonlari();
    QVariantMap binds;
    for (const QString& c : kolonlar) {
        const QVariant v = row.value(c);
        binds.insert(c, v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty() ? QVariant() : v);
    }
    binds[K("SASI_NO")] = sase;
    binds[K("TARIH")] = tarih;
    Transaction tx(db);
    if (yeni) {
        db.exec(InsertSql(QStringLiteral("PDIFORMU"), kolonlar), binds);
    } else {
        binds[K("ESKI_SASE")] = row.value(K("ESKI_SASE"), sase);
        binds[K("ESKI_TARIH")] = row.value(K("ESKI_TARIH"), tarih);
        db.exec(QStringLiteral("UPDATE PDIFORMU SET ") + AssignSql(kolonlar) +
                    QStringLiteral(" WHERE SASI_NO = :ESKI_SASE AND TARIH = :ESKI_TARIH"),
                binds);
    }
    tx.commit();
}

} // namespace tornaly::workshop
