// The demo company's new vehicle through its inspection, opened from the main
// window's "&PDI" the way the workshop does: faults recorded, the work order
// opened on its card, then the final check list and its print preview. With
// TORNALY_LOOK_DIR set the windows are kept there as pictures.
#include "testsupport/TestSupport.h"
#include "connection/DialogRunner.h"
#include "mainwindow/A_Pro.h"
#include "mainwindow/Targets.h"
#include "report/ReportPreview.h"
#include "startup/EmbeddedDemo.h"
#include "workshop/WorkshopEntry.h"
#include "workshop/WorkshopSchema.h"
#include "workshop/pdi/PdiFormu.h"
#include "workshop/pdi/PdiYaz.h"
#include "workshop/pdi/forms/BelgeFormForm.h"
#include "workshop/pdi/forms/PDI.h"
#include "workshop/pdi/forms/PdiFormuForm.h"
#include "workshop/pdi/forms/PdiKodForm.h"
#include "workshop/vehicles/forms/FieldPanel.h"
#include "workshop/workorders/forms/IsEmri.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace tornaly;
using namespace tornaly::workshop;

namespace {

class PdiLookTest : public test::DbTest {
protected:
    void registerSchema() override { workshop::RegisterSchema(); }
};

QString S(const char* s) { return QString::fromUtf8(s); }

void keep(QWidget* w, const char* name)
{
    QApplication::processEvents();
    const QString dir = qEnvironmentVariable("TORNALY_LOOK_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        w->grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
    }
}

TEST_F(PdiLookTest, DemoVehicleFromTheMainWindow)
{
    Targets().clear();
    workshop::RegisterEntryPoints();
    RunDemoSeeds(db);
    ctx.Database1 = db;
    ctx.MarkaBayiModu = true;
    ctx.CalismaYili = QString::number(QDate::currentDate().year());
    ctx.AktifKullanici.per_kod = S("P1");
    ctx.AktifKullanici.isemri = S("Y");
    ctx.AktifKullanici.pdi = S("Y");
    TAnaForm main(ctx);
    main.resize(1366, 768);
    main.show();
    main.triggerCommand(S("BtnPDI"));
    TFormPDI* f = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<TFormPDI*>(w); p && p->isVisible())
            f = p;
    ASSERT_NE(f, nullptr);
    f->findChild<QAbstractButton*>(S("NavYeni"))->click();
    QLineEdit* sase = f->Alanlar->editor(S("SASE_NO"));
    sase->setText(S("VNK1SED2026000901"));
    QTest::keyClick(sase, Qt::Key_Return);
    f->Alanlar->editor(S("LASTIK_MARKASI"))->setText(S("MICHELIN"));
    f->Alanlar->editor(S("AKU_MARKASI"))->setText(S("VARTA"));
    f->Alanlar->editor(S("ANAHTAR_KNL_NO"))->setText(S("K-4471"));
    f->Alanlar->editor(S("ONAY_VEREN"))->setText(S("P1"));
    QStringList secimler{S("OTP"), S("CZK"), S("SAK"), S("GCK"), S("ICD"), S("LKE")};
    f->hataSecici = [&](bool) { return secimler.takeFirst(); };
    for (int satir = 0; satir < 3; ++satir) {
        f->BtnSatirEkle->click();
        for (int kolon : {1, 3}) {
            f->GridHata->setCurrentCell(satir, kolon);
            f->BtnHataSec->click();
        }
    }
    keep(f, "pdi-editing.png");
    f->findChild<QAbstractButton*>(S("NavSakla"))->click();
    f->BitBtn4->click();
    TFormIsEmri* kart = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* k = qobject_cast<TFormIsEmri*>(w); k && k->isVisible())
            kart = k;
    ASSERT_NE(kart, nullptr);
    kart->resize(1280, 760);
    keep(f, "pdi-saved.png");
    keep(kart, "pdi-work-order-card.png");
    kart->Kart.iptal();
    kart->close();

    // The error-code list as its picker.
    {
        TFormHataPDIBr liste(ctx, 1);
        liste.tablo();
        liste.show();
        QTest::keyClicks(liste.Grid, S("G"));
        keep(&liste, "pdi-error-codes.png");
    }

    // The final check list, answered, and its print preview.
    ModalRunner once = SetModalRunner([&](QDialog& d) {
        if (auto* b = qobject_cast<TFormBelgeForm*>(&d)) {
            b->show();
            for (int r = 0; r < b->GridSoru->rowCount(); ++r)
                b->cevapla(r, r == 5 ? 0 : 1, r == 5 ? S("Antifriz eksik, tamamlandı") : QString());
            b->BtnKaydet->click();
            keep(b, "check-list.png");
            report::TFormOnizleme p(report::Render(SonKontrolYaz(b->belge(), BelgeBaskiAdlariOku(db, b->belge().row))));
            p.resize(900, 1000);
            p.show();
            keep(&p, "check-list-preview.png");
            b->BtnKapat->click();
            return d.result();
        }
        if (auto* p = qobject_cast<TFormPDIFormu*>(&d)) {
            p->show();
            for (const char* k : {"K1_MNOSIPK", "K2_MTS", "K3_ARCRENK", "K11_HASARINC"})
                p->madde(S(k))->setChecked(true);
            p->BtnSakla->click();
            keep(p, "pdi-form.png");
            QVariantMap r = p->row();
            report::TFormOnizleme v(report::Render(PdiFormuYaz(r, p->LblModelAdi->text(), p->LblRenkAdi->text(), S("Usta"))));
            v.resize(900, 1000);
            v.show();
            keep(&v, "pdi-form-preview.png");
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    f->BtnSonKontrol->click();
    f->BtnPDIForm->click();
    SetModalRunner(once);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    Query q(db, S("SELECT COUNT(*) FROM BELGEFORM"));
    q.exec();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
    q.finish();
    f->close();
    Targets().clear();
}

} // namespace
