// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/productinfo.h"
#include "frame/parentviewcontroller.h"

class QLabel;

// The app's icon, name and motto, the maker's logo and legal line, the
// support number and the version.
class AboutUSViewController : public ParentViewController {
    Q_OBJECT

public:
    static inline const QString kDisplayName = ProductInfo::displayName;
    static inline const QString kSupportNumber = ProductInfo::supportNumber;

    explicit AboutUSViewController(QWidget *parent = nullptr);
    static QString supportLine();
    static QString versionLine();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *line(const QString &text, int pixelSize, const char *name);

    QLabel *m_icon;
    QLabel *m_name;
    QLabel *m_motto;
    QLabel *m_logo;
    QLabel *m_legal;
    QLabel *m_support;
    QLabel *m_version;
};
