#pragma once
#include <QAbstractButton>
#include <QColor>
#include <QList>
#include <QScrollArea>

class QLabel;

namespace tornaly {

// One square tile: a coloured face with a symbol and its caption.
class TileItem : public QAbstractButton {
    Q_OBJECT
public:
    TileItem(const QString& caption, const QColor& colour, const QString& glyph, QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }
    void setTileSize(int size);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    QColor m_colour;
    QString m_glyph;
    int m_size = 105;
    bool m_hover = false;
};

// The start screen of tiles: a title, then groups side by side, each group's
// tiles filling columns from the top, at most six rows (fewer when the window
// is too low for six).
class TileControl : public QScrollArea {
    Q_OBJECT
public:
    explicit TileControl(const QString& title, QWidget* parent = nullptr);

    void addGroup(const QString& caption);
    TileItem* addTile(int group, const QString& id, const QString& caption, const QColor& colour,
                      const QString& glyph);
    QList<TileItem*> tiles(int group) const;
    int groupCount() const { return int(m_groups.size()); }
    int rowCount() const { return m_rows; }

    static constexpr int TileSize = 105;
    static constexpr int MaxRows = 6;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void relayout();

    struct Group {
        QString caption;
        QLabel* label = nullptr;
        QList<TileItem*> tiles;
    };
    QWidget* m_canvas = nullptr;
    QLabel* m_title = nullptr;
    QList<Group> m_groups;
    int m_rows = MaxRows;
};

} // namespace tornaly
