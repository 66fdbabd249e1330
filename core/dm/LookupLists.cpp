#include "dm/LookupLists.h"

namespace tornaly {

namespace {
TLookupList make(std::initializer_list<std::pair<const char*, const char*>> rows)
{
    TLookupList out;
    for (const auto& [v, c] : rows)
        out.append({QString::fromUtf8(v), QString::fromUtf8(c)});
    return out;
}
} // namespace

const TLookupList& imgcombozEvetHayir()
{
    static const TLookupList l = make({{"E", "Evet"}, {"H", "Hayir"}});
    return l;
}

const TLookupList& RepIsemriDurum()
{
    static const TLookupList l = make({{"S", "Serviste"}, {"E", "Servis Bekliyor"}, {"B", "Sıra Bekliyor"},
                                       {"P", "Parça Bekliyor"}, {"I", "İhale Bekliyor"}, {"H", "Hurda"},
                                       {"F", "Faal"}, {"D", "Diğer"}});
    return l;
}

const TLookupList& RepAtolye()
{
    static const TLookupList l = make({{"I", "İç Servis"}, {"Z", "Dış Servis"}, {"O", "Ön Bakım"},
                                       {"P", "Periyodik Bakım"}, {"L", "Lastik"}, {"K", "Kaporta/Boya"},
                                       {"E", "Elektrik"}, {"M", "Mekanik"}, {"R", "Revizyon"}, {"D", "Diğer"}});
    return l;
}

const TLookupList& cxRepAracStatu1()
{
    static const TLookupList l = make({{"G", "Giriş"}, {"C", "Çıkış"}});
    return l;
}

const TLookupList& cxRepAracStatu2()
{
    static const TLookupList l =
        make({{"K", "Kullanılabilir"}, {"G", "Bakım/Onarım Gerekli"}, {"B", "Bakım/Onarımda"}});
    return l;
}

const TLookupList& cxRepMesajLog()
{
    static const TLookupList l = make({{"I", "İş Emri"}, {"A", "Araç"}, {"T", "Teslim Tesellüm"}});
    return l;
}

const TLookupList& cxRepPrimTip()
{
    static const TLookupList l =
        make({{"01", "Filo İndirimi"}, {"02", "Özel Fiyat"}, {"11", "Aylık Hedef bonusu"}});
    return l;
}

const TLookupList& cxPerOrg()
{
    static const TLookupList l = make({{"G", "Yönetim"}, {"A", "Satış"}, {"S", "Servis"}, {"Y", "Yedek Parça"},
                                       {"M", "Muhasebe"}, {"I", "İdari"}});
    return l;
}

const TLookupList& cxOrgBolum()
{
    static const TLookupList l =
        make({{"O", "Yönetim"},        {"S", "Satış Ofis"},         {"H", "Showroom"},     {"2", "İkinci El"},
              {"F", "Filo"},           {"G", "Sigorta"},            {"R", "Servis Ofis"},  {"N", "Servis Danışman"},
              {"A", "Müşteri Kabul"},  {"D", "Hasar-Sigorta"},      {"M", "Mekanik"},      {"K", "Kaporta"},
              {"B", "Boya"},           {"E", "Elektrik"},           {"T", "Garanti"},      {"Y", "Yedek Parça"},
              {"U", "Müşteri İlişkileri"}, {"Z", "İdari"},          {"D", "Diğer"}});
    return l;
}

const TLookupList& cxPozisyon()
{
    static const TLookupList l =
        make({{"P", "Firma Sahibi"}, {"M", "Müdür"},   {"A", "Asistan"},          {"I", "Sorumlu"},
              {"N", "Servis Danışmanı"}, {"S", "Satış Danışmanı"}, {"F", "Formen"}, {"U", "Teknisyen"},
              {"K", "Kalfa"},        {"C", "Çırak"},   {"G", "Güvenlik"},         {"D", "Diğer"}});
    return l;
}

const TLookupList& dxCinsiyet()
{
    static const TLookupList l = make({{"E", "Bay"}, {"K", "Bayan"}, {"F", "Firma"}});
    return l;
}

const TLookupList& OdemeTipleri()
{
    static const TLookupList l = make({{"A", "Açık Hesap"}, {"B", "Banka"}, {"D", "Diğer"}, {"N", "Nakit Ödeme"},
                                       {"Ç", "Çek/Senet"}});
    return l;
}

QString LookupCaption(const TLookupList& list, const QString& value)
{
    for (const auto& [v, c] : list)
        if (v == value)
            return c;
    return {};
}

} // namespace tornaly
