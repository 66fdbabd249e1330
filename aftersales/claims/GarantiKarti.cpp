#include "aftersales/claims/GarantiKarti.h"

#include "sql/SqlHelpers.h"

namespace tornaly::aftersales {

namespace {

constexpr double kKartGenislik = 95;
constexpr double kKartYukseklik = 100;
constexpr double kKartAra = 4;

// The card's captions and the fields they show: two to a line (column 0
// and 1), or a whole line for the long values (column 2).
struct KartAlani {
    const char* baslik;
    const char* alan;
    int sutun;
};
const KartAlani kKartAlanlari[] = {
    {"İşemri No:", "ISEMRI", 0},      {"Talep No:", "CLAIMNO", 1},
    {"Gar. Tip:", "GARTIP", 0},       {"Km:", "KM", 1},
    {"Teslim Tarihi:", "TESLIM", 0},  {"Tamir Tarihi:", "TAMIR", 1},
    {"Araç Tip Kod:", "ARACTIP", 0},  {"Hasar No:", "HATAKOD", 1},
    {"Şasi No:", "SASE", 2},          {"Parça No:", "PARCA", 2},
    {"Parça Adı:", "PARCAAD", 2},
};

QString kartTarih(const QVariant& v)
{
    const QDateTime d = Query::toDateTime(v);
    return d.isValid() ? DisplayText(d.date()) : QString();
}

QString kartDeger(const Db& db, const QString& sql, const QVariantMap& binds)
{
    Query q(db, sql);
    q.bindAll(binds).exec();
    return q.next() ? q.value(0).toString().trimmed() : QString();
}

} // namespace

report::Report GarantiKartiRaporu(const Db& db, const Claim& c)
{
    const QStringList alanlar = {QStringLiteral("ISEMRI"), QStringLiteral("CLAIMNO"), QStringLiteral("GARTIP"),
                                 QStringLiteral("KM"),     QStringLiteral("TESLIM"),  QStringLiteral("TAMIR"),
                                 QStringLiteral("SASE"),   QStringLiteral("ARACTIP"), QStringLiteral("HATAKOD"),
                                 QStringLiteral("PARCA"),  QStringLiteral("PARCAAD"), QStringLiteral("ACIKLA"),
                                 QStringLiteral("SERVISKOD"), QStringLiteral("SERVISAD")};
    QString servisKod, servisAd;
    {
        Query q(db, QStringLiteral("SELECT URET_BKOD, EADI FROM FIRKIM"));
        q.exec();
        if (q.next()) {
            servisKod = q.str(QStringLiteral("URET_BKOD")).trimmed();
            servisAd = q.str(QStringLiteral("EADI")).trimmed();
        }
    }
    const auto& m = c.m;
    QStringList fields;
    for (int k = 0; k < 2; ++k)
        for (const QString& a : alanlar)
            fields << QStringLiteral("%1_%2").arg(a).arg(k);
    QVector<QVector<QVariant>> rows;
    int k = 0;
    for (const ClaimParca& p : c.parcalar) {
        if (k == 0)
            rows.append(QVector<QVariant>(fields.size()));
        QString hata;
        for (const ClaimHata& h : c.hatalar)
            if (h.CD_SIRANO == p.CS_SIRANO)
                hata = h.CD_HATAKOD;
        const QVariantList degerler = {
            m.value(QStringLiteral("CL_ISEMRI")),
            c.stored() ? QVariant(QString::number(c.no(), 'f', 0)) : QVariant(),
            m.value(QStringLiteral("CL_GARTIP")),
            m.value(QStringLiteral("CL_KM")).isNull() ? QVariant() : QVariant(report::FormatValue(m.value(QStringLiteral("CL_KM")), QStringLiteral(",0"))),
            kartTarih(m.value(QStringLiteral("CL_TESLIMTRH"))),
            kartTarih(m.value(QStringLiteral("CL_TAMIRTRH"))),
            m.value(QStringLiteral("CL_SASE")),
            m.value(QStringLiteral("CL_ARACTIP")),
            hata,
            p.CS_PARCA,
            kartDeger(db, QStringLiteral("SELECT STOK_ADI_TR FROM STOK WHERE STOK_KOD_NO = :K ORDER BY STOK_NO"),
                      {{QStringLiteral("K"), p.CS_PARCA}}),
            m.value(QStringLiteral("CL_ACIKLA")),
            servisKod,
            servisAd,
        };
        for (int i = 0; i < degerler.size(); ++i)
            rows.last()[k * alanlar.size() + i] = degerler.at(i);
        k = (k + 1) % 2;
    }

    report::Report rep;
    rep.name = QStringLiteral("GarantiKarti");
    rep.title = QStringLiteral("Garanti Kartı");
    rep.page.marginsMm = QMarginsF(6.35, 6.35, 6.35, 6.35);
    rep.font.pointSize = 8;
    rep.source = report::RecordsSource(fields, std::move(rows));
    rep.detail.height = kKartYukseklik + kKartAra;
    for (int kart = 0; kart < 2; ++kart) {
        const double x0 = kart * (kKartGenislik + kKartAra);
        const QString sonek = QStringLiteral("_%1").arg(kart);
        // An empty right-hand card (odd number of parts) prints nothing.
        const QString dolu = QStringLiteral("PARCA") + sonek;
        const auto varsa = [dolu](const report::RenderContext& r) { return !r.str(dolu).isEmpty(); };
        const auto ekle = [&](report::Element e) {
            e.printIf = varsa;
            rep.detail.add(e);
        };
        ekle(report::Box(x0, 0, kKartGenislik, kKartYukseklik));
        double y = 3;
        for (const KartAlani& a : kKartAlanlari) {
            const double x = x0 + 2 + (a.sutun == 1 ? kKartGenislik / 2 : 0);
            const double w = a.sutun == 2 ? kKartGenislik - 26 : kKartGenislik / 2 - 25;
            ekle(report::Bold(report::Label(x, y, 22, 5, QString::fromUtf8(a.baslik))));
            ekle(report::Field(x + 22, y, w, 5, QString::fromLatin1(a.alan) + sonek));
            if (a.sutun != 0)
                y += 6;
        }
        ekle(report::Bold(report::Label(x0 + 2, y, kKartGenislik - 4, 5, QStringLiteral("Hasar Açıklaması :"))));
        y += 5;
        report::Element aciklama = report::Memo(x0 + 2, y, kKartGenislik - 4, 14, QStringLiteral("[ACIKLA") + sonek + QStringLiteral("]"), false);
        aciklama.wordWrap = true;
        ekle(aciklama);
        y += 16;
        ekle(report::Bold(report::Label(x0 + 2, y, 22, 5, QStringLiteral("Servis  Kod :"))));
        ekle(report::Field(x0 + 24, y, kKartGenislik - 26, 5, QStringLiteral("SERVISKOD") + sonek));
        y += 6;
        ekle(report::Bold(report::Label(x0 + 2, y, 22, 5, QStringLiteral("Servis Adı:"))));
        ekle(report::Field(x0 + 24, y, kKartGenislik - 26, 5, QStringLiteral("SERVISAD") + sonek));
        y += 7;
        ekle(report::Box(x0 + kKartGenislik - 47, y, 45, kKartYukseklik - y - 2));
        ekle(report::Label(x0 + kKartGenislik - 47, y, 45, 5, QStringLiteral("Servis Onay"), Qt::AlignHCenter | Qt::AlignVCenter));
    }
    return rep;
}

} // namespace tornaly::aftersales
