#include "workshop/vehicles/forms/CodeCards.h"
#include "workshop/vehicles/Catalogue.h"
#include "workshop/vehicles/RecordIo.h"
#include "guard/FormGuard.h"
#include "context/SessionContext.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

namespace tornaly::workshop {

QStringList BrandCodes(const Db& db)
{
    QStringList out;
    for (const QVariantMap& r : ReadRows(db, QStringLiteral("SELECT MARKA_KOD FROM MARKALAR ORDER BY MARKA_KOD")))
        out << Trimmed(r, "MARKA_KOD");
    return out;
}

TFormTypeSakla::TFormTypeSakla(SessionContext& ctx, QWidget* parent)
    : VehicleCardBase(ctx, QStringLiteral("Model Segmenti Tip Kayıt"), QStringLiteral("Model Segmenti Tip Kartı"), parent)
{
    setObjectName(QStringLiteral("FormTypeSakla"));
    Panel->add(QStringLiteral("MODEL_KOD"), QStringLiteral("Modelin Segment Kodu"), FieldPanel::Text, 15);
    Panel->add(QStringLiteral("MODEL_AD"), QStringLiteral("Modelin Segment Adı"), FieldPanel::Text, 30);
    CmbMarka = new QComboBox(this);
    CmbMarka->setObjectName(QStringLiteral("CmbMarka"));
    CmbMarka->addItem(QString());
    CmbMarka->addItems(BrandCodes(m_db));
    Panel->addWidget(QStringLiteral("Marka"), CmbMarka);
    Panel->add(QStringLiteral("ISCILIK_KOD"), QStringLiteral("Modelin Segment İşçilik Kodu"), FieldPanel::Text, 11);
    connect(CmbMarka, &QComboBox::activated, this, Guarded([this] { markModified(); }));
}

void TFormTypeSakla::collect(QVariantMap& row)
{
    row.insert(QStringLiteral("MARKA"), CmbMarka->currentText());
}

bool TFormTypeSakla::save(QVariantMap& row) { return SaveSegment(m_db, row, m_new); }

TFormTAVSakla::TFormTAVSakla(SessionContext& ctx, QWidget* parent)
    : VehicleCardBase(ctx, QStringLiteral("Araç Alım Vergilendirme Tarifeleri"), QStringLiteral("T.Alım Vergileri Kartı"), parent)
{
    setObjectName(QStringLiteral("FormTAVSakla"));
    Panel->add(QStringLiteral("TARIFE_KOD"), QStringLiteral("Tarife Kodu"), FieldPanel::Text, 11);
    Panel->add(QStringLiteral("TARIFE_AD"), QStringLiteral("Tarife Açıklama"), FieldPanel::Text, 40);
    Panel->add(QStringLiteral("MODEL_YIL"), QStringLiteral("Araç Model Yılı"), FieldPanel::Integer, 4);
    Panel->add(QStringLiteral("TAV"), QStringLiteral("TAV"), FieldPanel::Number);
    Panel->add(QStringLiteral("EKTAV"), QStringLiteral("Ek TAV Oranı"), FieldPanel::Number);
    Panel->add(QStringLiteral("EKP"), QStringLiteral("Eğ. Katkı Payı"), FieldPanel::Number);
    Panel->add(QStringLiteral("CKF"), QStringLiteral("ÇKF"), FieldPanel::Number);
    Panel->add(QStringLiteral("SIGORTA"), QStringLiteral("Sigorta"), FieldPanel::Number);
    Panel->add(QStringLiteral("BANDROL"), QStringLiteral("Bandrol"), FieldPanel::Number);
    Panel->add(QStringLiteral("TESCIL"), QStringLiteral("Tescil"), FieldPanel::Number);
    Panel->add(QStringLiteral("KDV"), QStringLiteral("KDV Oranı"), FieldPanel::Number);
    Panel->add(QStringLiteral("DIGER1"), QStringLiteral("Diğer"), FieldPanel::Number);
    Panel->add(QStringLiteral("DIGER2"), QStringLiteral("Diğer"), FieldPanel::Number);
}

bool TFormTAVSakla::save(QVariantMap& row) { return SaveTariff(m_db, row, m_new); }

TFormRenkSakla::TFormRenkSakla(SessionContext& ctx, QWidget* parent)
    : VehicleCardBase(ctx, QStringLiteral("Renk Kayıt"), QStringLiteral("Renk Kartı"), parent)
{
    setObjectName(QStringLiteral("FormRenkSakla"));
    Panel->add(QStringLiteral("ARC_RENK_KODU"), QStringLiteral("Renk Kodu"), FieldPanel::Text, 11);
    Panel->add(QStringLiteral("ARC_RENK_ADI"), QStringLiteral("Renk Adı"), FieldPanel::Text, 36);
    Panel->add(QStringLiteral("ANA_RENK"), QStringLiteral("Ana Renk"), FieldPanel::Text, 11);
    auto* box = new QGroupBox(QStringLiteral("Renk Tipi"), this);
    box->setObjectName(QStringLiteral("RgRenkTipi"));
    auto* h = new QHBoxLayout(box);
    RbDis = new QRadioButton(QStringLiteral("Dış Renk"), box);
    RbIc = new QRadioButton(QStringLiteral("İç Renk"), box);
    RbDis->setObjectName(QStringLiteral("RbDis"));
    RbIc->setObjectName(QStringLiteral("RbIc"));
    h->addWidget(RbDis);
    h->addWidget(RbIc);
    Body->addWidget(box);
    for (QRadioButton* b : {RbDis, RbIc})
        connect(b, &QRadioButton::clicked, this, Guarded([this] { markModified(); }));
}

void TFormRenkSakla::collect(QVariantMap& row)
{
    row.insert(QStringLiteral("RENK_TIP"), RbDis->isChecked() ? QStringLiteral("D")
                                          : RbIc->isChecked() ? QStringLiteral("I")
                                                              : QString());
}

bool TFormRenkSakla::save(QVariantMap& row) { return SaveColour(m_db, row, m_new); }

namespace {
template <class Card>
QString runCard(SessionContext& ctx, const QString& statement, const QString& code, bool isNew, QWidget* parent,
                const std::function<void(Card&, const QVariantMap&)>& after = {})
{
    Card card(ctx, parent);
    QVariantMap row;
    if (!isNew)
        row = ReadRow(ctx.Database1, statement, {{QStringLiteral("K"), code.trimmed()}});
    card.open(row, isNew);
    if (after)
        after(card, row);
    return card.exec() == QDialog::Accepted ? card.result() : QString();
}
} // namespace

QString ModelSegmentKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent)
{
    return runCard<TFormTypeSakla>(ctx, QStringLiteral("SELECT * FROM MODELKOD WHERE MODEL_KOD = :K"), code, isNew,
                                   parent, [](TFormTypeSakla& c, const QVariantMap& row) {
                                       c.CmbMarka->setCurrentText(Trimmed(row, "MARKA"));
                                   });
}

QString TAVKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent)
{
    return runCard<TFormTAVSakla>(ctx, QStringLiteral("SELECT * FROM TAVERGI WHERE TARIFE_KOD = :K"), code, isNew, parent);
}

QString RenkKartGir(SessionContext& ctx, const QString& code, bool isNew, QWidget* parent)
{
    return runCard<TFormRenkSakla>(ctx, QStringLiteral("SELECT * FROM RENK WHERE ARC_RENK_KODU = :K"), code, isNew,
                                   parent, [](TFormRenkSakla& c, const QVariantMap& row) {
                                       const QString t = Trimmed(row, "RENK_TIP");
                                       c.RbDis->setChecked(t == QLatin1String("D"));
                                       c.RbIc->setChecked(t == QLatin1String("I"));
                                   });
}

} // namespace tornaly::workshop
