#pragma once
#include <QByteArray>
#include <QUrl>

namespace tornaly {

// Hands a page to the desktop's browser without writing it to disk: a server
// on the loopback address answers one request for a random, unguessable path
// with the page, then stops. Nothing is served after `lifetimeMs` either.
// Used for pages that carry a login (a self-submitting POST form). Returns
// the address to open; empty when no port could be opened.
QUrl ServeOnce(const QByteArray& html, int lifetimeMs = 120000);

} // namespace tornaly
