#include "aftersales/claims/ClaimListe.h"

namespace tornaly::aftersales {

void ClaimListeSorgu::filtrele(const ClaimListeFiltre& f)
{
    m_filtre.clear();
    m_filtreBinds.clear();
    m_arama.clear();
    m_aramaBinds.clear();
    switch (f.durum) {
    case ClaimListeFiltre::Onaylandi: m_filtre += QStringLiteral(" AND (CL_DURUM='O')"); break;
    case ClaimListeFiltre::Red: m_filtre += QStringLiteral(" AND (CL_DURUM='R')"); break;
    case ClaimListeFiltre::OnayBekliyor: m_filtre += QStringLiteral(" AND (CL_DURUM='B')"); break;
    case ClaimListeFiltre::Gonderilmedi: m_filtre += QStringLiteral(" AND (CL_DURUM IS NULL)"); break;
    case ClaimListeFiltre::Tumu: break;
    }
    if (f.fatura == ClaimListeFiltre::Faturalanmayanlar)
        m_filtre += QStringLiteral(" AND (CL_FATURA='H')");
    else if (f.fatura == ClaimListeFiltre::Faturalananlar)
        m_filtre += QStringLiteral(" AND (CL_FATURA='E')");
    const QString col = f.teslimTarihi ? QStringLiteral("CL_TESLIMTRH") : QStringLiteral("CL_TAMIRTRH");
    // Both bounds take whole days: the end bound runs to the start of the next day.
    if (f.trh1.isValid() && f.trh1 > QDate(1900, 4, 9)) {
        m_filtre += QStringLiteral(" AND %1>=:trh1").arg(col);
        m_filtreBinds.insert(QStringLiteral("trh1"), f.trh1.startOfDay());
    }
    if (f.trh2.isValid() && f.trh2 > QDate(1900, 4, 9)) {
        m_filtre += QStringLiteral(" AND %1<:trh2").arg(col);
        m_filtreBinds.insert(QStringLiteral("trh2"), f.trh2.addDays(1).startOfDay());
    }
}

void ClaimListeSorgu::filtreKaldir()
{
    m_filtre.clear();
    m_filtreBinds.clear();
    m_arama.clear();
    m_aramaBinds.clear();
}

void ClaimListeSorgu::araClaimNo(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    bool ok = false;
    const double no = text.trimmed().toDouble(&ok);
    m_arama = QStringLiteral(" AND CL_CLAIMNO=:no");
    m_aramaBinds = {{QStringLiteral("no"), ok ? QVariant(no) : QVariant(-1.0)}};
}

void ClaimListeSorgu::araIsemri(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    m_arama = QStringLiteral(" AND CL_ISEMRI=:no");
    m_aramaBinds = {{QStringLiteral("no"), text.trimmed()}};
}

QString ClaimListeSorgu::sql() const
{
    return QStringLiteral("SELECT CL_CLAIMNO,CL_SAYFA,CL_ISEMRI,CL_TAMIRTRH,CL_TESLIMTRH,CL_SASE,CL_CARI,CL_PLAKA,CL_KM,"
                          "CL_ARACTIP,CL_DISSNO,CL_GARTIP,CL_ONAY,CL_FATURA,CL_DURUM,CL_GONTRH,CL_DONUSTRH,CL_ACIKLA "
                          "FROM CLAIMM WHERE 1=1")
        + m_filtre + m_arama + QStringLiteral(" ORDER BY CL_CLAIMNO DESC");
}

QVariantMap ClaimListeSorgu::binds() const
{
    QVariantMap b = m_filtreBinds;
    for (auto it = m_aramaBinds.cbegin(); it != m_aramaBinds.cend(); ++it)
        b.insert(it.key(), it.value());
    return b;
}

QStringList ClaimListeSorgu::captions()
{
    return {QStringLiteral("TalepNo"), QStringLiteral("Sayfa"),     QStringLiteral("İşemri"),
            QStringLiteral("TamirTrh"), QStringLiteral("TeslimTrh"), QStringLiteral("Şase"),
            QStringLiteral("CariKod"),  QStringLiteral("Plaka"),     QStringLiteral("Km"),
            QStringLiteral("AraçTip"),  QStringLiteral("DISS BA-ID NO"), QStringLiteral("GrnTip"),
            QStringLiteral("Ser.Onay"), QStringLiteral("Faturalandı"), QStringLiteral("Durum"),
            QStringLiteral("GönTrh"),   QStringLiteral("DönüşTrh"),  QStringLiteral("Açıklama")};
}

std::vector<double> IsemriClaimleri(const Db& db, const QString& isemri)
{
    std::vector<double> out;
    Query q(db, QStringLiteral("SELECT CL_CLAIMNO FROM CLAIMM WHERE CL_ISEMRI = :IE ORDER BY CL_CLAIMNO"));
    q.bind(QStringLiteral("IE"), isemri).exec();
    while (q.next())
        out.push_back(q.value(0).toDouble());
    return out;
}

} // namespace tornaly::aftersales
