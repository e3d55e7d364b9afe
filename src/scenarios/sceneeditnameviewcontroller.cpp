#include "sceneeditnameviewcontroller.h"

#include "scenariooperations.h"
#include "scenepicture.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "views/vtlightingimageview.h"

SceneEditNameViewController::SceneEditNameViewController(const QString &title,
                                                         const QString &imagePath,
                                                         QList<QVariantMap> queue,
                                                         QVariantMap scenario, QWidget *parent)
    : EditNameHCViewController(
          title, imagePath.isEmpty() ? QStringLiteral("icon_choose_small_9.png") : imagePath, -1,
          parent),
      m_queue(std::move(queue)), m_scenario(std::move(scenario))
{
}

void SceneEditNameViewController::pushDelegateSelector(const QString &name)
{
    // The picture is kept as a file of its own; an edit keeps it at once.
    if (const std::optional<QString> path =
            ScenePicture::save(pictureData(pictureView()->picture())))
        m_scenario.insert(Key::imagePath, *path);
    m_scenario.insert(Key::title, name);
    if (!m_scenario.value(Key::id).toString().isEmpty())
        Database::instance()->updateScenarioWithMainID(m_scenario.value(Key::id).toString(),
                                                       m_scenario);
    ScenarioOperations::startNamedQueue(m_queue, name, m_scenario);
}
