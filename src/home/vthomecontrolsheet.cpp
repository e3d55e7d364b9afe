// SPDX-License-Identifier: GPL-3.0-or-later
#include "vthomecontrolsheet.h"

#include "base/textnumber.h"
#include "devices/lightstatetext.h"
#include "scenarios/scenepicture.h"
#include "store/recordkeys.h"
#include "views/fade.h"
#include "views/focustrap.h"
#include "views/picturelibrary.h"
#include "views/vtlightingimageview.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace {
constexpr int kButtonHeight = 40;
constexpr int kSliderHeight = 50;
constexpr int kInset = 20;
constexpr int kSpacing = 10;
constexpr int kTitleHeight = 20;
const QColor kPanelColour(209, 199, 189);
const QColor kDim(20, 20, 20);

const char *const kButtonStyle =
    "QPushButton { background: rgb(245, 240, 235); border-radius: 6px; font-size: 17px;"
    " color: rgb(69, 61, 59); }"
    "QPushButton:pressed { background: rgb(225, 215, 205); }"
    "QPushButton:checked { background: rgb(69, 61, 59); color: white; }";
} // namespace

int VtHomeControlSheet::panelHeightFor(const QString &controlType)
{
    if (controlType == QLatin1String("1"))
        return 190;
    if (controlType == QLatin1String("2"))
        return 150;
    if (controlType == QLatin1String("3"))
        return 240;
    return 140;
}

VtHomeControlSheet::VtHomeControlSheet(const QString &controlType, const QString &value,
                                       const QVariantMap &controlDictionary, QWidget *window)
    : QWidget(window), m_controlType(controlType), m_controlDictionary(controlDictionary),
      m_lastLevel(qBound(0, TextNumber::integerValue(value), 100)), m_panel(new QWidget(this))
{
    setObjectName(QStringLiteral("homeControlSheet"));
    setGeometry(window->rect());
    m_panel->setObjectName(QStringLiteral("panel"));
    m_panel->setAutoFillBackground(true);
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::Window, kPanelColour);
    m_panel->setPalette(palette);
    m_panel->setGeometry(0, height(), width(), panelHeightFor(controlType));
    buildIcon();
    buildControls();
}

void VtHomeControlSheet::buildIcon()
{
    QPixmap picture;
    int lightType = 0;
    const QString type = m_controlDictionary.value(Key::type).toString();
    if (type == Value::lighting || type == Value::curtain) {
        const auto [name, kind] = VtLightingImageView::pictureOf(m_controlDictionary);
        picture = PictureLibrary::picture(name, kIconSide);
        lightType = kind;
    } else {
        picture = ScenePicture::fileOrBuiltIn(m_controlDictionary.value(Key::imagePath).toString(),
                                              kIconSide);
    }
    // Centred in the space between the top strip and the panel, less the name's line.
    const int space = height() - kTopStripHeight - panelHeightFor(m_controlType) - kTitleHeight;
    const int top = kTopStripHeight + (space - kIconSide) / 2;
    if (!picture.isNull()) {
        auto *icon = new VtLightingImageView(this);
        icon->setObjectName(QStringLiteral("icon"));
        icon->setAttribute(Qt::WA_TransparentForMouseEvents);
        icon->setFixedSize(kIconSide, kIconSide);
        icon->setPicture(picture, lightType);
        icon->move((width() - kIconSide) / 2, top);
        m_icon = icon;
    }
    auto *title = new QLabel(m_controlDictionary.value(Key::title).toString(), this);
    title->setObjectName(QStringLiteral("title"));
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: white; font-size: 16px;"));
    title->setGeometry(kInset, top + kIconSide, width() - 2 * kInset, kTitleHeight);
}

bool VtHomeControlSheet::hasIcon() const
{
    return m_icon != nullptr;
}

void VtHomeControlSheet::addButton(int tag, const QString &text, const QString &iconPath,
                                   int fromBottom)
{
    auto *button = new QPushButton(text, m_panel);
    button->setObjectName(QStringLiteral("button%1").arg(tag));
    button->setStyleSheet(QString::fromLatin1(kButtonStyle));
    if (!iconPath.isEmpty()) {
        button->setIcon(QIcon(iconPath));
        button->setIconSize(QSize(30, 30));
    }
    button->setGeometry(kInset, m_panel->height() - fromBottom - kButtonHeight,
                        m_panel->width() - 2 * kInset, kButtonHeight);
    connect(button, &QPushButton::clicked, this, [this, tag] { actionSheetButtonPressed(tag); });
}

void VtHomeControlSheet::buildControls()
{
    // "Cancel" 20 points above the panel's bottom; the kind's controls stacked above it.
    addButton(0, tr("Cancel"), QString(), kInset);
    int fromBottom = kInset + kButtonHeight + kSpacing;
    const auto stack = [&](int tag, const QString &text, const QString &icon) {
        addButton(tag, text, icon, fromBottom);
        fromBottom += kButtonHeight + kSpacing;
    };
    if (m_controlType == QLatin1String("1")) {
        stack(1, tr("OFF"), QString());
        stack(2, tr("ON"), QString());
        showSwitchState();
    } else if (m_controlType == QLatin1String("2")) {
        m_slider = new QSlider(Qt::Horizontal, m_panel);
        m_slider->setObjectName(QStringLiteral("slider"));
        m_slider->setRange(0, 100);
        m_slider->setStyleSheet(QStringLiteral(
            "QSlider::groove:horizontal { height: 6px; background: rgb(180, 168, 158);"
            " border-radius: 3px; }"
            "QSlider::sub-page:horizontal { background: rgb(69, 61, 59); border-radius: 3px; }"
            "QSlider::handle:horizontal { background: white; border: 2px solid rgb(69, 61, 59);"
            " width: 20px; margin: -9px 0; border-radius: 12px; }"));
        m_slider->setValue(m_lastLevel);
        m_slider->setAccessibleName(m_controlDictionary.value(Key::title).toString());
        m_slider->setGeometry(kInset, m_panel->height() - fromBottom - kSliderHeight,
                              m_panel->width() - 2 * kInset, kSliderHeight);
        m_level = new QLabel(m_panel);
        m_level->setObjectName(QStringLiteral("level"));
        m_level->setAlignment(Qt::AlignCenter);
        m_level->setStyleSheet(QStringLiteral("color: rgb(69, 61, 59); font-size: 15px;"));
        m_level->setGeometry(kInset, m_slider->y() - kTitleHeight, m_panel->width() - 2 * kInset,
                             kTitleHeight);
        showLevel(m_lastLevel);
        connect(m_slider, &QSlider::valueChanged, this, &VtHomeControlSheet::sliderMovedTo);
        connect(m_slider, &QSlider::valueChanged, this, &VtHomeControlSheet::showLevel);
    } else if (m_controlType == QLatin1String("3")) {
        stack(1, tr("Stop"), QStringLiteral(":/icons/curtain_stop.svg"));
        stack(2, tr("Close"), QStringLiteral(":/icons/curtain_close.svg"));
        stack(3, tr("Open"), QStringLiteral(":/icons/curtain_open.svg"));
    } else {
        stack(1, tr("Enable"), QString());
    }
}

void VtHomeControlSheet::showSwitchState()
{
    // The stored state: the one of ON and OFF the light was last confirmed in.
    const QString turnOn = m_controlDictionary.value(Key::turnOn).toString();
    for (const auto &[tag, state] : {std::pair{1, Value::no}, std::pair{2, Value::yes}}) {
        auto *button = m_panel->findChild<QPushButton *>(QStringLiteral("button%1").arg(tag));
        button->setCheckable(true);
        button->setChecked(turnOn == state);
    }
}

void VtHomeControlSheet::showState(const QString &turnOn)
{
    m_controlDictionary.insert(Key::turnOn, turnOn);
    if (m_controlType == QLatin1String("1")) {
        showSwitchState();
    } else if (m_controlType == QLatin1String("2") && m_slider && !m_slider->isSliderDown()) {
        m_lastLevel = turnOn.toInt();
        const QSignalBlocker quiet(m_slider); // shown, not sent again
        m_slider->setValue(m_lastLevel);
        showLevel(m_lastLevel);
    }
}

void VtHomeControlSheet::showLevel(int level)
{
    m_level->setText(LightStateText::level(level));
}

void VtHomeControlSheet::sliderMovedTo(int level)
{
    const int step = level > m_lastLevel ? 1 : -1;
    while (m_lastLevel != level) {
        m_lastLevel += step;
        Q_EMIT clickedButtonAtIndex(m_lastLevel, m_controlType);
    }
}

void VtHomeControlSheet::show()
{
    QWidget::show();
    raise();
    FocusTrap::enter(this);
    auto *slide = new QPropertyAnimation(m_panel, "pos", this);
    slide->setDuration(kSlideMilliseconds);
    slide->setStartValue(QPoint(0, height()));
    slide->setEndValue(QPoint(0, height() - m_panel->height()));
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

void VtHomeControlSheet::actionSheetButtonPressed(int tag)
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_controlType == QLatin1String("1"))
        showSwitchState(); // a press changes nothing until the home takes it
    // Reported once the sheet has gone, so the delegate sees the screen beneath.
    Fade::outAndRemove(this, kSlideMilliseconds, [this, tag] {
        if (tag > 0)
            Q_EMIT clickedButtonAtIndex(tag, m_controlType);
    });
}

void VtHomeControlSheet::mousePressEvent(QMouseEvent *event)
{
    event->accept(); // nothing under the sheet takes touches while it shows
}

void VtHomeControlSheet::mouseReleaseEvent(QMouseEvent *event)
{
    // The dimmed strip and area above the panel.
    if (event->position().y() < m_panel->y())
        actionSheetButtonPressed(0);
}

void VtHomeControlSheet::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QColor strip = kDim;
    strip.setAlphaF(0.5f);
    painter.fillRect(0, 0, width(), kTopStripHeight, strip);
    QColor area = kDim;
    area.setAlphaF(0.7f);
    painter.fillRect(0, kTopStripHeight, width(), height() - kTopStripHeight, area);
}
