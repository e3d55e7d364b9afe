// SPDX-License-Identifier: GPL-3.0-or-later
#include "sceneeditnameviewcontroller.h"

#include "control/scenariooperations.h"
#include "frame/navigationstack.h"
#include "frame/screencaller.h"
#include "sceneviewcontroller.h"
#include "store/picturefile.h"
#include "store/recordkeys.h"
#include "views/vtlightingimageview.h"

SceneEditNameViewController::SceneEditNameViewController(const HomeServices &home,
                                                         const QString &title,
                                                         const QString &imagePath,
                                                         QList<QVariantMap> queue,
                                                         QVariantMap scenario, QWidget *parent)
    : EditNameHCViewController(
          title, imagePath.isEmpty() ? QStringLiteral("icon_choose_small_9.png") : imagePath, -1,
          parent),
      m_home(home), m_queue(std::move(queue)), m_scenario(std::move(scenario))
{
}

void SceneEditNameViewController::pushDelegateSelector(const QString &name)
{
    // The picture is kept as a file of its own; the record takes it, and the
    // name, when the master acknowledges the name.
    if (const std::optional<QString> path =
            PictureFile::save(pictureData(pictureView()->picture())))
        m_scenario.insert(Key::imagePath, *path);
    m_scenario.insert(Key::title, name);
    ScenarioOperations(m_home).startNamedQueue(m_queue, name, m_scenario, ScreenCaller::of(this));
}

Screen *SceneEditNameViewController::scenarioList()
{
    const NavigationStack *stack = NavigationStack::of(this);
    for (Screen *screen : stack ? stack->screens() : QList<Screen *>())
        if (dynamic_cast<SceneViewController *>(screen))
            return screen;
    return nullptr;
}

void SceneEditNameViewController::scenarioChangeAnswered()
{
    NavigationStack *stack = NavigationStack::of(this);
    if (!stack)
        return;
    Screen *list = scenarioList();
    stack->popToScreen(list ? list : stack->screens().constFirst(), true);
}

void SceneEditNameViewController::scenarioNamed()
{
    NavigationStack *stack = NavigationStack::of(this);
    if (Screen *list = scenarioList(); stack && list)
        stack->popToScreen(list, true);
}
