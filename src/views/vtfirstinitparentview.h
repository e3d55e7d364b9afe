// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "movecircleview.h"

#include <QWidget>

#include <functional>

// The start-up overlay: the logo with its circle, over the whole window.
class VtFirstInitParentView : public QWidget {
    Q_OBJECT

public:
    explicit VtFirstInitParentView(QWidget *window);
    MoveCircleView *circle() const { return m_circle; }
    // Fades out over 1.0 s and goes away.
    void fadeOut(std::function<void()> done);

Q_SIGNALS:
    void hideFirstLogoView();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    MoveCircleView *m_circle;
};
