#include "connection/SecretStore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTimer>

#include <atomic>
#include <qt6keychain/keychain.h>

namespace tornaly {

namespace {
const QString kService = QStringLiteral("Tornaly");
constexpr int kDesktopTimeoutMs = 3000;
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

std::atomic<bool> g_desktopFailed{false};

// Runs one keychain job to its end or to the time limit. False when the
// desktop store cannot be used; a missing entry is not a failure. A read
// job's secret goes to `text`.
bool runJob(QKeychain::Job* job, QString* text = nullptr)
{
    job->setAutoDelete(false);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kDesktopTimeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!finished)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        // The job may still answer later: it then deletes itself.
        job->setAutoDelete(true);
        g_desktopFailed = true;
        return false;
    }
    const QKeychain::Error e = job->error();
    if (text && e == QKeychain::NoError)
        *text = static_cast<QKeychain::ReadPasswordJob*>(job)->textData();
    job->deleteLater();
    if (e == QKeychain::NoError || e == QKeychain::EntryNotFound)
        return true;
    if (e == QKeychain::NoBackendAvailable || e == QKeychain::NotImplemented || e == QKeychain::AccessDenied
        || e == QKeychain::AccessDeniedByUser)
        g_desktopFailed = true;
    return false;
}

QJsonObject readFile(const QString& path)
{
    QFile f(path);
    if (!f.exists())
        return {};
    // A file that others could read is closed to them before it is read.
    if ((f.permissions() & ~(kOwnerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser)) != 0)
        f.setPermissions(kOwnerOnly);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

bool writeFile(const QString& path, const QJsonObject& all)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    // The temporary file is closed to others before a byte goes into it.
    if (!f.setPermissions(kOwnerOnly)) {
        f.cancelWriting();
        return false;
    }
    f.write(QJsonDocument(all).toJson(QJsonDocument::Compact));
    return f.commit();
}
} // namespace

SecretStore::SecretStore(const QString& fallbackFile) : m_file(fallbackFile) {}

bool SecretStore::desktopStoreUsable()
{
    if (g_desktopFailed || !QCoreApplication::instance())
        return false;
    if (qEnvironmentVariable("TORNALY_SECRET_STORE").compare(QLatin1String("file"), Qt::CaseInsensitive) == 0)
        return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return false;
#endif
    return true;
}

QString SecretStore::read(const QString& key) const
{
    if (desktopStoreUsable()) {
        auto* job = new QKeychain::ReadPasswordJob(kService);
        job->setKey(key);
        QString secret;
        if (runJob(job, &secret) && !secret.isEmpty())
            return secret;
    }
    return readFile(m_file).value(key).toString();
}

bool SecretStore::write(const QString& key, const QString& secret) const
{
    bool inDesktop = false;
    if (desktopStoreUsable()) {
        QKeychain::Job* job = nullptr;
        if (secret.isEmpty()) {
            job = new QKeychain::DeletePasswordJob(kService);
        } else {
            auto* w = new QKeychain::WritePasswordJob(kService);
            w->setTextData(secret);
            job = w;
        }
        job->setKey(key);
        inDesktop = runJob(job);
    }
    QJsonObject all = readFile(m_file);
    if (inDesktop || secret.isEmpty()) {
        // Nothing is left behind in the file once the desktop keeps it.
        if (!all.contains(key))
            return true;
        all.remove(key);
    } else {
        all.insert(key, secret);
    }
    return writeFile(m_file, all);
}

} // namespace tornaly
