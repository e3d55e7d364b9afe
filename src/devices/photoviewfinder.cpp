// SPDX-License-Identifier: GPL-3.0-or-later
#include "photoviewfinder.h"

#include "views/focustrap.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kButtonHeight = 44;
const char *const kButtonStyle =
    "QPushButton { background: white; border-radius: 8px; font-size: 18px; color: #45403b; }"
    "QPushButton:disabled { color: #b0aaa4; }";
} // namespace

PhotoViewfinder::PhotoViewfinder(std::unique_ptr<FrameFeed> feed, QWidget *window)
    : QWidget(window), m_feed(std::move(feed)), m_preview(new QLabel(this)),
      m_status(new QLabel(tr("Starting the camera…"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)), m_take(new QPushButton(tr("Take"), this))
{
    setObjectName(QStringLiteral("photoViewfinder"));
    setGeometry(window->rect());
    window->installEventFilter(this);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumSize(1, 1);
    m_preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_status->setStyleSheet(QStringLiteral("color: white; font-size: 16px;"));
    for (QPushButton *button : {m_cancel, m_take}) {
        button->setFixedHeight(kButtonHeight);
        button->setStyleSheet(QString::fromLatin1(kButtonStyle));
    }
    m_take->setEnabled(false);
    m_take->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_take);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_feed.get(), &FrameFeed::frameArrived, this, &PhotoViewfinder::showFrame);
    connect(m_feed.get(), &FrameFeed::failed, this, &PhotoViewfinder::showFailure);
    connect(m_take, &QPushButton::clicked, this, &PhotoViewfinder::take);
    connect(m_cancel, &QPushButton::clicked, this, &PhotoViewfinder::finish);
}

PhotoViewfinder::~PhotoViewfinder()
{
    m_feed->stop();
}

void PhotoViewfinder::open()
{
    show();
    raise();
    FocusTrap::enter(this);
    setFocus();
    m_feed->start();
}

QString PhotoViewfinder::status() const
{
    return m_status->isVisible() ? m_status->text() : QString();
}

void PhotoViewfinder::showFrame(const QImage &frame)
{
    if (frame.isNull() || m_failed)
        return;
    m_frame = frame;
    m_status->hide();
    m_take->setEnabled(true);
    showPreview();
}

void PhotoViewfinder::showFailure(const QString &reason)
{
    m_failed = true;
    m_feed->stop();
    m_frame = QImage();
    m_preview->clear();
    m_take->setEnabled(false);
    m_status->setText(tr("The camera cannot be used: %1").arg(reason));
    m_status->show();
}

void PhotoViewfinder::showPreview()
{
    if (m_frame.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap picture = QPixmap::fromImage(
        m_frame.scaled(m_preview->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture.setDevicePixelRatio(ratio);
    m_preview->setPixmap(picture);
}

void PhotoViewfinder::take()
{
    if (m_frame.isNull())
        return;
    const QImage photo = m_frame;
    finish();
    Q_EMIT taken(photo);
}

void PhotoViewfinder::finish()
{
    m_feed->stop();
    hide();
    deleteLater();
}

bool PhotoViewfinder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void PhotoViewfinder::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_take->isEnabled())
        take();
    else
        QWidget::keyPressEvent(event);
}

void PhotoViewfinder::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Qt::black);
}

void PhotoViewfinder::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    showPreview();
}
