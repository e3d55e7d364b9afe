// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scannedviewcontroller.h"

#include "control/deviceenrolmentscreen.h"
#include "control/homeservices.h"

#include <QVariantMap>

class KeyboardAvoidance;
class QLabel;
class QLineEdit;
class VtPagedScrollView;

// Enrols every channel of a scanned controller, each under the name typed
// on its page of the channel strip (or its default name).
class DeviceAddViewController : public ScannedViewController, public DeviceEnrolmentScreen {
    Q_OBJECT

public:
    DeviceAddViewController(const HomeServices &home, const QString &id, int groupCount,
                            const QString &control, const QString &summary,
                            QWidget *parent = nullptr);

    const QList<QVariantMap> &needArray() const { return m_records; }
    QLineEdit *nameField(int tag) const;
    int currentPage() const;
    void showPage(int page);

    void connect() override;
    void panelAddSucceed(const QString &acceptedCount) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    HomeServices m_home;
    void buildPages();
    void layoutContent();
    // The channel pages go just above an on-screen keyboard, and do not
    // swipe while it shows.
    void followKeyboard();
    void showPageNumber(int page);
    void storeName(int index);

    QList<QVariantMap> m_records;
    QLabel *m_summary;
    VtPagedScrollView *m_strip;
    QLabel *m_pageIndicator;
    QList<QLineEdit *> m_fields;
    KeyboardAvoidance *m_keyboard;
};
