// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPushButton;
class VtSimpleSlider;

// What a level slider tells its screen.
class VtSimpleSliderTarget {
public:
    virtual ~VtSimpleSliderTarget() = default;
    // Null when a drag starts; the slider when its value is to be sent.
    virtual void VtSimpleSliderViewTouched(VtSimpleSlider *slider) = 0;
};

// A level slider: a drag moves the knob by width/500 per point of movement
// and sends one value when it ends; minus and plus move it by 10 and send at
// once. The position is a percentage, clamped to 0-100.
class VtSimpleSlider : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonSide = 25;
    static constexpr double kButtonInset = 13.5;

    explicit VtSimpleSlider(QWidget *parent = nullptr);
    void setTarget(VtSimpleSliderTarget *target) { m_target = target; }
    void setRange(double minimum, double maximum);
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double value() const;
    // Clamped to the range; the knob follows.
    void setValue(double value);
    // As a drag to this value would: moved and sent.
    void moveTo(double value);
    double position() const { return m_position; }
    QPushButton *minusButton() const { return m_minus; }
    QPushButton *plusButton() const { return m_plus; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void step(double by);
    void send();
    void valueShown();

    VtSimpleSliderTarget *m_target = nullptr;
    QPushButton *m_minus;
    QPushButton *m_plus;
    double m_minimum = 0;
    double m_maximum = 100;
    double m_position = 0;
    double m_lastX = 0;
    bool m_dragging = false;
    bool m_moved = false;
};
