#pragma once
#include "db/Database.h"

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <QString>

namespace tornaly::stock {

// The label and message shown for bytes that are no picture.
QString DosyaHatasiMesaji(); // "Dosya Hatası !!!"
QString ResimHatasiEtiketi(); // "Hata !!!" (the stock card's label)

// Whether bytes hold a picture the program can show.
bool ResimGecerli(const QByteArray& bytes);

// Adds a picture under the next number of its counter (1 for the first); a
// number is never given twice, not even after its picture was deleted. Returns the number, or
// -1 with `hata` set when the bytes are no picture (nothing written).
int ResimEkle(const Db& db, const QString& ad, const QByteArray& bytes, QString* hata = nullptr);
// Replaces a picture's bytes; false with `hata` when they are no picture.
bool ResimDegistir(const Db& db, int resimNo, const QByteArray& bytes, QString* hata = nullptr);
void ResimAdiDegistir(const Db& db, int resimNo, const QString& ad);
// Cards that point to a deleted picture keep its number.
// Refuses (returns the message) a picture a stock card shows.
QString ResimSil(const Db& db, int resimNo);
QByteArray ResimOku(const Db& db, int resimNo);

// The point marked on a picture: a click in a frame of `cerceve` on a picture
// of `resim`; stretched pictures scale the click to picture pixels.
QPoint ResimNoktasi(const QPoint& tik, const QSize& cerceve, const QSize& resim, bool sigdir);
// Where a stored point is drawn in the frame.
QPoint CerceveNoktasi(const QPoint& nokta, const QSize& cerceve, const QSize& resim, bool sigdir);

} // namespace tornaly::stock
