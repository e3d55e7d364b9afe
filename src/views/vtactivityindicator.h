// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

// A spinning white activity indicator, small (bar) or large (window).
class VtActivityIndicator : public QWidget {
    Q_OBJECT

public:
    enum class Size { Small, Large };
    explicit VtActivityIndicator(Size size, QWidget *parent = nullptr);
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_step = 0;
};
