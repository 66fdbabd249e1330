#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace tornaly {
class Db;
struct SessionContext;
} // namespace tornaly

namespace tornaly::accounts {

// The largest file a record can keep, in bytes (3 MB; exactly this is allowed).
inline constexpr qint64 kDokumanSiniri = 3145728;
inline QString DokumanBuyukText() { return QStringLiteral("3 mb tan büyük dosya yükleyemezsiniz!"); }

// Document groups: 1 account, 2 work order, 3 personnel; 111-113 general folders.
enum DokumanGrubu : int { DokCari = 1, DokIsEmri = 2, DokPersonel = 3, DokGenel = 111, DokSatis = 112, DokServis = 113 };
// Groups 1-3 and 102 keep their owner's key as text (DOC_REF_ID2), the others as a number.
bool DokumanMetinAnahtarli(int grup);
// A record's own list (a group with an owner): it can be added to and edited.
bool DokumanKaydinListesi(int grup, int dokumanId);
// The group's name in the general lists ("Genel", "Satış", "Servis").
QString DokumanGrupAdi(int grup);

// The condition that selects the list's rows; binds its values.
QString DokumanKosulu(int grup, const QVariant& anahtar, int dokumanId, QVariantMap& b);

struct DokumanSatiri {
    qint64 ROW_ID = 0;
    int DOC_GRP = 0;
    QString DOC_NAME, DOC_DESC, DOC_USER;
    QDateTime DOC_DATE;
};
QList<DokumanSatiri> DokumanListesi(const Db& db, int grup, const QVariant& anahtar, int dokumanId);

// Stores a file's bytes for a record; refuses one over 3 MB and writes nothing.
// Answers the new row's number.
qint64 DokumanEkle(const SessionContext& ctx, const Db& db, int grup, const QVariant& anahtar, const QString& ad,
                   const QByteArray& veri);
// Stores a file from disk; a TIFF scan is stored as a JPEG of at most 1600 × 1600.
qint64 DokumanDosyasiEkle(const SessionContext& ctx, const Db& db, int grup, const QVariant& anahtar,
                          const QString& yol);
QByteArray DokumanOku(const Db& db, qint64 rowId);
void DokumanTanimiYaz(const Db& db, qint64 rowId, const QString& tanim);
void DokumanSil(const Db& db, qint64 rowId);
// Writes a document into `klasor` under its own name and answers the path.
QString DokumanDosyayaYaz(const Db& db, qint64 rowId, const QString& ad, const QString& klasor);

// Writes a copy of a picture shrunk to fit maxW × maxH (0: no limit, never
// enlarged), with an optional caption, as "<file>_resized.jpg"; answers its name.
QString ResimBoyutla(const QString& dosya, const QString& baslik, int maxGenislik, int kalite, int maxYukseklik);

// Suggestions for a document's description.
const QStringList& DokumanTanimOnerileri();

} // namespace tornaly::accounts
