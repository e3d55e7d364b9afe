// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QVariantMap>

#include <QWidget>
#include <utility>

// A unit's picture in a frame whose colour tells its kind (light type):
// 0 picture only, 1 switched light, 2 dimmer, 3 curtain, 4 master, 5 slave.
class VtLightingImageView : public QWidget {
    Q_OBJECT

public:
    explicit VtLightingImageView(QWidget *parent = nullptr);
    // The 50-point picture at the left of a list row; touches go to the row.
    static VtLightingImageView *rowIcon(QWidget *row, const QPixmap &picture, int lightType);
    // A unit record's picture name and light type (lights 1/2, curtain 3,
    // master 4, slave 5).
    static std::pair<QString, int> pictureOf(const QVariantMap &record);
    void setPicture(const QPixmap &picture, int lightType);
    int lightType() const { return m_type; }
    const QPixmap &picture() const { return m_picture; }

Q_SIGNALS:
    void pressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    int m_type = 0;
};
