#include "export/SafeFile.h"

#include "messages/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cstdio>
#include <stdexcept>

namespace tornaly {

void ThrowCannotWrite(const QString& path)
{
    throw std::runtime_error(
        QStringLiteral("%1 dosyası yazılamadı. Klasörün yazılabilir olduğunu ve dosyanın başka bir programda "
                       "açık olmadığını kontrol ediniz.")
            .arg(QDir::toNativeSeparators(path))
            .toStdString());
}

void SaveFileStream(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        ThrowCannotWrite(path);
    if (!write(f)) {
        f.cancelWriting();
        ThrowCannotWrite(path);
    }
    if (!f.commit())
        ThrowCannotWrite(path);
}

void SaveFileData(const QString& path, const QByteArray& data)
{
    SaveFileStream(path, [&](QIODevice& d) { return d.write(data) == data.size(); });
}

void SaveThroughTemporary(const QString& path, const std::function<bool(const QString&)>& write)
{
    const QFileInfo target(path);
    QString temporary;
    {
        // A unique name in the same folder, so that the final rename is one
        // step on one file system; the writer recreates the file itself.
        QTemporaryFile t(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
        t.setAutoRemove(false);
        if (!t.open())
            ThrowCannotWrite(path);
        temporary = t.fileName();
    }
    bool ok = false;
    try {
        ok = write(temporary);
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
    // rename() replaces an existing target atomically: it is never removed first.
    if (!ok || std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        ThrowCannotWrite(path);
    }
}

QString AskExportFile(const QString& caption, const QString& filter, const QString& suffix)
{
    QString path = Messages().askSaveFile(caption, filter, {}, suffix);
    if (path.trimmed().isEmpty())
        return {};
    if (!suffix.isEmpty() && QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) {
        path += QLatin1Char('.') + suffix;
        if (QFileInfo::exists(path)
            && Messages().show(MsgIcon::Confirmation,
                               QStringLiteral("%1 dosyası zaten var. Üzerine yazılsın mı?")
                                   .arg(QDir::toNativeSeparators(path)),
                               MsgYes | MsgNo, MsgNo, QString())
                   != MsgYes)
            return {};
    }
    return path;
}

} // namespace tornaly
