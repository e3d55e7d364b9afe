// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenariorequests.h"

#include "mqtt/setpayload.h"
#include "namerule.h"
#include "pageerror.h"

#include "control/checkmanager.h"
#include "control/devicecommands.h"
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

// Takes the channel to that state: a controller joins a scenario in the state it is in.
void drive(const ScenarioRequests::Member &member, std::shared_ptr<FlowCaller> caller)
{
    using Action = SetPayload::Request::Action;
    const SetPayload::Request &request = member.state;
    if (request.action == Action::Switch)
        DeviceCommands::switchLight(member.device, request.on, std::move(caller));
    else if (request.action == Action::Dim)
        DeviceCommands::dimLight(member.device, request.level, std::move(caller));
    else
        DeviceCommands::moveCurtain(member.device, request.motion, std::move(caller));
}

// One page's scenario change, and the caller of each of its commands: the
// members that join are driven one at a time, each once the home has
// taken the one before (the queue would not hold them all at once), then
// the app's scenario flow goes. The page hears the outcome; a photo
// written for the change that no stored scenario has is removed; a new
// scenario's number is no longer held once the flow is over.
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

    void save(QList<ScenarioRequests::Member> drives, QList<QVariantMap> queue, const QString &name,
              const QVariantMap &scenario)
    {
        m_drives = std::move(drives);
        m_queue = std::move(queue);
        m_name = name;
        m_scenario = scenario;
        afterTheStepsUnderWay([self = shared_from_this()] { self->driveNext(); });
    }
    void remove(const QVariantMap &scenario)
    {
        m_saving = true;
        afterTheStepsUnderWay([self = shared_from_this(), scenario] {
            ScenarioOperations::deleteScenario(scenario, self);
        });
    }

    void report(const FlowOutcome &outcome) override
    {
        if (!m_saving && outcome.isDone()) {
            // After the reply's own follow-up, as an operation list steps.
            m_home.channel.scheduleFollowUp([self = shared_from_this()] { self->driveNext(); });
            return;
        }
        releaseNumber();
        if (!m_saving && outcome.kind == FlowOutcome::Kind::Refused) // nothing joined
            m_page->report(FlowOutcome::refused(
                outcome.code, UDPSocketManager::tr("Setting scenario failed"),
                m_drives.at(m_driven - 1).device.value(Key::title).toString()));
        else
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

    void driveNext()
    {
        if (m_driven < m_drives.size()) {
            drive(m_drives.at(m_driven++), shared_from_this());
            return;
        }
        m_saving = true;
        ScenarioOperations::startNamedQueue(std::move(m_queue), m_name, m_scenario,
                                            shared_from_this());
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
    QList<ScenarioRequests::Member> m_drives;
    qsizetype m_driven = 0;
    bool m_saving = false; // past the drives: the scenario flow's own outcome
    QList<QVariantMap> m_queue;
    QString m_name;
    QVariantMap m_scenario;
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
        m_tell(pageError(refusal));
        return;
    }
    const std::optional<QList<QVariantMap>> stored = m_home.store.scenariosIfReadable();
    if (!stored) {
        m_tell(pageError(QStringLiteral("storeUnreadable")));
        return;
    }
    const auto builtIn = std::find_if(stored->cbegin(), stored->cend(), [&](const QVariantMap &s) {
        return s.value(Key::mainID).toString() == request.number &&
               !RecordFactory::isUserScenario(s);
    });
    if (builtIn == stored->cend()) {
        m_tell(pageError(QStringLiteral("noScenario")));
        return;
    }
    QVariantMap scenario = *builtIn;
    if (!isPictureFor(request.image, scenario)) {
        m_tell(pageError(QStringLiteral("badPicture")));
        return;
    }
    QString photo;
    const std::optional<QString> imagePath = imagePathFor(request.image, scenario, &photo);
    if (!imagePath)
        return;
    scenario.insert(Key::imagePath, *imagePath);
    ScenarioOperations::renameScenario(scenario, request.name, std::move(caller));
}

std::optional<QVariantMap> ScenarioRequests::userScenario(const QString &number,
                                                          const QString &revision)
{
    const std::optional<QList<QVariantMap>> stored = m_home.store.scenariosIfReadable();
    if (!stored) {
        m_tell(pageError(QStringLiteral("storeUnreadable")));
        return std::nullopt;
    }
    for (const QVariantMap &scenario : *stored) {
        if (scenario.value(Key::mainID).toString() != number ||
            !RecordFactory::isUserScenario(scenario))
            continue;
        if (revisionOf(scenario) == revision && !m_numbersBeingSent->contains(number))
            return scenario;
        m_tell(pageError(QStringLiteral("changedElsewhere")));
        return std::nullopt;
    }
    m_tell(pageError(QStringLiteral("noScenario")));
    return std::nullopt;
}

std::optional<QList<ScenarioRequests::Member>>
ScenarioRequests::membersInTheirStates(const QList<PageRequest::SaveScenario::Member> &members)
{
    QList<Member> chosen;
    for (const PageRequest::SaveScenario::Member &member : members) {
        const std::optional<QVariantMap> device = m_home.store.deviceRecordWithMainID(member.id);
        // A channel is in a scenario once, in one state.
        const bool again = std::any_of(chosen.cbegin(), chosen.cend(), [&member](const Member &m) {
            return m.device.value(Key::id).toString() == member.id;
        });
        QString why;
        const std::optional<SetPayload::Request> state =
            device && !again ? SetPayload::parse(member.payload, Channel::kindOf(*device), &why)
                             : std::nullopt;
        const std::optional<QString> kept = state ? keptState(*device, *state) : std::nullopt;
        if (!kept) {
            m_tell(
                pageError(QStringLiteral("badMember"), !state && !why.isEmpty() ? why : member.id));
            return std::nullopt;
        }
        Member good{*device, *state};
        good.device.insert(Key::turnOn, *kept);
        chosen.append(good);
    }
    return chosen;
}

void ScenarioRequests::save(const PageRequest::SaveScenario &request,
                            std::shared_ptr<FlowCaller> caller)
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
    } else if (takenNumbers().size() >= CheckManager::kMaxScenarioRecords) {
        m_tell(pageError(QStringLiteral("maxScenarios")));
        return;
    }
    if (!isPictureFor(request.image, scenario)) {
        m_tell(pageError(QStringLiteral("badPicture")));
        return;
    }
    const std::optional<QList<Member>> members = membersInTheirStates(request.members);
    if (!members)
        return;
    QList<QVariantMap> devices;
    for (const Member &member : *members)
        devices.append(member.device);
    QString photo;
    const std::optional<QString> imagePath = imagePathFor(request.image, scenario, &photo);
    if (!imagePath)
        return;

    QList<QVariantMap> queue;
    QVariantMap record;
    auto flow = std::make_shared<PageScenarioFlow>(m_home, std::move(caller), photo);
    if (scenario) {
        flow->holdNumber(request.number, m_numbersBeingSent);
        queue = ScenarioOperations::editQueue(*scenario, devices);
        record = *scenario;
        record.insert(Key::title, request.name);
        record.insert(Key::imagePath, *imagePath);
    } else {
        const QString number = ScenarioOperations::nextScenarioNumber(*m_numbersBeingSent);
        flow->holdNumber(number, m_numbersBeingSent);
        queue = ScenarioOperations::creationQueue(devices, number);
        record = ScenarioOperations::newScenarioRecord(number, request.name, *imagePath);
    }
    // Driven are the members the flow lets join: new ones, or in another state.
    QList<Member> joining;
    for (const Member &member : *members)
        if (std::any_of(queue.cbegin(), queue.cend(), [&member](const QVariantMap &entry) {
                return entry.value(Key::needCheck).toString() == Value::yes &&
                       entry.value(Key::insertDevice).toMap().value(Key::id) ==
                           member.device.value(Key::id);
            }))
            joining.append(member);
    flow->save(joining, queue, request.name, record);
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
            m_tell(pageError(QStringLiteral("pictureNotSaved")));
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
        m_tell(pageError(QStringLiteral("deleteFailed")));
        return;
    }
    auto flow = std::make_shared<PageScenarioFlow>(m_home, std::move(caller), QString());
    flow->holdNumber(request.number, m_numbersBeingSent);
    flow->remove(*scenario);
}
