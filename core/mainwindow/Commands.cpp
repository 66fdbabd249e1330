#include "mainwindow/Commands.h"
#include "mainwindow/EntryPoints.h"

namespace tornaly {

bool RightRule::passes(const t_user& user) const
{
    if (test == RightTest::None)
        return true;
    if (test == RightTest::IsA)
        return IsAdministrator(user);
    const QString& letter = user.*field;
    switch (test) {
    case RightTest::NotH: return RightOpens(letter);
    case RightTest::IsO: return letter == QLatin1String("O");
    case RightTest::IsY: return letter == QLatin1String("Y");
    case RightTest::RorT: return letter == QLatin1String("R") || letter == QLatin1String("T");
    default: return true;
    }
}

namespace {

RightRule notH(RightField f) { return {RightTest::NotH, f}; }
RightRule isO(RightField f) { return {RightTest::IsO, f}; }
RightRule rOrT(RightField f) { return {RightTest::RorT, f}; }
RightRule administrator() { return {RightTest::IsA, nullptr}; }

// Builds one table row with named steps.
struct B {
    Command c;
    B(Place place, const QString& id, const QString& caption, Way way, const QString& target = {})
    {
        c.place = place;
        c.id = id;
        c.caption = caption;
        c.way = way;
        c.target = target;
    }
    B& group(int g) { c.group = g; return *this; }
    B& in(const QString& menu) { c.menu = menu; return *this; }
    B& runIf(RightRule r) { c.run = r; return *this; }
    B& silentIf(RightRule r) { c.run = r; c.silent = true; return *this; }
    B& enableIf(RightRule r) { c.enable = r; return *this; }
    B& visibleIf(RightRule r) { c.visible = r; return *this; }
    B& hidden() { c.hidden = true; return *this; }
    B& single(const QString& name) { c.formName = name; return *this; }
    B& mode(int m) { c.mode = m; return *this; }
    B& key(const QString& k) { c.key = k; return *this; }
    B& codeType(int t) { c.codeType = t; return *this; }
    B& today() { c.today = true; return *this; }
    B& shortcut(const QString& s) { c.shortcut = s; return *this; }
    operator Command() const { return c; }
};

B tile(int g, const QString& id, const QString& caption, Way way, const QString& target = {})
{
    return B(Place::Tile, id, caption, way, target).group(g);
}
B item(const QString& menu, const QString& id, const QString& caption, Way way, const QString& target = {})
{
    return B(Place::Menu, id, caption, way, target).in(menu);
}
B button(const QString& id, const QString& caption, Way way, const QString& target = {})
{
    return B(Place::ColourButton, id, caption, way, target);
}
B panel(const QString& id, const QString& caption, Way way, const QString& target = {})
{
    return B(Place::LeftPanel, id, caption, way, target);
}

QList<Command> buildCommands()
{
    using namespace entry;
    const auto S = [](const char* s) { return QString::fromUtf8(s); };
    QList<Command> t;

    // Tiles, group by group, in order.
    t << tile(0, S("TileStokKayitlari"), S("Stok Kayıtları"), Way::Routine, StokSec).runIf(notH(&t_user::stok));
    t << tile(0, S("TileStokFisleri"), S("Stok Fişleri"), Way::CreatedOnce, TFormStokFisBak).single(S("FormStokFisBak"));
    t << tile(0, S("TileCariKayitlari"), S("Cari Kayıtları"), Way::Routine, CariSec).runIf(notH(&t_user::cari));
    t << tile(0, S("TileAlisIslemleri"), S("Alış İşlemleri"), Way::ModalOwned, TFormAlisBak).runIf(notH(&t_user::alis));
    t << tile(0, S("TileSatisIslemleri"), S("Satış İşlemleri"), Way::ModalOwned, TFormSatisBak).runIf(notH(&t_user::satis));

    t << tile(1, S("TileIsemirleri"), S("İşemirleri"), Way::Routine, IsemriSec).mode(5).runIf(isO(&t_user::diger15));
    t << tile(1, S("TileIsemriAc"), S("İşemri Aç"), Way::Single, TFormIsEmri).single(S("FormIsEmri")).runIf(notH(&t_user::isemri));
    t << tile(1, S("TileIsemriYedekParca"), S("İşemri Yedek Parça"), Way::Single, TFormIsDetay).single(S("FormIsDetay")).runIf(notH(&t_user::stok));
    t << tile(1, S("TileIsemriKapat"), S("İşemri Kapat"), Way::Single, TFormDispoz).single(S("FormDispoz")).runIf(notH(&t_user::dispoz));
    t << tile(1, S("TileIsemriFatura"), S("İşemri Fatura İşlemleri"), Way::Routine, IEFaturaListeSec).runIf(notH(&t_user::satis));
    t << tile(1, S("TileHasar"), S("Hasar"), Way::Routine, ExpertSec);
    t << tile(1, S("TileAracRuhsat"), S("Araç Ruhsat"), Way::Single, TFrmBeyanList).single(S("FrmBeyanList")).runIf(notH(&t_user::beyan));
    t << tile(1, S("TileIscilikKodlari"), S("İşçilik Kodları"), Way::Routine, FrtSec);
    t << tile(1, S("TileBakimPaketleri"), S("Bakım Paketleri"), Way::Routine, IPaketSec);
    // The warranty claims list, reached from the workshop's tiles.
    t << tile(1, S("TileGarantiTalepleri"), S("Garanti Talepleri"), Way::Routine, ClaimListeSec).runIf(notH(&t_user::claim));

    t << tile(2, S("TileCariKayitlari2"), S("Cari Kayıtları"), Way::Routine, CariSec).runIf(notH(&t_user::cari));
    t << tile(2, S("TileCariHareketleri"), S("Cari Hareketleri"), Way::Routine, CariHrkSec).runIf(notH(&t_user::diger09));
    t << tile(2, S("TileBankaKayitlari"), S("Banka Kayıtları"), Way::Routine, BankaSec).runIf(notH(&t_user::diger10));
    t << tile(2, S("TileBankaHareketleri"), S("Banka Hareketleri"), Way::Routine, BankaHrkSec).runIf(notH(&t_user::diger10));
    t << tile(2, S("TileKasaIslemleri"), S("Kasa İşlemleri"), Way::Routine, KasaHrkSec).runIf(notH(&t_user::diger10));
    t << tile(2, S("TileFisGirisleri"), S("Fiş Girişleri"), Way::Routine, MFisSec).runIf(notH(&t_user::diger10));
    t << tile(2, S("TileCekSenetKarti"), S("Çek/Senet Kartı"), Way::Routine, CekSenetSec).runIf(notH(&t_user::diger09));
    t << tile(2, S("TileCekSenetBordrolari"), S("Çek/Senet Bordroları"), Way::Routine, BordroSec).runIf(notH(&t_user::diger09));
    t << tile(2, S("TileDovizKurlari"), S("Döviz Kurları"), Way::Kept, TFormDoviz);

    t << tile(3, S("TileListeVeRaporlar"), S("Liste Ve Raporlar"), Way::NewModeless, TFormListe);
    t << tile(3, S("TileSistemYonetimi"), S("Sistem Yönetimi"), Way::NewModeless, TBakimForm).runIf(administrator());

    // Main menu.
    const QString start = S("Baslat1"), cards = S("Kartlar1"), finance = S("FinansIslemleri1"),
                  packages = S("BakimPaketleri1"), pdks = S("PDKS1"), planning = S("Planlama1"),
                  reports = S("Raporlar1"), crm = S("CRM1");
    t << item(start, S("YeniOturum1"), S("Oturum Kimliğini Değiştir"), Way::Relogin).shortcut(S("Ctrl+Alt+O"));
    t << item(start, S("IzgaraKolonAyarlariniSakla1"), S("Izgara Kolon Ayarlarını Sakla"), Way::GridSwitch);
    t << item(start, S("SQL1"), S("SQL"), Way::Single, TFormSQL).single(S("FormSQL")).visibleIf(administrator());

    t << item(cards, S("MarkaTanimlari1"), S("Marka Tanımları"), Way::Routine, MarkaSec);
    t << item(cards, S("ModelTanimlari1"), S("Model Tanımları"), Way::Routine, ModelSec).enableIf(notH(&t_user::diger05));
    t << item(cards, S("ModelSegmentTipTanimlari1"), S("Model Segment Tip Tanımları"), Way::Routine, ModelSegmentSec).enableIf(notH(&t_user::diger05));
    t << item(cards, S("RenkTanimlari1"), S("Renk Tanımları"), Way::Routine, RenkSec).enableIf(notH(&t_user::diger05));
    t << item(cards, S("AksesuarTanimlari1"), S("Aksesuar Tanımları"), Way::Routine, AksesuarSec).enableIf(notH(&t_user::diger05));
    t << item(cards, S("AracTanimlari1"), S("Araç Tanımları"), Way::Routine, AracSec);
    t << item(cards, S("Ambalaj1"), S("Ambalaj"), Way::Routine, AmbalajSec);
    t << item(cards, S("StokGrup1"), S("Stok Grup"), Way::Routine, GrupSec);
    t << item(cards, S("Depo1"), S("Depo"), Way::Routine, DepoSec);
    t << item(cards, S("StokResimleri1"), S("Stok Resimleri"), Way::Routine, StokResimSec);
    t << item(cards, S("IscilikHizmetMasraf1"), S("İşçilik-Hizmet-Masraf (RTT)"), Way::Routine, FrtSec).enableIf(notH(&t_user::frtfct));
    const char* codeTables[] = {"Kleym Tipleri", "Onay Kodları", "N Kodları ", "C Kodları",
                                "Harici Onarım Kodları", "Boya Arıza Kodları ", "Geri Dönüş Kodları",
                                "Üretici Kodları"};
    for (int tag = 1; tag <= 8; ++tag) {
        B b = item(cards, S("HasarKod%1").arg(tag), S(codeTables[tag - 1]), Way::Routine, HasarKodSec)
                  .codeType(tag)
                  .silentIf(notH(&t_user::frtfct));
        if (tag != 8)
            b.hidden();
        t << b;
    }
    // The warranty claim list, beside the codes that classify the claims.
    t << item(cards, S("GarantiTalep1"), S("Garanti Talep"), Way::Routine, ClaimListeSec).runIf(notH(&t_user::claim));
    t << item(cards, S("TAVTarifeleri1"), S("TAV Tarifeleri"), Way::Routine, TAVSec).hidden();
    t << item(cards, S("MuhasebeFirmaTanim1"), S("Muhasebe Firma Tanım"), Way::Program, S("Sarvelo.exe")).hidden();
    t << item(cards, S("Bayiler1"), S("Bayiler"), Way::Routine, BayiSec).hidden();
    t << item(cards, S("StokFisleri1"), S("Stok Fişleri"), Way::CreatedOnce, TFormStokFisBak).single(S("FormStokFisBak"));
    t << item(cards, S("Personel2"), S("Personel"), Way::Routine, PersonelSec);

    t << item(finance, S("DovizKurlari1"), S("Döviz Kurları"), Way::Kept, TFormDoviz);
    t << item(finance, S("Banka1"), S("Banka"), Way::Routine, BankaSec).enableIf(notH(&t_user::diger10));
    t << item(finance, S("BankaHareketleri1"), S("Banka Hareketleri"), Way::Routine, BankaHrkSec).enableIf(notH(&t_user::diger10));
    t << item(finance, S("CekSenetBordrolari1"), S("Çek Senet Bordroları"), Way::Routine, BordroSec).enableIf(notH(&t_user::diger09));
    t << item(finance, S("CekSenetKarti1"), S("Çek Senet Kartı"), Way::Routine, CekSenetSec).enableIf(notH(&t_user::diger09));
    t << item(finance, S("Cari1"), S("Cari"), Way::Routine, CariSec);
    t << item(finance, S("CariHareketGirisleri1"), S("Cari Hareket Girişleri"), Way::Routine, CariHrkSec).enableIf(notH(&t_user::diger09));
    t << item(finance, S("KasaKarti1"), S("Kasa Kartı"), Way::Routine, KasaSec).enableIf(notH(&t_user::diger10));
    t << item(finance, S("KasaIslemleri1"), S("Kasa İşlemleri"), Way::Routine, KasaHrkSec).enableIf(notH(&t_user::diger10));
    t << item(finance, S("KasaFisleri1"), S("Kasa Fişleri"), Way::Routine, MFisSec).enableIf(notH(&t_user::diger10));

    t << item(packages, S("Kampanya1"), S("Kampanya"), Way::Routine, KampanyaBak);
    t << item(packages, S("PeriyodikBakim1"), S("Periyodik Bakım ve İşçilik Paketleri"), Way::Routine, IPaketSec);
    t << item(packages, S("TeknikKampanya1"), S("Teknik Kampanya"), Way::Routine, TeknikKampanyaGoster);

    t << item(pdks, S("PdksGunluk1"), S("PDKS Günlük Dosya Bilgileri"), Way::Routine, PdksGunlukListeGoster).today();
    t << item(pdks, S("PdksBak1"), S("PDKS Bilgilerine Bak"), Way::Routine, CihazdanGelenBakGoster);
    t << item(pdks, S("PdksOku1"), S("PDKS Bilgilerini Oku Yaz"), Way::Routine, CihazdanOkutGoster).hidden();

    t << item(planning, S("IsPlanlama1"), S("İş Planlama"), Way::Routine, IsemriSec).mode(5);
    t << item(planning, S("GercekZamanliStall1"), S("Gerçek Zamanlı Stall"), Way::Routine, StolGrafikGoster);
    t << item(planning, S("StallTanim1"), S("Stall Tanım"), Way::Routine, StolSec);

    t << item(reports, S("TelefonRaporlari1"), S("Telefon Raporları"), Way::Single, TFormSerTelRapVarnek).single(S("FormSerTelRapVarnek"));
    t << item(reports, S("MusteriAramaSorgu1"), S("Müşteri Arama Sorgu"), Way::Routine, AramaSorguGoster)
             .key(S("S")).enableIf(rOrT(&t_user::diger16)).silentIf(rOrT(&t_user::diger16));
    t << item(reports, S("AtilStokSorgu1"), S("Atıl Stok Sorgu"), Way::Routine, BayiStokSorgula).mode(1);
    t << item(reports, S("MusteriSikayetTelefon1"), S("Müşteri Şikayet Telefon Raporları"), Way::Routine, TelRapSec);
    t << item(reports, S("SikayetOrani1"), S("Şikayetlerin Oranı"), Way::Routine, SikayetAracTipiGoster);
    t << item(reports, S("SikayetDagilimi1"), S("Şikayetlerin Dağılımı"), Way::Routine, SikayetDagilimGoster);
    t << item(reports, S("SikayetUrun1"), S("Şikayetlerin Ürüne Göre Dağılımı"), Way::Routine, SikayetUrunGoster);
    t << item(reports, S("SikayetAracTip1"), S("Şikayetlerin Araç Tiplerine Göre Dağılımı"), Way::Routine, SikayetModelGoster);
    t << item(reports, S("SikayetModelYili1"), S("Şikayetlerin Model Yılına Göre Dağılımı"), Way::Routine, SikayetModelYiliGoster);
    t << item(reports, S("IsemriIzleme1"), S("İşemri İzleme Ekranı"), Way::Routine, IsemriDurumSec).enableIf(isO(&t_user::diger15));

    t << item(crm, S("ServisAnketi1"), S("Servis Anketi"), Way::Single, TFormSerTelRapVarnek).single(S("FormSerTelRapVarnek"));
    t << item(crm, S("ServisAnketRaporu1"), S("Servis Anket Raporu"), Way::Routine, ServisTelRapGoster);
    t << item(crm, S("ServisSonrasiArama1"), S("Servis Sonrası Arama Listesi"), Way::Routine, AramaSorguGoster)
             .key(S("S")).silentIf(rOrT(&t_user::diger16));

    t << B(Place::MenuBar, S("Personel1"), S("Personel"), Way::Routine, PersonelSec);
    t << B(Place::MenuBar, S("ProgramHakkinda1"), S("Program Hakkında"), Way::Kept, TAboutBox);
    t << B(Place::MenuBar, S("Cikis1"), S("Çıkış"), Way::Exit);

    // Colour buttons.
    t << button(S("BtnDovizKurlari"), S("Dövi&z Kurları"), Way::Kept, TFormDoviz).enableIf(notH(&t_user::dov_kur));
    t << button(S("BtnAlinanSiparis"), S("Alı&nan Sipariş"), Way::ModalOwned, TFormSipAl);
    t << button(S("BtnHakkinda"), S("&Hakkında"), Way::Kept, TAboutBox);
    t << button(S("BtnCikis"), S("Çıkı&ş"), Way::Exit);
    t << button(S("BtnYardim"), S("&Yardım"), Way::Help);
    t << button(S("BtnRandevu"), S("&Randevu"), Way::Single, TFormRandevu).single(S("FormRandevu"));
    t << button(S("BtnPDI"), S("&PDI"), Way::Single, TFormPDI).single(S("FormPDI")).enableIf(notH(&t_user::pdi));
    t << button(S("BtnCalismaKarti"), S("Çalışma Kartı "), Way::Single, TFormWorkControl).single(S("FormWorkControl"));
    t << button(S("BtnMuhasebe"), S("M&uhasebe"), Way::Single, TFormMuhFisBr).single(S("FormMuhFisBr")).enableIf(notH(&t_user::diger10));
    t << button(S("BtnCekSenet"), S("Çek-Senet"), Way::Routine, BordroSec).enableIf(notH(&t_user::diger09));
    t << button(S("BtnBarkodEtiketi"), S("Ürün Barkod Etiketi"), Way::Single, TFormBarKod).single(S("FormBarKod"));

    // The hidden left-hand panel.
    t << panel(S("BtnTeklif"), S("Teklif"), Way::Routine, TeklifSec).hidden();
    t << panel(S("BtnIsEmirleri"), S("İş Emirleri"), Way::Routine, IsemriSec).mode(5);
    t << panel(S("BtnIsemriAc"), S("İşemri &Aç"), Way::Single, TFormIsEmri).single(S("FormIsEmri"));
    t << panel(S("BtnIEYedekParca"), S("İ.E Ye&dek Parça"), Way::Single, TFormIsDetay).single(S("FormIsDetay"));
    t << panel(S("BtnIsemriKapat"), S("İşemri &Kapat"), Way::Single, TFormDispoz).single(S("FormDispoz"));
    t << panel(S("BtnIsemriFatura"), S("İşemri &Fatura"), Way::Routine, IEFaturaListeSec);
    t << panel(S("BtnHasar"), S("&Hasar"), Way::Routine, ExpertSec).enableIf(notH(&t_user::exper));
    t << panel(S("BtnAracRuhsat"), S("&Araç Ruhsat"), Way::Single, TFrmBeyanList).single(S("FrmBeyanList"));
    t << panel(S("BtnYPStok"), S("Y.P. &Stok"), Way::Routine, StokSec);
    t << panel(S("BtnCari"), S("&Cari"), Way::Routine, CariSec);
    t << panel(S("BtnAlisFatura"), S("Al&ış Fatura İşlemleri"), Way::ModalOwned, TFormAlisBak);
    t << panel(S("BtnSatisFatura"), S("Sa&tış Fatura İşlemleri"), Way::ModalOwned, TFormSatisBak);
    t << panel(S("BtnRaporlar"), S("&Raporlar"), Way::Program, S("Liste.exe"));
    t << panel(S("BtnSistemYonetim"), S("SistemYönetim"), Way::Program, S("Onarvik.exe")).runIf(administrator());
    t << panel(S("BtnBarkodRafYeri"), S("Barkod Ve Raf Yeri"), Way::Single, TFormBarKod).single(S("FormBarKod")).hidden();
    return t;
}

} // namespace

const QList<Command>& MainCommands()
{
    static const QList<Command> commands = buildCommands();
    return commands;
}

const QList<MenuDef>& MainMenus()
{
    static const QList<MenuDef> menus = [] {
        const auto S = [](const char* s) { return QString::fromUtf8(s); };
        QList<MenuDef> m;
        m << MenuDef{S("Baslat1"), S("Başlat "), false, {}};
        m << MenuDef{S("Kartlar1"), S("Kartlar"), false, {}};
        m << MenuDef{S("FinansIslemleri1"), S("Finans İşlemleri"), false, {}};
        m << MenuDef{S("BakimPaketleri1"), S("Bakım Paketleri "), true, {}};
        m << MenuDef{S("PDKS1"), S("PDKS"), true, {RightTest::IsY, &t_user::personel}};
        m << MenuDef{S("Planlama1"), S(" Planlama "), true, {}};
        m << MenuDef{S("Raporlar1"), S("Raporlar"), true, {}};
        m << MenuDef{S("CRM1"), S("CRM"), true, {}};
        m << MenuDef{S("Ayarlar1"), S("Ayarlar"), true, {}};
        m << MenuDef{S("Upgrade1"), S("Upgrade"), true, {}};
        return m;
    }();
    return menus;
}

const QStringList& TileGroupCaptions()
{
    static const QStringList captions{QStringLiteral("Müşteri-Satış Yönetimi"), QStringLiteral("Servis Yönetimi"),
                                      QStringLiteral("Ön Muhasebe"), QStringLiteral("Raporlar-Yönetim")};
    return captions;
}

const Command* FindCommand(const QString& id)
{
    for (const Command& c : MainCommands())
        if (c.id == id)
            return &c;
    return nullptr;
}

} // namespace tornaly
