// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

class QPushButton;

// The settings menu under the home screen's main panel: "System Setting"
// over six rows (device management, schedules, Clean All, synchronisation,
// help, about).
class HomeMenuView : public QWidget {
    Q_OBJECT

public:
    enum Row { DeviceManagement = 0, Schedules, CleanAll, SynchronizeData, Help, About, RowCount };
    static constexpr int kHeaderHeight = 40;
    static constexpr int kRowHeight = 50;

    explicit HomeMenuView(QWidget *parent = nullptr);
    QPushButton *row(int index) const { return m_rows.value(index); }
    void reloadData();

Q_SIGNALS:
    void cellButtonPressed(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QPushButton *> m_rows;
};
