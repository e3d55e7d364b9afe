// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

// The circle drawn around the logo, one step at a time.
class MoveCircleView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kStepMilliseconds = 20;
    static constexpr double kStepDegrees = 6.0;

    explicit MoveCircleView(QWidget *parent = nullptr);
    void start();
    double angle() const { return m_angle; }
    int steps() const { return m_steps; }

Q_SIGNALS:
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    double m_angle = 0;
    int m_steps = 0;
};
