// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QStringList>

// One topic of the help list: its title, the base name of its step
// pictures, an optional line above the steps, and the steps.
struct HelpTopic {
    QString title;
    QString imageName;
    QString sectionHeader;
    QStringList needArray;

    // The picture of step n (from 1): "<imageName>_<n>".
    QString stepPictureName(int step) const;
};

// The help list's rows and the topics they open.
class HelpTopics {
    Q_DECLARE_TR_FUNCTIONS(HelpTopics)

public:
    enum Row {
        AddDevice = 0,
        DeleteDevice,
        SetScenario,
        EditScenario,
        InstallationGuide,
        RowCount
    };

    static QStringList rowTitles();
    // Rows 0 to 3; the installation guide has no topic.
    static HelpTopic topic(int row);
    // Row 1 lays its steps out as pictures under a long header.
    static bool usesOtherLayout(int row) { return row == DeleteDevice; }
};
