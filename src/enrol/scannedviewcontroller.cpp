// SPDX-License-Identifier: GPL-3.0-or-later
#include "scannedviewcontroller.h"

#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "views/vtconnectstateview.h"

#include <QLabel>
#include <QLineEdit>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTimer>

ScannedViewController::ScannedViewController(const QString &title, QWidget *parent)
    : ParentViewController(title, parent), m_reminder(new QLabel(this)),
      m_downView(new QWidget(this)), m_statusBanner(new QWidget(this)),
      m_statusMark(new VtConnectStateView(m_statusBanner)), m_statusText(new QLabel(m_statusBanner))
{
    m_reminder->setObjectName(QStringLiteral("reminder"));
    m_reminder->setWordWrap(true);
    m_reminder->setAlignment(Qt::AlignCenter);
    m_reminder->setText(QStringLiteral("<b>%1</b><br>%2")
                            .arg(tr("Reminder"), tr("Please power on device before connect")));
    setReminderColouring(1);
    m_downView->setObjectName(QStringLiteral("downView"));
    m_statusBanner->setObjectName(QStringLiteral("statusBanner"));
    m_statusBanner->setStyleSheet(QStringLiteral("background: rgb(83, 71, 65);"));
    m_statusText->setStyleSheet(QStringLiteral("color: white; font-size: 15px;"));
    m_statusMark->move(10, 4);
    m_statusBanner->hide();
}

void ScannedViewController::setReminderColouring(int type)
{
    m_reminder->setProperty("colourType", type);
    m_reminder->setStyleSheet(
        type == 1
            ? QStringLiteral("background: white; color: #45403b; border-radius: 8px;")
            : QStringLiteral(
                  "background: rgb(240, 200, 190); color: rgb(150, 40, 30); border-radius: 8px;"));
}

void ScannedViewController::mousePressEvent(QMouseEvent *event)
{
    if (QWidget *focused = focusWidget(); qobject_cast<QLineEdit *>(focused))
        focused->clearFocus();
    ParentViewController::mousePressEvent(event);
}

void ScannedViewController::updateDownViewWithTitleArray(const QStringList &titles)
{
    qDeleteAll(m_downView->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly));
    for (int i = 0; i < titles.size(); ++i) {
        auto *button = new QPushButton(titles.at(i), m_downView);
        const int tag = titles.size() == 1 ? -1 : i + 1;
        button->setProperty("tag", tag);
        button->setObjectName(QStringLiteral("footer%1").arg(tag));
        button->setStyleSheet(QStringLiteral("QPushButton { background: rgb(69, 61, 59); color: "
                                             "white; border-radius: 6px; font-size: 16px; }"));
        QObject::connect(button, &QPushButton::clicked, this,
                         [this, tag] { footerButtonPressed(tag); });
        button->show();
    }
    layoutFooter();
}

QList<QPushButton *> ScannedViewController::footerButtons() const
{
    return m_downView->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly);
}

void ScannedViewController::layoutFooter()
{
    const QList<QPushButton *> buttons = footerButtons();
    const int count = int(buttons.size());
    const int gap =
        count ? qMin(30, (m_downView->height() - kButtonHeight * count) / (count + 1)) : 0;
    for (int i = 0; i < count; ++i)
        buttons.at(i)->setGeometry(20, kButtonHeight * i + gap * (i + 1), m_downView->width() - 40,
                                   kButtonHeight);
}

void ScannedViewController::setShowAlertViewWithImageName(const QString &state, const QString &text)
{
    m_statusMark->setSelectType(state.toInt());
    m_statusText->setText(text);
    m_statusBanner->resize(width(), kBannerHeight);
    m_statusText->setGeometry(42, 0, width() - 52, kBannerHeight);
    m_statusBanner->show();
    m_statusBanner->raise();
    navBar()->raise();
    auto *slide = new QPropertyAnimation(m_statusBanner, "pos", m_statusBanner);
    slide->setDuration(kSlideMilliseconds);
    slide->setStartValue(QPoint(0, NavigationBar::kHeight - kBannerHeight));
    slide->setEndValue(QPoint(0, NavigationBar::kHeight));
    QObject::connect(slide, &QPropertyAnimation::finished, this, [this] {
        QTimer::singleShot(kBannerStayMilliseconds, this, &ScannedViewController::dismissAlertView);
    });
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

void ScannedViewController::dismissAlertView()
{
    auto *slide = new QPropertyAnimation(m_statusBanner, "pos", m_statusBanner);
    slide->setDuration(kSlideMilliseconds);
    slide->setStartValue(m_statusBanner->pos());
    slide->setEndValue(QPoint(0, NavigationBar::kHeight - kBannerHeight));
    QObject::connect(slide, &QPropertyAnimation::finished, m_statusBanner, &QWidget::hide);
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

void ScannedViewController::footerButtonPressed(int tag)
{
    NavigationStack *stack = NavigationStack::of(this);
    if (tag == -1)
        connect();
    else if (tag == 1 && stack)
        stack->popScreen(true); // back to the scanner
    else if (tag == 2 && stack && !stack->screens().isEmpty())
        stack->popToScreen(stack->screens().constFirst(), true);
}

void ScannedViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    m_downView->setGeometry(0, height() - kFooterHeight, width(), kFooterHeight);
    layoutFooter();
}
