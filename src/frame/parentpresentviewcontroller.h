// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/reloadablescreen.h"
#include "control/screen.h"

#include <QCoreApplication>
#include <QVariantMap>
#include <QWidget>

class QLineEdit;

// The base of every screen: how it enters and leaves (popType), its
// background, reloading from the store, and the name-field rules.
class ParentPresentViewController : public QWidget, public Screen, public ReloadableScreen {
    Q_OBJECT

public:
    // 0 pushed, 1 pushed from the home menu (slides up), 2 modal.
    enum PopType { Pushed = 0, FromMenu = 1, Modal = 2 };
    static constexpr int kMaxNameLength = 20;

    explicit ParentPresentViewController(QWidget *parent = nullptr);

    int popType() const { return m_popType; }
    void setPopType(int type) { m_popType = type; }
    void updateMainView() override {}

    // Most used first, equal counts in their order (see UseOrdering).
    static QList<QVariantMap> &updateArrayFBTSWithArray(QList<QVariantMap> &records);
    // The widget of the given class that holds this control (a table row).
    static QWidget *getParentCellView(QWidget *control, const char *cellClass);

    // Name fields: at most 20 characters ("Maximum 20 bytes"), and never a
    // "," or anything else the transmitters' protocol cannot carry
    // (CommandLine::isSendableField).
    void attachNameField(QLineEdit *field);
    // What a name field shows after an edit from before to after: after when
    // allowed, before when the edit brought a forbidden character, before cut
    // to 20 when it inserted into a full field (tooLong then set).
    static QString nameFieldText(const QString &before, const QString &after, bool *tooLong);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_popType = Pushed;
};
