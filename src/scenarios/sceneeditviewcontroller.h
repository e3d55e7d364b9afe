// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "choosecontrolviewcontroller.h"

// Edits a scenario's devices: the selection screen preloaded with its devices
// and states; only what changed (and the members taken out) is sent.
class SceneEditViewController : public ChooseControlViewController {
    Q_OBJECT

public:
    SceneEditViewController(const HomeServices &home, const QVariantMap &editDictionary,
                            QWidget *parent = nullptr);
    QList<QVariantMap> getEditScenarioArray() override;
    void nextButtonPress() override;

private:
    QVariantMap m_editDictionary;
};
