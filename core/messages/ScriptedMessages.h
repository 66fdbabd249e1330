#pragma once
#include "messages/Messages.h"

#include <QList>
#include <QMutex>
#include <deque>

namespace tornaly {

// A message service for tests: records every box and answers from a script.
// Thread-safe, so that several connections in threads can share it.
class ScriptedMessages : public MessageService {
public:
    struct Entry {
        MsgIcon icon;
        QString text;
        MsgButtons buttons;
        QString caption;
    };

    ScriptedMessages();
    ~ScriptedMessages() override;

    // Answers given to the next boxes, in order. With none left, a box gets
    // OK or Yes (whichever it offers), else its first button.
    void answer(MsgButton button);
    void answerText(std::optional<QString> text);
    void answerFile(const QString& path);

    QList<Entry> entries() const;
    QStringList texts() const;
    QString lastText() const;
    int count() const;
    bool contains(const QString& text) const;
    void clear();

    MsgButton show(MsgIcon icon, const QString& text, MsgButtons buttons, MsgButton defaultButton,
                   const QString& caption) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    QString askSaveFile(const QString& caption, const QString& filter, const QString& suggested,
                        const QString& defaultSuffix = {}) override;
    QString askOpenFile(const QString& caption, const QString& filter) override;

private:
    mutable QMutex m_mutex;
    QList<Entry> m_entries;
    std::deque<MsgButton> m_answers;
    std::deque<std::optional<QString>> m_textAnswers;
    std::deque<QString> m_fileAnswers;
};

} // namespace tornaly
