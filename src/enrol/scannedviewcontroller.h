// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frame/parentviewcontroller.h"

#include <QList>
#include <QPointer>

class QLabel;
class QPushButton;
class VtConnectStateView;

// The base of both enrolment screens: a reminder box, a footer of buttons
// (tags: -1 for a single button, else 1, 2, …) and a status banner that
// slides in under the bar, stays 3 s and slides out.
class ScannedViewController : public ParentViewController {
    Q_OBJECT

public:
    static constexpr int kButtonHeight = 38;
    static constexpr int kFooterHeight = 120;
    static constexpr int kSlideMilliseconds = 1000;
    static constexpr int kBannerStayMilliseconds = 3000;

    explicit ScannedViewController(const QString &title, QWidget *parent = nullptr);

    void updateDownViewWithTitleArray(const QStringList &titles);
    QList<QPushButton *> footerButtons() const;
    void setShowAlertViewWithImageName(const QString &state, const QString &text);
    void dismissAlertView();
    QWidget *statusBanner() const { return m_statusBanner; }
    QLabel *reminder() const { return m_reminder; }
    // 1: the normal colouring; 2: the failure colouring, after a failed connection.
    void setReminderColouring(int type);
    QWidget *downView() const { return m_downView; }

    // Tag -1 connects; 1 goes back to the scanner; 2 returns to the home screen.
    virtual void footerButtonPressed(int tag);
    virtual void connect() = 0;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // A touch on the background ends the editing of a name.
    void mousePressEvent(QMouseEvent *event) override;

private:
    void layoutFooter();

    QLabel *m_reminder;
    QWidget *m_downView;
    QWidget *m_statusBanner;
    VtConnectStateView *m_statusMark;
    QLabel *m_statusText;
};
