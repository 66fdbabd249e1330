#pragma once
#include <QString>

namespace tornaly {

// Where the passwords of database logins are kept, never in the settings
// file: the desktop's secret store (through QtKeychain) when the session has
// one, else `fallbackFile`, a file only its owner may read or write (0600).
// With no session bus (a service, a terminal over ssh, the test programs) the
// desktop store is not tried at all, so that nothing waits for it; a store
// that does not answer within a few seconds is given up for the rest of the
// run. $TORNALY_SECRET_STORE=file forces the file.
class SecretStore {
public:
    explicit SecretStore(const QString& fallbackFile);

    // The secret, or an empty text when none is stored.
    QString read(const QString& key) const;
    // Stores the secret; an empty one removes it. False when it could not be
    // kept anywhere.
    bool write(const QString& key, const QString& secret) const;

    // Whether this run uses the desktop's store.
    static bool desktopStoreUsable();

private:
    QString m_file;
};

} // namespace tornaly
