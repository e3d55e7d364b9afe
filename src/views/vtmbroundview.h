#pragma once

#include <QWidget>

// A rounded translucent dark panel: the toast and the activity panel.
class VtMBRoundView : public QWidget {
    Q_OBJECT

public:
    explicit VtMBRoundView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
