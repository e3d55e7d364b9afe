// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame/parentviewcontroller.h"

#include <QVariantMap>

class QLabel;

// One unit as the QR code of its ID (which the scanner reads back), with its
// ID and name in text.
class DeviceDetailViewController : public ParentViewController {
    Q_OBJECT

public:
    static constexpr int kPictureSide = 280;

    explicit DeviceDetailViewController(const QVariantMap &detailDictionary,
                                        QWidget *parent = nullptr);
    QImage codeImage() const { return m_code; }
    QString detailText() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_code;
    QLabel *m_text;
};
