// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A one-line label that cuts a text too long for it with "…" and keeps the
// whole text for assistive technology and the tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);
    void setFullText(const QString &text);
    QString fullText() const { return m_fullText; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void elide();

    QString m_fullText;
};
