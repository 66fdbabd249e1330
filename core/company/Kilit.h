#pragma once
#include <QDate>
#include <QString>

namespace tornaly {

struct SessionContext;

// Dated documents on or before the closed-period lock date are refused.
// An invalid (empty) date and an empty lock date are never locked.
bool IsDateLocked(const SessionContext& ctx, bool warn, const QDate& date);

// The two dates of a sales or purchase document, as distinct types so that
// they cannot be swapped at a call.
struct InvoiceDate {
    QDate value;
};
struct DeliveryNoteDate {
    QDate value;
};
// Delivery-note kinds (type beginning with K, L or İ) test the delivery-note
// date, every other type the invoice date.
bool IsDocDateLocked(const SessionContext& ctx, const QString& docType, bool warn, InvoiceDate invoice,
                     DeliveryNoteDate deliveryNote);

// Login text handed to the separate programs. Passwords never travel on a
// command line: their places carry the empty mark.
QString BuildSessionInfoText(const SessionContext& ctx);

// True for an empty code or one made of 0-9 and A-Z only.
bool IsUpperAlnumCode(const QString& code);

} // namespace tornaly
