// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenariorequests.h"

#include "mqtt/setpayload.h"
#include "namerule.h"
#include "pageerror.h"

#include "control/checkmanager.h"
#include "control/flowcaller.h"
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

#include <algorithm>
#include <functional>
#include <memory>

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

// One page's scenario change and the caller of its commands: the app's
// scenario flow goes, after whatever flow is being followed up. The page
// hears the outcome; a photo written for the change that no stored scenario
// has is removed; the scenario's number is no longer held once the flow is
// over.
class PageScenarioFlow final : public FlowCaller,
                               public std::enable_shared_from_this<PageScenarioFlow> {
public:
    PageScenarioFlow(const HomeServices &home, std::shared_ptr<FlowCaller> page, QString photo)
        : m_home(home), m_page(std::move(page)), m_photo(std::move(photo))
    {
    }
    ~PageScenarioFlow() override { releaseNumber(); }

    // The scenario's number, held in numbers until the flow is over.
    void holdNumber(const QString &number, std::shared_ptr<QStringList> numbers)
    {
        numbers->append(number);
        m_number = number;
        m_numbers = std::move(numbers);
    }

    void save(QList<QVariantMap> queue, const QString &name, const QVariantMap &scenario)
    {
        afterTheStepsUnderWay(
            [self = shared_from_this(), queue = std::move(queue), name, scenario]() mutable {
                ScenarioOperations(self->m_home)
                    .startNamedQueue(std::move(queue), name, scenario, self);
            });
    }
    void remove(const QVariantMap &scenario)
    {
        afterTheStepsUnderWay([self = shared_from_this(), scenario] {
            ScenarioOperations(self->m_home).deleteScenario(scenario, self);
        });
    }

    void report(const FlowOutcome &outcome) override
    {
        releaseNumber();
        m_page->report(outcome);
        if (!outcome.isDone())
            dropUnstoredPhoto();
    }
    bool ask(const QString &, const QStringList &, AlertPresenter::Answer) override
    {
        return false; // the scenario flows ask nothing
    }
    void showProgress(double) override {}
    void stopProgress() override {}

private:
    // A flow whose reply is being followed up (its next step due in a
    // moment) keeps its place: this change goes after that step, not
    // between its steps (a scenario's naming, say, would come after this
    // change's own and undo it).
    void afterTheStepsUnderWay(std::function<void()> start)
    {
        UDPSocketManager *channel = &m_home.channel;
        if (channel->pendingFollowUps() > 0)
            channel->scheduleFollowUp(std::move(start));
        else
            start();
    }

    void releaseNumber()
    {
        if (m_numbers)
            m_numbers->removeOne(m_number);
        m_numbers.reset();
    }

    void dropUnstoredPhoto()
    {
        if (m_photo.isEmpty())
            return;
        const std::optional<QList<QVariantMap>> stored = m_home.store.scenariosIfReadable();
        if (!stored)
            return; // a store that cannot be read says nothing about what is in use
        const bool kept =
            std::any_of(stored->cbegin(), stored->cend(), [this](const QVariantMap &s) {
                return s.value(Key::imagePath).toString() == m_photo;
            });
        if (!kept)
            QFile::remove(m_photo);
        m_photo.clear();
    }

    HomeServices m_home;
    std::shared_ptr<FlowCaller> m_page;
    QString m_photo; // written for this change
    QString m_number;
    std::shared_ptr<QStringList> m_numbers;
};
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

void ScenarioRequests::nameBuiltIn(const PageRequest::NameScenario &request,
                                   std::shared_ptr<FlowCaller> caller)
{
    if (const QString refusal = NameRule::refusalOf(request.name); !refusal.isEmpty()) {
        refuse(refusal);
        return;
    }
    const std::optional<QList<QVariantMap>> stored = m_home.store.scenariosIfReadable();
    if (!stored) {
        refuse(QStringLiteral("storeUnreadable"));
        return;
    }
    const auto builtIn = std::find_if(stored->cbegin(), stored->cend(), [&](const QVariantMap &s) {
        return s.value(Key::mainID).toString() == request.number &&
               !RecordFactory::isUserScenario(s);
    });
    if (builtIn == stored->cend()) {
        refuse(QStringLiteral("noScenario"));
        return;
    }
    QVariantMap scenario = *builtIn;
    if (!isPictureFor(request.image, scenario)) {
        refuse(QStringLiteral("badPicture"));
        return;
    }
    QString photo;
    const std::optional<QString> imagePath = imagePathFor(request.image, scenario, &photo);
    if (!imagePath)
        return;
    scenario.insert(Key::imagePath, *imagePath);
    ScenarioOperations(m_home).renameScenario(scenario, request.name, std::move(caller));
}

std::optional<QVariantMap> ScenarioRequests::userScenario(const QString &number,
                                                          const QString &revision)
{
    const std::optional<QList<QVariantMap>> stored = m_home.store.scenariosIfReadable();
    if (!stored) {
        refuse(QStringLiteral("storeUnreadable"));
        return std::nullopt;
    }
    for (const QVariantMap &scenario : *stored) {
        if (scenario.value(Key::mainID).toString() != number ||
            !RecordFactory::isUserScenario(scenario))
            continue;
        if (revisionOf(scenario) == revision && !m_numbersBeingSent->contains(number))
            return scenario;
        refuse(QStringLiteral("changedElsewhere"));
        return std::nullopt;
    }
    refuse(QStringLiteral("noScenario"));
    return std::nullopt;
}

std::optional<QList<QVariantMap>>
ScenarioRequests::membersInTheirStates(const QList<PageRequest::SaveScenario::Member> &members)
{
    QList<QVariantMap> chosen;
    for (const PageRequest::SaveScenario::Member &member : members) {
        const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(member.id);
        // A channel is in a scenario once, in one state.
        const bool again =
            std::any_of(chosen.cbegin(), chosen.cend(), [&member](const QVariantMap &m) {
                return m.value(Key::id).toString() == member.id;
            });
        QString why;
        const std::optional<SetPayload::Request> state =
            device && !again ? SetPayload::parse(member.payload, Channel::kindOf(*device), &why)
                             : std::nullopt;
        const std::optional<QString> kept = state ? keptState(*device, *state) : std::nullopt;
        if (!kept) {
            refuse(QStringLiteral("badMember"), !state && !why.isEmpty() ? why : member.id);
            return std::nullopt;
        }
        QVariantMap good = *device;
        good.insert(Key::turnOn, *kept);
        chosen.append(good);
    }
    return chosen;
}

void ScenarioRequests::save(const PageRequest::SaveScenario &request,
                            std::shared_ptr<FlowCaller> caller)
{
    if (const QString refusal = NameRule::refusalOf(request.name); !refusal.isEmpty()) {
        refuse(refusal);
        return;
    }
    if (request.members.isEmpty()) {
        refuse(QStringLiteral("noMembers"));
        return;
    }
    std::optional<QVariantMap> scenario;
    if (!request.number.isEmpty()) {
        scenario = userScenario(request.number, request.revision);
        if (!scenario)
            return;
    } else if (takenNumbers().size() >= CheckManager::kMaxScenarioRecords) {
        refuse(QStringLiteral("maxScenarios"));
        return;
    }
    if (!isPictureFor(request.image, scenario)) {
        refuse(QStringLiteral("badPicture"));
        return;
    }
    const std::optional<QList<QVariantMap>> devices = membersInTheirStates(request.members);
    if (!devices)
        return;
    QString photo;
    const std::optional<QString> imagePath = imagePathFor(request.image, scenario, &photo);
    if (!imagePath)
        return;

    QList<QVariantMap> queue;
    QVariantMap record;
    auto flow = std::make_shared<PageScenarioFlow>(m_home, std::move(caller), photo);
    if (scenario) {
        flow->holdNumber(request.number, m_numbersBeingSent);
        queue = ScenarioOperations::editQueue(*scenario, *devices);
        record = *scenario;
        record.insert(Key::title, request.name);
        record.insert(Key::imagePath, *imagePath);
    } else {
        const QString number = ScenarioOperations(m_home).nextScenarioNumber(*m_numbersBeingSent);
        flow->holdNumber(number, m_numbersBeingSent);
        queue = ScenarioOperations::creationQueue(*devices, number);
        record = ScenarioOperations::newScenarioRecord(number, request.name, *imagePath);
    }
    flow->save(queue, request.name, record);
}

void ScenarioRequests::refuse(const QString &code, const QString &message)
{
    m_tell(pageError(code, message));
    m_tell(pageEnd(QLatin1String(kEnd), false));
}

QStringList ScenarioRequests::takenNumbers() const
{
    QStringList taken = *m_numbersBeingSent;
    for (const QVariantMap &scenario : m_home.store.readAllScenarioInfo())
        if (!taken.contains(scenario.value(Key::mainID).toString()))
            taken.append(scenario.value(Key::mainID).toString());
    return taken;
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
                                                      const std::optional<QVariantMap> &scenario,
                                                      QString *written)
{
    if (isIconName(image))
        return image;
    if (const std::optional<QByteArray> photo = m_pictures->take(image)) {
        const std::optional<QString> path = PictureFile::save(*photo);
        if (!path)
            refuse(QStringLiteral("pictureNotSaved"));
        *written = path.value_or(QString());
        return path;
    }
    return scenario->value(Key::imagePath).toString(); // its own photo, kept
}

void ScenarioRequests::remove(const PageRequest::DeleteScenario &request,
                              std::shared_ptr<FlowCaller> caller)
{
    const std::optional<QVariantMap> scenario = userScenario(request.number, request.revision);
    if (!scenario)
        return;
    if (RecordFactory::sceneDevices(*scenario).isEmpty()) { // nothing the home could be told
        refuse(QStringLiteral("deleteFailed"));
        return;
    }
    auto flow = std::make_shared<PageScenarioFlow>(m_home, std::move(caller), QString());
    flow->holdNumber(request.number, m_numbersBeingSent);
    flow->remove(*scenario);
}
