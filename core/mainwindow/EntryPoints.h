#pragma once
// Names under which the subsystems register the openers the main window calls
// (see mainwindow/Targets.h). With each name: how the main window calls it.
//   routine  - RegisterRoutine; called with the OpenRequest fields noted
//   form     - RegisterForm; the main window creates, shows and keeps the form

namespace tornaly::entry {

// Application core.
inline constexpr char TFormDoviz[] = "TFormDoviz";       // form, created once, shown modally
inline constexpr char TAboutBox[] = "TAboutBox";         // form, created once, shown modally
inline constexpr char TBakimForm[] = "TBakimForm";       // form, a new one each time, modeless
inline constexpr char TFormSQL[] = "TFormSQL";           // form, one instance "FormSQL"
inline constexpr char PersonelSec[] = "PersonelSec";     // routine, mode 0
inline constexpr char ShowBackupForm[] = "ShowBackupForm"; // routine, the backup form, modal

// Current accounts and finance.
inline constexpr char CariSec[] = "CariSec";             // routine, mode 0
inline constexpr char CariHrkSec[] = "CariHrkSec";       // routine, key = account code (empty: all)
inline constexpr char BankaSec[] = "BankaSec";           // routine, mode 0
inline constexpr char BankaHrkSec[] = "BankaHrkSec";     // routine, mode 0
inline constexpr char KasaSec[] = "KasaSec";             // routine, mode 0
inline constexpr char KasaHrkSec[] = "KasaHrkSec";       // routine, mode 0
inline constexpr char MFisSec[] = "MFisSec";             // routine, key = account code (empty: all)
inline constexpr char CekSenetSec[] = "CekSenetSec";     // routine, mode 0
inline constexpr char BordroSec[] = "BordroSec";         // routine, mode 0
inline constexpr char BayiSec[] = "BayiSec";             // routine, mode 0
inline constexpr char CariGrupSec[] = "CariGrupSec";     // routine, mode 0 (shown without waiting)
inline constexpr char CariOzelGrupAc[] = "CariOzelGrupAc"; // routine, mode = special-code list 1..3 (0: 1)
inline constexpr char IlIlceSec[] = "IlIlceSec";         // routine, mode 1 (modal)
// Source documents an account's movement opens ("İlgili İşlem"); key = the row's REF_NO.
inline constexpr char BordroHrkGir[] = "BordroHrkGir";   // routine: the cheque and note slip
inline constexpr char BankaHrkGir[] = "BankaHrkGir";     // routine: the bank voucher, codeType = kind letter (G, H, K)
// The bank payment of an invoice ("POS ile Ödeme"): routine, key = the fields
// joined by TAB: source kind (I, S, A), side (B, A), voucher kind (K, H),
// amount (C locale), account number, bank code, account code, invoice
// document number, source number (C locale).
inline constexpr char BankaHrkFaturaOdeme[] = "BankaHrkFaturaOdeme";
inline constexpr char MahsupFisiGir[] = "MahsupFisiGir"; // routine: the offset voucher, key = REF_NO TAB account code
inline constexpr char HizliBorcKapaAc[] = "HizliBorcKapaAc"; // routine, key = account code, mode 0
// The attached documents: routine, mode = document group (1 account, 2 work order,
// 3 personnel), key = the owner's code.
inline constexpr char DokumanlarAc[] = "DokumanlarAc";
inline constexpr char CariHareketGoster[] = "CariHareketGoster"; // routine, key = account code

// Stock and price lists.
inline constexpr char StokSec[] = "StokSec";             // routine, mode 0
inline constexpr char TFormStokFisBak[] = "TFormStokFisBak"; // form, created once, modeless
inline constexpr char FrtSec[] = "FrtSec";               // routine, mode 0
inline constexpr char MarkaSec[] = "MarkaSec";           // routine, mode 0
inline constexpr char AksesuarSec[] = "AksesuarSec";     // routine, mode 0
inline constexpr char AmbalajSec[] = "AmbalajSec";       // routine, mode 0
inline constexpr char GrupSec[] = "GrupSec";             // routine, mode 0
inline constexpr char DepoSec[] = "DepoSec";             // routine, mode 0
inline constexpr char StokResimSec[] = "StokResimSec";   // routine, mode 0
inline constexpr char BayiStokSorgula[] = "BayiStokSorgula"; // routine, mode 1, key = part code (empty)
inline constexpr char TFormBarKod[] = "TFormBarKod";     // form, one instance "FormBarKod"
inline constexpr char AltGrupSec[] = "AltGrupSec";       // routine, mode 0
inline constexpr char TBarTest[] = "TBarTest";           // routine: the barcode-reader test, modal
inline constexpr char ShowQRListForm[] = "ShowQRListForm"; // routine: the count pre-list, modal

// Vehicles and workshop.
inline constexpr char IsemriSec[] = "IsemriSec";         // routine, mode 5 (browse only)
inline constexpr char TFormIsEmri[] = "TFormIsEmri";     // form, one instance "FormIsEmri"
inline constexpr char IsEmriDigerForm[] = "IsEmriDigerForm"; // routine, key = work-order number, mode 1 A4, 2 authorised-service form
inline constexpr char RaporTasarla[] = "RaporTasarla";   // routine, key = report name: the report designer (not built)
inline constexpr char IsEmriYazdir[] = "IsEmriYazdir";   // routine, key = work-order number: the print chooser
inline constexpr char TFormIsDetay[] = "TFormIsDetay";   // form, one instance "FormIsDetay"
inline constexpr char TFormDispoz[] = "TFormDispoz";     // form, one instance "FormDispoz"
inline constexpr char TFrmBeyanList[] = "TFrmBeyanList"; // form, one instance "FrmBeyanList"
inline constexpr char IPaketSec[] = "IPaketSec";         // routine, key = filter (empty: none)
inline constexpr char ModelSec[] = "ModelSec";           // routine, mode 0
inline constexpr char ModelSegmentSec[] = "ModelSegmentSec"; // routine, mode 0
inline constexpr char RenkSec[] = "RenkSec";             // routine, mode 0
inline constexpr char AracSec[] = "AracSec";             // routine, mode 0
inline constexpr char TAVSec[] = "TAVSec";               // routine, mode 0
inline constexpr char KampanyaBak[] = "KampanyaBak";     // routine
inline constexpr char TeknikKampanyaGoster[] = "TeknikKampanyaGoster"; // routine
inline constexpr char PdksGunlukListeGoster[] = "PdksGunlukListeGoster"; // routine, key = person (empty), day = today
inline constexpr char CihazdanGelenBakGoster[] = "CihazdanGelenBakGoster"; // routine
inline constexpr char CihazdanOkutGoster[] = "CihazdanOkutGoster"; // routine
inline constexpr char StolGrafikGoster[] = "StolGrafikGoster"; // routine
inline constexpr char StolSec[] = "StolSec";             // routine, mode 0
inline constexpr char IsemriDurumSec[] = "IsemriDurumSec"; // routine, mode 0
inline constexpr char TFormRandevu[] = "TFormRandevu";   // form, one instance "FormRandevu"
inline constexpr char TFormPDI[] = "TFormPDI";           // form, one instance "FormPDI"
inline constexpr char TFormWorkControl[] = "TFormWorkControl"; // form, one instance "FormWorkControl"

// Invoices, orders and quotes.
inline constexpr char TFormAlisBak[] = "TFormAlisBak";   // form, new, owned by the main window, modal
inline constexpr char TFormSatisBak[] = "TFormSatisBak"; // form, new, owned by the main window, modal
inline constexpr char TFormSipAl[] = "TFormSipAl";       // form, new, owned by the main window, modal
inline constexpr char IEFaturaListeSec[] = "IEFaturaListeSec"; // routine, mode 0
inline constexpr char IsEmriFaturaKes[] = "IsEmriFaturaKes"; // routine, key = work-order number, mode = its FYILI; modal
inline constexpr char IEFaturaGoster[] = "IEFaturaGoster";   // routine, mode 0/2 with key = SATIS_NO, mode 1 new
inline constexpr char TeklifSec[] = "TeklifSec";         // routine, key = filter (empty: none)
inline constexpr char AlisAc[] = "AlisAc";               // routine, key = purchase invoice number
inline constexpr char SatisGoster[] = "SatisGoster";     // routine, key = counter sale number

// After-sales contact.
inline constexpr char ExpertSec[] = "ExpertSec";         // routine, mode 0
inline constexpr char HasarKodSec[] = "HasarKodSec";     // routine, codeType 1..8, mode 0
inline constexpr char ClaimListeSec[] = "ClaimListeSec"; // routine, the claim list, mode 0
inline constexpr char ClaimIsemriAc[] = "ClaimIsemriAc"; // routine, key = work-order number
inline constexpr char TFormSerTelRapVarnek[] = "TFormSerTelRapVarnek"; // form, one instance "FormSerTelRapVarnek"
inline constexpr char AramaSorguGoster[] = "AramaSorguGoster"; // routine, key = customer type "S", mode 0 or 1
inline constexpr char ShowServisAramaPer[] = "ShowServisAramaPer"; // routine, key = work-order number, day = invoice date
inline constexpr char TelRapSec[] = "TelRapSec";         // routine, mode 0
inline constexpr char SikayetAracTipiGoster[] = "SikayetAracTipiGoster"; // routine
inline constexpr char SikayetDagilimGoster[] = "SikayetDagilimGoster";   // routine
inline constexpr char SikayetUrunGoster[] = "SikayetUrunGoster";         // routine
inline constexpr char SikayetModelGoster[] = "SikayetModelGoster";       // routine
inline constexpr char SikayetModelYiliGoster[] = "SikayetModelYiliGoster"; // routine

// Reports.
// The report menu: the factory makes the report data module anew and then the
// menu form; a new one each time, owned by the main window, modeless.
inline constexpr char TFormListe[] = "TFormListe";
inline constexpr char ServisTelRapGoster[] = "ServisTelRapGoster"; // routine, with an empty criteria record

} // namespace tornaly::entry

// Opened from the system management window (TBakimForm). Each is a routine
// (called with ctx, the window as owner and the noted mode) or a form (shown
// modeless); the window's entry stays disabled until one is registered.
namespace tornaly::entry {
inline constexpr char KullaniciHaklari[] = "KullaniciHaklari"; // routine, the user-rights window
inline constexpr char TFormParaMuh[] = "TFormParaMuh";         // accounting link parameters
inline constexpr char TFormMuhFisBr[] = "TFormMuhFisBr";       // form, one instance "FormMuhFisBr": the vouchers
inline constexpr char MuhKodYazAc[] = "MuhKodYazAc";
inline constexpr char GGAtamaAc[] = "GGAtamaAc";
inline constexpr char AraPeriyotGoster[] = "AraPeriyotGoster";
inline constexpr char TekMuhAc[] = "TekMuhAc";
inline constexpr char TSayfaDuzForm[] = "TSayfaDuzForm";
inline constexpr char FaturaTasarimGoster[] = "FaturaTasarimGoster";
inline constexpr char TFormAracFatDizayn[] = "TFormAracFatDizayn";
inline constexpr char TFormFatTani[] = "TFormFatTani";
inline constexpr char IEFormTasarimGoster[] = "IEFormTasarimGoster";
inline constexpr char TFrmIsemriAciklama[] = "TFrmIsemriAciklama";
inline constexpr char BeyannameTasarimGoster[] = "BeyannameTasarimGoster";
inline constexpr char TFormSipDizayn[] = "TFormSipDizayn";
inline constexpr char GarantiFormTasarimGoster[] = "GarantiFormTasarimGoster";
inline constexpr char IETasarimAc[] = "IETasarimAc";           // routine, mode 1 opening / 2 closing form
inline constexpr char IEKapamaFormTasarimGoster[] = "IEKapamaFormTasarimGoster";
inline constexpr char FytStokSec[] = "FytStokSec";             // routine, mode 0
inline constexpr char TFormFytList[] = "TFormFytList";
inline constexpr char TFormFrtGrup[] = "TFormFrtGrup";
inline constexpr char TFormFytListFRT[] = "TFormFytListFRT";
inline constexpr char SaseDegistir[] = "SaseDegistir";         // routine, key = chassis number (empty)
inline constexpr char MikDevretAc[] = "MikDevretAc";           // routine, mode 0
inline constexpr char FiyatDisketiAktar[] = "FiyatDisketiAktar"; // routine, the price list import
inline constexpr char TFormStokAyPrm[] = "TFormStokAyPrm";
inline constexpr char TFormFytXfer[] = "TFormFytXfer";
// The repairs of the stock tables; each routine asks its own question.
inline constexpr char ShowStokMiktarGuncelleForm[] = "ShowStokMiktarGuncelleForm"; // routine, modal
inline constexpr char ShowStkMikUyamanForm[] = "ShowStkMikUyamanForm";             // routine, modal
inline constexpr char BaslangicMaliyetiYaz[] = "BaslangicMaliyetiYaz";             // routine
inline constexpr char StokMaliyetiHesapla[] = "StokMaliyetiHesapla";               // routine
inline constexpr char AnagrupAta[] = "AnagrupAta";                                 // routine
inline constexpr char StokYeniKodlariniGuncelle[] = "StokYeniKodlariniGuncelle";   // routine
} // namespace tornaly::entry
