#include "messages/Messages.h"
#include "messages/ScriptedMessages.h"
#include "guard/WaitCursor.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <atomic>

namespace tornaly {

namespace {
std::atomic<MessageService*> g_service{nullptr};

WidgetMessageService& widgetService()
{
    static WidgetMessageService s;
    return s;
}

QString defaultCaption(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Warning: return QStringLiteral("Uyarı");
    case MsgIcon::Error: return QStringLiteral("Hata");
    case MsgIcon::Confirmation: return QStringLiteral("Onay");
    case MsgIcon::Information: return QStringLiteral("Bilgi");
    case MsgIcon::None: break;
    }
    return QApplication::applicationName();
}
} // namespace

MessageService& Messages()
{
    MessageService* s = g_service.load();
    return s ? *s : widgetService();
}

void SetMessageService(MessageService* service) { g_service.store(service); }

void ShowInfo(const QString& text) { Messages().show(MsgIcon::Information, text, MsgOk, MsgOk, {}); }
void ShowWarning(const QString& text) { Messages().show(MsgIcon::Warning, text, MsgOk, MsgOk, {}); }
void ShowError(const QString& text) { Messages().show(MsgIcon::Error, text, MsgOk, MsgOk, {}); }

bool AskYesNo(const QString& text, MsgButton defaultButton)
{
    return Messages().show(MsgIcon::Confirmation, text, MsgYes | MsgNo, defaultButton, {}) == MsgYes;
}

MsgButton AskYesNoCancel(const QString& text)
{
    const MsgButton b = Messages().show(MsgIcon::Confirmation, text, MsgYes | MsgNo | MsgCancel, MsgYes, {});
    return b == MsgNone ? MsgCancel : b;
}

// ---------------------------------------------------------------------------

MsgButton WidgetMessageService::show(MsgIcon icon, const QString& text, MsgButtons buttons,
                                     MsgButton defaultButton, const QString& caption)
{
    NormalCursor normal;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption.isEmpty() ? defaultCaption(icon) : caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::None: break;
    }
    struct Def { MsgButton b; const char* caption; QMessageBox::ButtonRole role; };
    static const Def defs[] = {
        {MsgYes, "&Evet", QMessageBox::YesRole},     {MsgNo, "&Hayır", QMessageBox::NoRole},
        {MsgOk, "Tamam", QMessageBox::AcceptRole},   {MsgCancel, "Vazgeç", QMessageBox::RejectRole},
        {MsgAbort, "İptal", QMessageBox::RejectRole}, {MsgRetry, "Tekrar", QMessageBox::AcceptRole},
        {MsgIgnore, "Yoksay", QMessageBox::AcceptRole}, {MsgAll, "Tümü", QMessageBox::AcceptRole},
    };
    QHash<QAbstractButton*, MsgButton> map;
    for (const Def& d : defs) {
        if (!(buttons & d.b))
            continue;
        QPushButton* pb = box.addButton(QString::fromUtf8(d.caption), d.role);
        map.insert(pb, d.b);
        if (d.b == defaultButton)
            box.setDefaultButton(pb);
    }
    box.exec();
    return map.value(box.clickedButton(), MsgNone);
}

std::optional<QString> WidgetMessageService::askText(const QString& caption, const QString& prompt,
                                                     const QString& initial)
{
    NormalCursor normal;
    bool ok = false;
    const QString s = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                            QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return s;
}

QString WidgetMessageService::askSaveFile(const QString& caption, const QString& filter, const QString& suggested,
                                          const QString& defaultSuffix)
{
    NormalCursor normal;
    QFileDialog dlg(QApplication::activeWindow(), caption, suggested, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // The suffix is added before the dialog's own question about an existing file.
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().constFirst();
}

QString WidgetMessageService::askOpenFile(const QString& caption, const QString& filter)
{
    NormalCursor normal;
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, {}, filter);
}

// ---------------------------------------------------------------------------

ScriptedMessages::ScriptedMessages() = default;
ScriptedMessages::~ScriptedMessages()
{
    if (&Messages() == this)
        SetMessageService(nullptr);
}

void ScriptedMessages::answer(MsgButton button)
{
    QMutexLocker l(&m_mutex);
    m_answers.push_back(button);
}

void ScriptedMessages::answerText(std::optional<QString> text)
{
    QMutexLocker l(&m_mutex);
    m_textAnswers.push_back(std::move(text));
}

void ScriptedMessages::answerFile(const QString& path)
{
    QMutexLocker l(&m_mutex);
    m_fileAnswers.push_back(path);
}

QList<ScriptedMessages::Entry> ScriptedMessages::entries() const
{
    QMutexLocker l(&m_mutex);
    return m_entries;
}

QStringList ScriptedMessages::texts() const
{
    QMutexLocker l(&m_mutex);
    QStringList out;
    for (const auto& e : m_entries)
        out << e.text;
    return out;
}

QString ScriptedMessages::lastText() const
{
    QMutexLocker l(&m_mutex);
    return m_entries.isEmpty() ? QString() : m_entries.last().text;
}

int ScriptedMessages::count() const
{
    QMutexLocker l(&m_mutex);
    return int(m_entries.size());
}

bool ScriptedMessages::contains(const QString& text) const
{
    return texts().contains(text);
}

void ScriptedMessages::clear()
{
    QMutexLocker l(&m_mutex);
    m_entries.clear();
    m_answers.clear();
    m_textAnswers.clear();
    m_fileAnswers.clear();
}

MsgButton ScriptedMessages::show(MsgIcon icon, const QString& text, MsgButtons buttons, MsgButton,
                                 const QString& caption)
{
    QMutexLocker l(&m_mutex);
    m_entries.append({icon, text, buttons, caption});
    if (!m_answers.empty()) {
        const MsgButton b = m_answers.front();
        m_answers.pop_front();
        return b;
    }
    if (buttons & MsgOk)
        return MsgOk;
    if (buttons & MsgYes)
        return MsgYes;
    for (int b = 1; b <= MsgAll; b <<= 1)
        if (buttons & b)
            return MsgButton(b);
    return MsgNone;
}

std::optional<QString> ScriptedMessages::askText(const QString& caption, const QString& prompt, const QString&)
{
    QMutexLocker l(&m_mutex);
    m_entries.append({MsgIcon::None, prompt, MsgOk | MsgCancel, caption});
    if (m_textAnswers.empty())
        return std::nullopt;
    auto t = m_textAnswers.front();
    m_textAnswers.pop_front();
    return t;
}

QString ScriptedMessages::askSaveFile(const QString& caption, const QString& filter, const QString&, const QString&)
{
    QMutexLocker l(&m_mutex);
    m_entries.append({MsgIcon::None, caption, MsgOk | MsgCancel, filter});
    if (m_fileAnswers.empty())
        return {};
    const QString f = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    return f;
}

QString ScriptedMessages::askOpenFile(const QString& caption, const QString& filter)
{
    return askSaveFile(caption, filter, {});
}

} // namespace tornaly
