// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

#include <functional>

// A vertically scrolling column of rows on the screen's background, as the
// list screens use: rows are added to layout().
class TableArea : public QScrollArea {
    Q_OBJECT

public:
    explicit TableArea(QWidget *parent);
    QVBoxLayout *rows() const { return m_layout; }
    QWidget *rowsWidget() const { return widget(); }
    // Replaces the rows with rebuild() and keeps the list where it was. The
    // new rows are laid out at once, so that a row brought into view next is
    // measured where it stands, not on an empty list (which scrolled the
    // list to its top).
    void rebuildRows(const std::function<void()> &rebuild);

private:
    QVBoxLayout *m_layout;
};
