// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "enrol/framefeed.h"
#include "views/dismissable.h"
#include "views/focustrap.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;

// A live picture from a frame feed, over the whole window, with "Take" and
// "Cancel" (Esc cancels too). Take hands back the frame on show. When the
// feed fails it says why and only Cancel remains. However it closes, the
// feed is stopped.
class PhotoViewfinder final : public QWidget, public Dismissable {
    Q_OBJECT

public:
    PhotoViewfinder(std::unique_ptr<FrameFeed> feed, QWidget *window);
    ~PhotoViewfinder() override;

    void open();
    QPushButton *takeButton() const { return m_take; }
    QPushButton *cancelButton() const { return m_cancel; }
    QString status() const;
    void dismiss() override { finish(); }

Q_SIGNALS:
    void taken(const QImage &photo);

protected:
    bool focusNextPrevChild(bool next) override { return FocusTrap::cycle(this, next); }
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showFrame(const QImage &frame);
    void showFailure(const QString &reason);
    void showPreview();
    void take();
    void finish();

    std::unique_ptr<FrameFeed> m_feed;
    QLabel *m_preview;
    QLabel *m_status;
    QPushButton *m_cancel;
    QPushButton *m_take;
    QImage m_frame;
    bool m_failed = false;
};
