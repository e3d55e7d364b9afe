// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenariorequests.h"

#include "namerule.h"
#include "pageerror.h"
#include "setpayload.h"

#include "control/checkmanager.h"
#include "control/devicecommands.h"
#include "control/scenariooperations.h"
#include "control/udpsocketmanager.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/picturefile.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>

namespace {
// The state a member keeps, as its record holds it; nothing for a state a
// scenario cannot keep (a curtain stopping, a dimmer switched on at a level
// it cannot tell).
std::optional<QString> keptState(const QVariantMap &device, const SetPayload::Request &request)
{
    using Action = SetPayload::Request::Action;
    switch (request.action) {
    case Action::Switch:
        if (Channel::isDimmer(device))
            return std::nullopt;
        return request.on ? Value::yes : Value::no;
    case Action::Dim:
        if (request.level < 0)
            return std::nullopt;
        return QString::number(request.level);
    case Action::Move:
        if (request.motion != QLatin1String("0") && request.motion != QLatin1String("1"))
            return std::nullopt;
        return request.motion == QLatin1String("1") ? Value::yes : Value::no;
    }
    return std::nullopt;
}

// Takes the channel to that state: a controller joins a scenario in the state it is in.
void drive(const QVariantMap &device, const SetPayload::Request &request)
{
    using Action = SetPayload::Request::Action;
    if (request.action == Action::Switch)
        DeviceCommands::switchLight(device, request.on);
    else if (request.action == Action::Dim)
        DeviceCommands::dimLight(device, request.level);
    else
        DeviceCommands::moveCurtain(device, request.motion);
}
} // namespace

bool ScenarioRequests::isIconName(const QString &image)
{
    static const QRegularExpression icon(QStringLiteral("^icon_choose_small_\\d\\.png$"));
    return icon.match(image).hasMatch();
}

QString ScenarioRequests::revisionOf(const QVariantMap &scenario)
{
    QStringList fields{scenario.value(Key::title).toString(),
                       scenario.value(Key::imagePath).toString()};
    for (const QVariant &member : RecordFactory::sceneDevices(scenario))
        fields << member.toMap().value(Key::id).toString()
               << member.toMap().value(Key::turnOn).toString();
    const QByteArray digest =
        QCryptographicHash::hash(fields.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.left(8).toHex());
}

std::optional<QVariantMap> ScenarioRequests::userScenario(const QString &number,
                                                          const QString &revision)
{
    const std::optional<QList<QVariantMap>> stored = Database::instance()->scenariosIfReadable();
    if (!stored) {
        m_tell(pageError(QStringLiteral("storeUnreadable")));
        return std::nullopt;
    }
    for (const QVariantMap &scenario : *stored) {
        if (scenario.value(Key::mainID).toString() != number ||
            !RecordFactory::isUserScenario(scenario))
            continue;
        if (revisionOf(scenario) == revision)
            return scenario;
        m_tell(pageError(QStringLiteral("changedElsewhere")));
        return std::nullopt;
    }
    m_tell(pageError(QStringLiteral("noScenario")));
    return std::nullopt;
}

std::optional<QList<QVariantMap>>
ScenarioRequests::membersInTheirStates(const QList<PageRequest::SaveScenario::Member> &members)
{
    QList<QVariantMap> devices;
    QList<SetPayload::Request> states;
    for (const PageRequest::SaveScenario::Member &member : members) {
        const std::optional<QVariantMap> device =
            Database::instance()->deviceRecordWithMainID(member.id);
        // A channel is in a scenario once, in one state.
        const bool again =
            std::any_of(devices.cbegin(), devices.cend(), [&member](const QVariantMap &chosen) {
                return chosen.value(Key::id).toString() == member.id;
            });
        QString why;
        const std::optional<SetPayload::Request> state =
            device && !again ? SetPayload::parse(member.payload, Channel::kindOf(*device), &why)
                             : std::nullopt;
        if (!state) {
            m_tell(pageError(QStringLiteral("badMember"), why.isEmpty() ? member.id : why));
            return std::nullopt;
        }
        devices.append(*device);
        states.append(*state);
    }
    // Only once every member is good is any channel driven.
    for (qsizetype i = 0; i < devices.size(); ++i) {
        const std::optional<QString> kept = keptState(devices.at(i), states.at(i));
        if (!kept) {
            m_tell(pageError(QStringLiteral("badMember"), members.at(i).id));
            return std::nullopt;
        }
        devices[i].insert(Key::turnOn, *kept);
    }
    for (qsizetype i = 0; i < devices.size(); ++i)
        drive(devices.at(i), states.at(i));
    return devices;
}

void ScenarioRequests::save(const PageRequest::SaveScenario &request)
{
    if (const QString refusal = NameRule::refusalOf(request.name); !refusal.isEmpty()) {
        m_tell(pageError(refusal));
        return;
    }
    if (request.members.isEmpty()) {
        m_tell(pageError(QStringLiteral("noMembers")));
        return;
    }
    std::optional<QVariantMap> scenario;
    if (!request.number.isEmpty()) {
        scenario = userScenario(request.number, request.revision);
        if (!scenario)
            return;
    } else if (!UDPSocketManager::instance()->isFreeForUser()) {
        // A new scenario takes the first number the store does not hold yet;
        // one still being sent has not been stored, so its number would be
        // taken twice (and the count of 8 passed).
        m_tell(pageError(QStringLiteral("busy")));
        return;
    } else if (Database::instance()->readAllScenarioInfo().size() >=
               CheckManager::kMaxScenarioRecords) {
        m_tell(pageError(QStringLiteral("maxScenarios")));
        return;
    }
    if (!isPictureFor(request.image, scenario)) {
        m_tell(pageError(QStringLiteral("badPicture")));
        return;
    }
    const std::optional<QList<QVariantMap>> devices = membersInTheirStates(request.members);
    if (!devices)
        return;
    const std::optional<QString> imagePath = imagePathFor(request.image, scenario);
    if (!imagePath)
        return;
    if (!scenario) {
        const QString number = ScenarioOperations::nextScenarioNumber();
        ScenarioOperations::startNamedQueue(
            ScenarioOperations::creationQueue(*devices, number), request.name,
            ScenarioOperations::newScenarioRecord(number, request.name, *imagePath));
        return;
    }
    scenario->insert(Key::title, request.name);
    scenario->insert(Key::imagePath, *imagePath);
    ScenarioOperations::startNamedQueue(ScenarioOperations::editQueue(*scenario, *devices),
                                        request.name, *scenario);
}

bool ScenarioRequests::isPictureFor(const QString &image,
                                    const std::optional<QVariantMap> &scenario) const
{
    if (isIconName(image) || m_pictures->holds(image))
        return true;
    return scenario && !image.isEmpty() &&
           PictureFile::nameOf(scenario->value(Key::imagePath).toString()) == image;
}

std::optional<QString> ScenarioRequests::imagePathFor(const QString &image,
                                                      const std::optional<QVariantMap> &scenario)
{
    if (isIconName(image))
        return image;
    if (const std::optional<QByteArray> photo = m_pictures->take(image)) {
        const std::optional<QString> path = PictureFile::save(*photo);
        if (!path)
            m_tell(pageError(QStringLiteral("pictureNotSaved")));
        m_writtenPhoto = path.value_or(QString());
        return path;
    }
    return scenario->value(Key::imagePath).toString(); // its own photo, kept
}

void ScenarioRequests::dropUnstoredPhoto()
{
    if (m_writtenPhoto.isEmpty())
        return;
    const std::optional<QList<QVariantMap>> stored = Database::instance()->scenariosIfReadable();
    if (!stored)
        return; // a store that cannot be read says nothing about what is in use
    const bool kept = std::any_of(stored->cbegin(), stored->cend(), [this](const QVariantMap &s) {
        return s.value(Key::imagePath).toString() == m_writtenPhoto;
    });
    if (!kept)
        QFile::remove(m_writtenPhoto);
    m_writtenPhoto.clear();
}

void ScenarioRequests::remove(const PageRequest::DeleteScenario &request)
{
    const std::optional<QVariantMap> scenario = userScenario(request.number, request.revision);
    if (scenario && !ScenarioOperations::deleteScenario(*scenario))
        m_tell(pageError(QStringLiteral("deleteFailed")));
}
