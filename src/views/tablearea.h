#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

// A vertically scrolling column of rows on the screen's background, as the
// list screens use: rows are added to layout().
class TableArea : public QScrollArea {
    Q_OBJECT

public:
    explicit TableArea(QWidget *parent);
    QVBoxLayout *rows() const { return m_layout; }
    QWidget *rowsWidget() const { return widget(); }

private:
    QVBoxLayout *m_layout;
};
