#include "currency/KurDeger.h"
#include "currency/dovizk.h"
#include "guard/FormGuard.h"
#include "guard/IslemReddi.h"
#include "services/KurBul.h"
#include "settings/Settings.h"
#include "testsupport/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

using namespace tornaly;

namespace {

// A recorded daily rates document with its date and USD rates filled in.
QByteArray sampleXml(const QDate& tarih, const QString& usdAlis = QStringLiteral("40.0500"),
                     const QString& usdSatis = QStringLiteral("40.3500"))
{
    QFile f(QStringLiteral(TORNALY_CURRENCY_TEST_DIR "/kur_sample.xml"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString s = QString::fromUtf8(f.readAll());
    s.replace(QLatin1String("@TARIH@"), tarih.toString(QStringLiteral("dd.MM.yyyy")));
    s.replace(QLatin1String("@DATE@"), tarih.toString(QStringLiteral("MM/dd/yyyy")));
    s.replace(QLatin1String("@USDB@"), usdAlis).replace(QLatin1String("@USDS@"), usdSatis);
    return s.toUtf8();
}

// Serves one fixed body to every HTTP request on the loopback interface.
class LoopbackServer : public QObject {
public:
    QByteArray body;
    int status = 200;
    QTcpServer server;
    int requests = 0;
    LoopbackServer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n"))
                        return;
                    ++requests;
                    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: application/xml\r\n"
                                      "Connection: close\r\nContent-Length: "
                                      + QByteArray::number(body.size()) + "\r\n\r\n";
                    s->write(head + body);
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/kurlar/today.xml").arg(server.serverPort()); }
};

class CurrencyTest : public test::DbTest {
protected:
    void kur(const QString& dvz, const QDateTime& t, QVariant alis, QVariant satis)
    {
        db.exec(QStringLiteral("INSERT INTO KURDEGER (DOVIZ_KODU, TARIH, TLDEGERI_ALIS, TLDEGERI_SATIS) "
                               "VALUES (:D, :T, :A, :S)"),
                {{QStringLiteral("D"), dvz}, {QStringLiteral("T"), t}, {QStringLiteral("A"), alis},
                 {QStringLiteral("S"), satis}});
    }
    int rateRows(const QString& code)
    {
        Query q(db, QStringLiteral("SELECT COUNT(*) FROM KURDEGER WHERE DOVIZ_KODU=:D"));
        q.bind(QStringLiteral("D"), code).exec();
        q.next();
        return q.value(0).toInt();
    }
};

TEST_F(CurrencyTest, RateLookUpTakesTheLatestRateOfTheDayAndShowsAMissingOne)
{
    kur(QStringLiteral("USD"), QDateTime(QDate(2026, 5, 4), QTime(9, 0)), 39.9, 40.0);
    kur(QStringLiteral("USD"), QDateTime(QDate(2026, 5, 4), QTime(18, 0)), 40.4, 40.5);
    kur(QStringLiteral("USD"), QDateTime(QDate(2026, 5, 5), QTime(0, 0)), 41.0, 41.1);
    kur(QStringLiteral("EUR"), QDateTime(QDate(2026, 5, 4), QTime(0, 0)), 0.0, 0.0);
    QVariant nul(QMetaType(QMetaType::Double));
    kur(QStringLiteral("GBP"), QDateTime(QDate(2026, 5, 4), QTime(0, 0)), nul, nul);

    struct C {
        const char* dvz;
        int alis;
        QDate gun;
        double deger;
        bool bulundu;
    } const cases[] = {
        {"USD", 2, {2026, 5, 4}, 40.5, true},  // 18:00 counts for the whole day
        {"USD", 1, {2026, 5, 4}, 40.4, true},  // 1 reads the buying rate
        {"USD", 0, {2026, 5, 4}, 40.5, true},  // any other value the selling rate
        {"USD", 2, {2026, 5, 5}, 41.1, true},
        {"USD", 2, {2026, 6, 30}, 41.1, true}, // latest on or before
        {"USD", 2, {2026, 5, 3}, 1, false},    // before the first rate
        {"EUR", 2, {2026, 5, 4}, 1, false},    // stored as 0
        {"GBP", 2, {2026, 5, 4}, 1, false},    // stored empty
        {"JPY", 2, {2026, 5, 4}, 1, false},    // no row
        {"TL", 2, {2026, 5, 4}, 1, true},      // local currency
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dvz << " " << c.alis << " " << c.gun.toString().toStdString());
        bool found = false;
        EXPECT_DOUBLE_EQ(KurBulDeger(ctx, db, QString::fromUtf8(c.dvz), c.alis, c.gun, &found), c.deger);
        EXPECT_EQ(found, c.bulundu);
        EXPECT_EQ(KurBul(ctx, db, QString::fromUtf8(c.dvz), c.alis, c.gun).has_value(), c.bulundu);
    }
    // The local currency never reads KURDEGER.
    db.exec(QStringLiteral("DROP TABLE KURDEGER"));
    EXPECT_DOUBLE_EQ(KurBulDeger(ctx, db, QStringLiteral("TL"), 2, QDate(2026, 5, 4)), 1.0);
}

TEST_F(CurrencyTest, DownloadStoresNextDayRatesOncePerCurrencyAndAsksAboutStaleDocuments)
{
    const QDate bugun = QDate::currentDate();
    db.exec(QStringLiteral("DELETE FROM DOVIZ WHERE DOVIZ_KODU='GBP'"));
    LoopbackServer http;
    WriteSetting(QString(), QStringLiteral("KURLAR"), QStringLiteral("TCMB_ADRES"), http.url());

    // Dated yesterday: stored without a question, valid from today 00:00.
    http.body = sampleXml(bugun.addDays(-1));
    EXPECT_TRUE(TcmbKurlariAl(db, bugun));
    EXPECT_EQ(messages.count(), 0) << messages.texts().join(QLatin1Char(0x7c)).toStdString();
    EXPECT_EQ(http.requests, 1);
    const auto usd = KurDegerleri(db, QStringLiteral("USD"));
    ASSERT_EQ(usd.size(), 1);
    EXPECT_EQ(usd[0].TARIH, bugun.startOfDay());
    EXPECT_DOUBLE_EQ(usd[0].TLDEGERI_ALIS.toDouble(), 40.05);
    EXPECT_DOUBLE_EQ(usd[0].TLDEGERI_SATIS.toDouble(), 40.35);
    EXPECT_EQ(rateRows(QStringLiteral("EUR")), 1);
    EXPECT_EQ(rateRows(QStringLiteral("GBP")), 0) << "not in DOVIZ";
    EXPECT_EQ(rateRows(QStringLiteral("CHF")), 0) << "not one of the fetched currencies";
    EXPECT_EQ(rateRows(QStringLiteral("JPY")), 0) << "not in the document";

    // Fetched again with changed values: still one row, the latest values.
    http.body = sampleXml(bugun.addDays(-1), QStringLiteral("40.5"), QStringLiteral("40.9"));
    EXPECT_TRUE(TcmbKurlariAl(db, bugun));
    const auto again = KurDegerleri(db, QStringLiteral("USD"));
    ASSERT_EQ(again.size(), 1);
    EXPECT_DOUBLE_EQ(again[0].TLDEGERI_SATIS.toDouble(), 40.9);
    EXPECT_DOUBLE_EQ(KurBulDeger(ctx, db, QStringLiteral("USD"), 2, bugun), 40.9);

    // Two days old: asked first; No stores nothing, Yes stores.
    http.body = sampleXml(bugun.addDays(-2), QStringLiteral("1"), QStringLiteral("2"));
    messages.answer(MsgNo);
    EXPECT_FALSE(TcmbKurlariAl(db, bugun));
    EXPECT_EQ(messages.lastText(), QStringLiteral("TCMB Kurları eski tarihli. Yine de güncellemek istiyor musunuz?"));
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 1);
    messages.answer(MsgYes);
    EXPECT_TRUE(TcmbKurlariAl(db, bugun));
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 2);

    // Nothing readable: the connection message, nothing stored, no question.
    messages.clear();
    http.body = "<html>bakım</html>";
    EXPECT_FALSE(TcmbKurlariAl(db, bugun));
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Kurlara ulaşılamadı. Lütfen internet bağlantınızı kontrol ediniz.")});
    http.server.close();
    messages.clear();
    EXPECT_FALSE(TcmbKurlariAl(db, bugun));
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 2);
}

TEST_F(CurrencyTest, DuplicateMomentIsRefusedAndKeepsTheOldRow)
{
    const QDateTime t(QDate(2026, 5, 4), QTime(10, 30));
    KurDegerKaydet(db, {QStringLiteral("USD"), t, 40.0, 40.2});
    {
        Transaction outer(db); // a refused row must not spoil the caller's transaction
        EXPECT_FALSE(Guard([&] { KurDegerKaydet(db, {QStringLiteral("USD"), t, 50.0, 50.2}); }));
        KurDegerKaydet(db, {QStringLiteral("EUR"), t, 44.0, 44.2});
        outer.commit();
    }
    EXPECT_EQ(messages.lastText(), QStringLiteral("Aynı Tarihli Döviz Değeri Vardı. Bu Yüzden Kaydedilmedi."));
    const auto rows = KurDegerleri(db, QStringLiteral("USD"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_DOUBLE_EQ(rows[0].TLDEGERI_SATIS.toDouble(), 40.2);
    EXPECT_EQ(rateRows(QStringLiteral("EUR")), 1);
}

TEST_F(CurrencyTest, PickModeReturnsTheChosenSellingRateOrMinusOne)
{
    ctx.Database1 = db;
    kur(QStringLiteral("USD"), QDateTime(QDate(2020, 1, 1), QTime(0, 0)), 5.9, 6.0);
    kur(QStringLiteral("USD"), QDateTime(QDate(2021, 1, 1), QTime(0, 0)), 7.3, 7.4);
    struct C {
        const char* code;
        bool sec;
        double beklenen;
    } const cases[] = {
        {"USD", true, 7.4},  // nearest to now: the last row
        {"EUR", true, 1.0},  // no rates: an empty selling rate gives 1
        {"USD", false, -1},  // closed
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(FormDoviz);
            EXPECT_EQ(FormDoviz->currentCurrency(), QString::fromUtf8(c.code));
            (c.sec ? FormDoviz->BtnSec : FormDoviz->BitBtn1)->click();
        });
        EXPECT_DOUBLE_EQ(DovizKuruSec(ctx, QString::fromUtf8(c.code)), c.beklenen) << c.code;
    }
    delete FormDoviz.data();
}

TEST_F(CurrencyTest, StockPriceUpdateRunsTheInstalledRoutineWithTheRateKind)
{
    QList<std::pair<QDate, QString>> calls;
    SetStokFiyatGuncelleyici([&](const Db&, const QDate& gun, const QString& askur) {
        calls.append({gun, askur});
        return 3;
    });
    KurFiyatlarinaGoreStokGuncelle(db, QDate(), false);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Lütfen Fiyat Güncellemek için Kur Tarihi Giriniz."));
    messages.answer(MsgNo);
    KurFiyatlarinaGoreStokGuncelle(db, QDate(2026, 5, 4), true);
    EXPECT_TRUE(calls.isEmpty());
    KurFiyatlarinaGoreStokGuncelle(db, QDate(2026, 5, 4), true);
    KurFiyatlarinaGoreStokGuncelle(db, QDate(2026, 5, 5), false);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0], std::make_pair(QDate(2026, 5, 4), QStringLiteral("A")));
    EXPECT_EQ(calls[1].second, QStringLiteral("S"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Stok Fiyatları Güncellemesi Tamamlandı"));
    // A run that changed nothing, or no routine at all, never reports success.
    SetStokFiyatGuncelleyici([](const Db&, const QDate&, const QString&) { return 0; });
    KurFiyatlarinaGoreStokGuncelle(db, QDate(2026, 5, 5), false);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Kur değerlerine göre güncellenecek stok fiyatı bulunamadı."));
    SetStokFiyatGuncelleyici({});
    KurFiyatlarinaGoreStokGuncelle(db, QDate(2026, 5, 5), false);
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("yüklü değil")));
}

TEST_F(CurrencyTest, StockPriceUpdateWithoutTheStockRoutineIsRefusedNotReportedDone)
{
    SetStokFiyatGuncelleyici({});
    EXPECT_EQ(SP_SET_STOKFYT(db, QDate(2026, 5, 4), QStringLiteral("S")), -1);
    EXPECT_FALSE(KurFiyatlarinaGoreStokGuncelle(db, QDate(2026, 5, 4), false));
    EXPECT_FALSE(messages.contains(QStringLiteral("Stok Fiyatları Güncellemesi Tamamlandı")));
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("yüklü değil")));
    ctx.Database1 = db;
    TFormDoviz form(ctx);
    EXPECT_FALSE(form.BtnStkFyt->isEnabled());
}

TEST_F(CurrencyTest, RateChangesAreStoredOnlyWhenTheyHappened)
{
    const QDateTime t(QDate(2026, 5, 4), QTime(10, 30));
    // A row without both rates is refused: it would read as no rate at all.
    EXPECT_THROW(KurDegerKaydet(db, {QStringLiteral("USD"), t, 40.0, QVariant()}), IslemReddi);
    EXPECT_FALSE(Guard([&] { KurDegerKaydet(db, {QStringLiteral("USD"), t, 40.0, QVariant()}); }));
    EXPECT_EQ(messages.lastText(), KurEksikMesaji());
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 0);
    // Changing a row that another workstation removed is no success.
    messages.clear();
    EXPECT_FALSE(Guard([&] { KurDegerKaydet(db, {QStringLiteral("USD"), t, 40.0, 40.2}, t.addDays(-1)); }));
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 0);

    // A document that gives none of the currencies in full stores nothing and says so.
    LoopbackServer http;
    WriteSetting(QString(), QStringLiteral("KURLAR"), QStringLiteral("TCMB_ADRES"), http.url());
    const QDate bugun = QDate::currentDate();
    db.exec(QStringLiteral("DELETE FROM DOVIZ WHERE DOVIZ_KODU IN ('EUR', 'GBP', 'JPY')"));
    http.body = sampleXml(bugun.addDays(-1), QStringLiteral(""), QStringLiteral("40.35"));
    messages.clear();
    EXPECT_FALSE(TcmbKurlariAl(db, bugun));
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 0);
}

class RatesFormTest : public CurrencyTest {
protected:
    void SetUp() override
    {
        CurrencyTest::SetUp();
        ctx.Database1 = db;
        kur(QStringLiteral("USD"), QDateTime(QDate(2026, 5, 4), QTime(9, 15)), 40.5, 40.75);
        form = std::make_unique<TFormDoviz>(ctx);
        form->show();
        QApplication::setActiveWindow(form.get());
        form->selectCurrency(QStringLiteral("USD"));
        ASSERT_EQ(form->rateRowCount(), 1);
        model = qobject_cast<QStandardItemModel*>(form->GridKurDeger->model());
    }
    void TearDown() override
    {
        form.reset();
        CurrencyTest::TearDown();
    }
    QString cell(int row, int col) const
    {
        return form->GridKurDeger->model()->index(row, col).data(Qt::DisplayRole).toString();
    }
    double stored(const char* column)
    {
        Query q(db, QStringLiteral("SELECT %1 FROM KURDEGER WHERE DOVIZ_KODU='USD'").arg(QLatin1String(column)));
        q.exec();
        return q.next() ? q.value(0).toDouble() : -1;
    }
    // Types into the cell the way a clerk does: open the editor, type, then `key`.
    void typeInto(int row, int col, const QString& text, Qt::Key key)
    {
        QTableView* g = form->GridKurDeger;
        // Tab may have opened the next cell's editor already: use the one open there.
        if (g->currentIndex() != g->model()->index(row, col)) {
            g->setFocus();
            g->setCurrentIndex(g->model()->index(row, col));
        }
        g->edit(g->currentIndex());
        QLineEdit* editor = nullptr;
        for (QLineEdit* e : g->findChildren<QLineEdit*>())
            if (e->isVisible())
                editor = e;
        ASSERT_TRUE(editor);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::unique_ptr<TFormDoviz> form;
    QStandardItemModel* model = nullptr;
};

TEST_F(RatesFormTest, RatesShowTheDigitsTheFormatAsks)
{
    EXPECT_EQ(cell(0, 1), QStringLiteral("40,50"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("40,75"));
    auto* delegate = static_cast<QStyledItemDelegate*>(form->GridKurDeger->itemDelegateForColumn(0));
    ASSERT_TRUE(delegate);
    EXPECT_EQ(delegate->displayText(model->index(0, 0).data(), QLocale()), QStringLiteral("04.05.26 09:15"));
    // Every currency name fits its column: none is cut or wrapped.
    form->selectCurrency(QStringLiteral("USD"));
    QCoreApplication::processEvents();
    const QTableView* list = form->GridDoviz;
    for (int r = 0; r < list->model()->rowCount(); ++r) {
        const QString name = list->model()->index(r, 1).data().toString();
        EXPECT_LE(list->fontMetrics().horizontalAdvance(name) + 8, list->columnWidth(1)) << name.toStdString();
    }
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(form->grab().save(QDir(dir).filePath(QStringLiteral("rates.png"))));
    }
}

TEST_F(RatesFormTest, TextThatIsNoRateIsRefusedAndTheOldRateKept)
{
    for (const char* bad : {"40,5a", "1.5", "abc"}) {
        messages.clear();
        typeInto(0, 1, QString::fromLatin1(bad), Qt::Key_Tab);
        EXPECT_TRUE(messages.lastText().contains(QStringLiteral("geçerli bir kur değeri değil"))) << bad;
        EXPECT_DOUBLE_EQ(stored("TLDEGERI_ALIS"), 40.5) << bad;
        EXPECT_EQ(cell(0, 1), QStringLiteral("40,50")) << bad;
    }
    // Emptied: refused too, never stored as no rate.
    messages.clear();
    typeInto(0, 2, QString(), Qt::Key_Tab);
    EXPECT_EQ(messages.lastText(), KurEksikMesaji());
    EXPECT_DOUBLE_EQ(stored("TLDEGERI_SATIS"), 40.75);
}

TEST_F(RatesFormTest, TabKeepsWhatWasTypedAndMovesOnEnterPostsWithoutDownloading)
{
    LoopbackServer http;
    WriteSetting(QString(), QStringLiteral("KURLAR"), QStringLiteral("TCMB_ADRES"), http.url());
    typeInto(0, 1, QStringLiteral("41,25"), Qt::Key_Tab);
    EXPECT_EQ(messages.count(), 0) << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_DOUBLE_EQ(stored("TLDEGERI_ALIS"), 41.25);
    EXPECT_EQ(cell(0, 1), QStringLiteral("41,25"));
    EXPECT_EQ(form->GridKurDeger->currentIndex(), model->index(0, 2)) << "Tab goes to the next cell";

    typeInto(0, 2, QStringLiteral("1.041,123456"), Qt::Key_Return);
    QTest::keyClick(form->GridKurDeger, Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_DOUBLE_EQ(stored("TLDEGERI_SATIS"), 1041.123456);
    EXPECT_EQ(cell(0, 2), QStringLiteral("1.041,12346"));
    EXPECT_EQ(http.requests, 0) << "Enter started the download";
    EXPECT_TRUE(form->isVisible());
}

TEST_F(RatesFormTest, ADatabaseErrorWhileSavingIsReportedAndTheFormStaysOpen)
{
    db.exec(QStringLiteral("ALTER TABLE KURDEGER RENAME TO KURDEGER_ESKI"));
    typeInto(0, 1, QStringLiteral("41"), Qt::Key_Tab);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("Veritabanı işlemi tamamlanamadı")))
        << messages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(db.inTransaction());
    db.exec(QStringLiteral("ALTER TABLE KURDEGER_ESKI RENAME TO KURDEGER"));
    EXPECT_DOUBLE_EQ(stored("TLDEGERI_ALIS"), 40.5);
}

TEST_F(RatesFormTest, ANewRowIsStoredOnlyWithBothRates)
{
    form->GridKurDeger->setFocus();
    QTest::keyClick(form->GridKurDeger, Qt::Key_Insert);
    ASSERT_EQ(form->rateRowCount(), 2);
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 1) << "nothing stored before the rates are typed";
    typeInto(1, 1, QStringLiteral("42"), Qt::Key_Tab);
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 1);
    // Leaving the row with the selling rate empty drops it, and says so.
    form->GridKurDeger->setCurrentIndex(model->index(0, 1));
    EXPECT_TRUE(messages.lastText().startsWith(KurEksikMesaji()));
    EXPECT_EQ(form->rateRowCount(), 1);
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 1);

    QTest::keyClick(form->GridKurDeger, Qt::Key_Insert);
    typeInto(1, 1, QStringLiteral("42"), Qt::Key_Tab);
    typeInto(1, 2, QStringLiteral("42,5"), Qt::Key_Tab);
    EXPECT_EQ(rateRows(QStringLiteral("USD")), 2);
    EXPECT_EQ(cell(1, 2), QStringLiteral("42,50"));
}

} // namespace
