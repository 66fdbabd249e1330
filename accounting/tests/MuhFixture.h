#pragma once
#include "accounting/AccountingSchema.h"
#include "accounting/ledger/MuhFis.h"
#include "accounting/transfer/MuhEntegre.h"
#include "testsupport/TestSupport.h"

namespace tornaly::accounting::test {

// A company with a small chart, customers, cash boxes and link parameters.
class MuhTest : public tornaly::test::DbTest {
protected:
    void registerSchema() override { accounting::RegisterSchema(); }
    void SetUp() override
    {
        tornaly::test::DbTest::SetUp();
        ctx.CalismaYili = QStringLiteral("2026");
        for (const char* k : {"100", "100.01", "100.02", "102.01", "120", "120.01", "120.02", "191.01", "391.01",
                              "391.02", "600.01", "600.02", "601.01", "610.01", "611.01", "653.01", "770.01"})
            hesap(QLatin1String(k));
        for (const auto& [kod, muh] : {std::pair{"C001", "120.01"}, std::pair{"C002", "120.02"},
                                       std::pair{"C003", ""}})
            db.exec(QStringLiteral("INSERT INTO CARI (CARI_KOD, FIRMA_ADI, MUH_KOD) VALUES (:K, :A, :M)"),
                    {{QStringLiteral("K"), QLatin1String(kod)},
                     {QStringLiteral("A"), QStringLiteral("Müşteri ") + QLatin1String(kod)},
                     {QStringLiteral("M"), QLatin1String(muh)}});
        for (const auto& [kod, muh] : {std::pair{"MERKEZ", "100.01"}, std::pair{"SUBE", "100.02"},
                                       std::pair{"BOS", ""}})
            db.exec(QStringLiteral("INSERT INTO KASA (KASAKOD, ADI, MUH_KOD) VALUES (:K, :K, :M)"),
                    {{QStringLiteral("K"), QLatin1String(kod)}, {QStringLiteral("M"), QLatin1String(muh)}});
        db.exec(QStringLiteral("INSERT INTO PARAMUH (C_MUH_KAY, IE_MUH_KAY, ISK_DUS) VALUES ('O', 'O', 'D')"));
        db.exec(QStringLiteral("INSERT INTO PARAFAT (MUH_KAY) VALUES ('E')"));
    }

    void hesap(const QString& kod)
    {
        const QStringList p = kod.split(QLatin1Char('.'));
        const int kebir = p.at(0).toInt();
        db.exec(QStringLiteral("INSERT INTO HSPLAN (HKOD, HESAP_ADI, HSINIF, HGRUBU, KEBIR, MUAVIN) "
                               "VALUES (:K, :A, :S, :G, :KB, :M)"),
                {{QStringLiteral("K"), kod}, {QStringLiteral("A"), QStringLiteral("Hesap ") + kod},
                 {QStringLiteral("S"), kebir / 100}, {QStringLiteral("G"), kebir / 10}, {QStringLiteral("KB"), kebir},
                 {QStringLiteral("M"), p.size() > 1 ? QVariant(p.at(1)) : QVariant(QMetaType(QMetaType::QString))}});
    }

    // A current-account slip written directly: (customer, debit, credit, cash box).
    struct CariSatir {
        const char* cari;
        double borc, alacak;
        const char* kasa;
    };
    double cariFis(double no, const QString& tip, const QList<CariSatir>& satirlar, QDate tarih = QDate(2026, 5, 4))
    {
        db.exec(QStringLiteral("INSERT INTO CARIHRKM (CARI_NO, TARIH, TIP) VALUES (:N, :T, :P)"),
                {{QStringLiteral("N"), no}, {QStringLiteral("T"), QDateTime(tarih, QTime(10, 0))},
                 {QStringLiteral("P"), tip}});
        int sira = 0;
        for (const auto& s : satirlar)
            db.exec(QStringLiteral("INSERT INTO CARIHRK (CARI_NO, SIRANO, CARI_KOD, TARIH, BORC, ALACAK, KASAKOD) "
                                   "VALUES (:N, :S, :C, :T, :B, :A, :K)"),
                    {{QStringLiteral("N"), no}, {QStringLiteral("S"), ++sira},
                     {QStringLiteral("C"), QLatin1String(s.cari)}, {QStringLiteral("T"), QDateTime(tarih, QTime())},
                     {QStringLiteral("B"), s.borc}, {QStringLiteral("A"), s.alacak},
                     {QStringLiteral("K"), QLatin1String(s.kasa)}});
        return no;
    }

    MuhasebeKaydiSonucu post(QChar tur, double no, bool iade = false, const Db* on = nullptr)
    {
        return MuhasebeKayit(ctx, on ? *on : db, MuhasebeEntegreIstegi{tur, iade, {}, no});
    }

    int say(const QString& sql, const QVariantMap& b = {}) const
    {
        Query q(db, sql);
        q.bindAll(b).exec();
        return q.next() ? int(q.value(0).toLongLong()) : -1;
    }
    double deger(const QString& sql, const QVariantMap& b = {}) const
    {
        Query q(db, sql);
        q.bindAll(b).exec();
        return q.next() ? q.value(0).toDouble() : -1;
    }

    // The lines of a voucher as "code B amount" / "code A amount", in order.
    QStringList satirlar(double fisNo) const
    {
        Query q(db, QStringLiteral("SELECT HSPKODU, BORC, ALACAK FROM FISAYR WHERE FISNO=:F ORDER BY SIRANO"));
        q.bind(QStringLiteral("F"), fisNo).exec();
        QStringList out;
        while (q.next()) {
            const double b = q.num(QStringLiteral("BORC")), a = q.num(QStringLiteral("ALACAK"));
            out << q.str(QStringLiteral("HSPKODU")) + (b > 0 ? QStringLiteral(" B ") + QString::number(b)
                                                             : QStringLiteral(" A ") + QString::number(a));
        }
        return out;
    }
};

} // namespace tornaly::accounting::test
