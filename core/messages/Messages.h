#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace tornaly {

enum class MsgIcon { None, Information, Warning, Error, Confirmation };

enum MsgButton : int {
    MsgNone = 0,   // the box was closed without a button
    MsgOk = 1,
    MsgCancel = 2,
    MsgYes = 4,
    MsgNo = 8,
    MsgAbort = 16,
    MsgRetry = 32,
    MsgIgnore = 64,
    MsgAll = 128,
};
using MsgButtons = int;

// Every message box, question and small input of the program goes through
// this service, so that tests can read the exact text and give the answer.
class MessageService {
public:
    virtual ~MessageService() = default;

    // Shows a message; returns the button pressed, or MsgNone when closed.
    virtual MsgButton show(MsgIcon icon, const QString& text, MsgButtons buttons,
                           MsgButton defaultButton, const QString& caption) = 0;
    // Asks for one line of text; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& caption, const QString& prompt,
                                           const QString& initial) = 0;
    // Asks for a file to write; empty when cancelled. The dialog adds
    // `defaultSuffix` to a name without one and asks before replacing a file.
    virtual QString askSaveFile(const QString& caption, const QString& filter, const QString& suggested,
                                const QString& defaultSuffix = {}) = 0;
    // Asks for a file to read; empty when cancelled.
    virtual QString askOpenFile(const QString& caption, const QString& filter) = 0;
};

MessageService& Messages();
// Installs a service (not owned); nullptr goes back to the on-screen one.
void SetMessageService(MessageService* service);

// Short forms for the common boxes.
void ShowInfo(const QString& text);
void ShowWarning(const QString& text);
void ShowError(const QString& text);
bool AskYesNo(const QString& text, MsgButton defaultButton = MsgYes);
// Yes/No/Cancel: returns MsgYes, MsgNo or MsgCancel (a closed box counts as cancel).
MsgButton AskYesNoCancel(const QString& text);

// The shared refusal when a user right does not allow a command.
inline QString NoRightText() { return QStringLiteral("Bu İşlemi Yapmaya Yetkiniz Yok!"); }

// QMessageBox and the standard dialogs, for the running program.
class WidgetMessageService : public MessageService {
public:
    MsgButton show(MsgIcon icon, const QString& text, MsgButtons buttons, MsgButton defaultButton,
                   const QString& caption) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    QString askSaveFile(const QString& caption, const QString& filter, const QString& suggested,
                        const QString& defaultSuffix = {}) override;
    QString askOpenFile(const QString& caption, const QString& filter) override;
};

} // namespace tornaly
