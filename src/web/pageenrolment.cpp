// SPDX-License-Identifier: GPL-3.0-or-later
#include "pageenrolment.h"

#include "namerule.h"
#include "pageerror.h"
#include "webpagetexts.h"

#include "control/appdelegate.h"
#include "control/codedecoder.h"
#include "control/deviceenrolment.h"
#include "control/deviceenrolmentscreen.h"
#include "control/flowcaller.h"
#include "control/transmitterenrolment.h"
#include "control/transmitterenrolmentscreen.h"
#include "store/database.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"

#include <QJsonArray>

// The page's caller for one enrolment: its question and progress go to the
// page's own caller. The enrolment step (how many channels were taken,
// whether the transmitter joined) is told to the page as "enrolled", and is
// the page's outcome; a command that went unanswered or was dropped before
// the step ends it as a failed step, as the app's enrolment screens show it.
// Any other outcome without a step (a refusal) goes to the page's caller.
class PageEnrolment::EnrolmentCaller final : public FlowCaller,
                                             public DeviceEnrolmentScreen,
                                             public TransmitterEnrolmentScreen {
public:
    EnrolmentCaller(const HomeServices &home, std::shared_ptr<FlowCaller> page,
                    std::function<void(const QJsonObject &)> tell, int channelCount,
                    bool transmitter)
        : m_home(home), m_page(std::move(page)), m_tell(std::move(tell)),
          m_channelCount(channelCount), m_transmitter(transmitter)
    {
    }

    void report(const FlowOutcome &outcome) override
    {
        using Kind = FlowOutcome::Kind;
        if (m_stepTold)
            return;
        if (outcome.kind != Kind::NoReply && outcome.kind != Kind::Dropped)
            m_page->report(outcome);
        else if (m_transmitter)
            superBoxAddSucceed(false);
        else
            panelAddSucceed(QString::number(outcome.accepted.value_or(0)));
    }
    bool ask(const QString &message, const QStringList &buttons,
             AlertPresenter::Answer answer) override
    {
        return m_page->ask(message, buttons, std::move(answer));
    }
    void showProgress(double seconds) override { m_page->showProgress(seconds); }
    void stopProgress() override { m_page->stopProgress(); }
    DeviceEnrolmentScreen *deviceEnrolmentStep() override { return this; }
    TransmitterEnrolmentScreen *transmitterEnrolmentStep() override { return this; }

    void panelAddSucceed(const QString &acceptedCount) override
    {
        m_stepTold = true;
        m_tell({{QStringLiteral("type"), QStringLiteral("enrolled")},
                {QStringLiteral("added"), acceptedCount.toInt()},
                {QStringLiteral("of"), m_channelCount}});
    }
    void superBoxAddSucceed(bool succeeded) override
    {
        m_stepTold = true;
        m_tell({{QStringLiteral("type"), QStringLiteral("enrolled")},
                {QStringLiteral("added"), succeeded ? 1 : 0},
                {QStringLiteral("of"), 1}});
        if (succeeded) // as the app goes on: the master's configuration, with the new one
            TransmitterEnrolment(m_home).importConfiguration(m_page);
    }

private:
    HomeServices m_home;
    std::shared_ptr<FlowCaller> m_page;
    std::function<void(const QJsonObject &)> m_tell;
    int m_channelCount;
    bool m_transmitter;
    bool m_stepTold = false;
};

PageEnrolment::PageEnrolment(const HomeServices &home, Tell tell)
    : m_home(home), m_tell(std::move(tell))
{
    m_home.application.setNavigator(this);
}

PageEnrolment::~PageEnrolment()
{
    AppDelegate *app = &m_home.application;
    if (app->navigator() == this)
        app->setNavigator(nullptr);
}

void PageEnrolment::decode(Page page, const QString &language, const QString &code,
                           FlowCaller *caller)
{
    m_decoded.remove(page);
    m_decoding = page; // the decoder opens what it accepted (below) before it returns
    m_decodingCode = code.trimmed().toUpper();
    m_decodingLanguage = language;
    // As the scanner: a transmitter first, then controllers (and more transmitters).
    const QString scanType = m_home.store.readAllSuperBoxInfo().isEmpty()
                                 ? CodeDecoder::kTransmitterMode
                                 : CodeDecoder::kDeviceMode;
    // A refusal is told as the app tells it.
    const bool accepted = CodeDecoder(m_home).decoderWithResult(m_decodingCode, scanType, caller) ==
                          CodeDecoder::Accepted;
    m_decoding = nullptr;
    if (!accepted)
        m_tell(page, {{QStringLiteral("type"), QStringLiteral("decodeRefused")}});
}

QString PageEnrolment::summaryOf(const QString &appSummary) const
{
    const std::optional<CodeDecoder::Decoded> code = CodeDecoder::getNeedString(m_decodingCode);
    if (!code)
        return appSummary;
    const CodeDecoder::Words words = WebPageTexts::wordsOf("CodeDecoder", m_decodingLanguage);
    return code->kind == CodeDecoder::kTransmitterMode
               ? CodeDecoder::transmitterSummary(*code, words)
               : CodeDecoder::controllerSummary(*code, words);
}

void PageEnrolment::pushTransmitterEnrolment(const QString &id, const QString &summary)
{
    if (!m_decoding)
        return; // no page's code: nothing to tell
    m_decoded.insert(m_decoding, Decoded{CodeDecoder::kTransmitterMode, id, 0, m_decodingLanguage});
    const bool master = TransmitterEnrolment(m_home).joinsAsMaster(id);
    m_tell(m_decoding, {{QStringLiteral("type"), QStringLiteral("decoded")},
                        {QStringLiteral("kind"), CodeDecoder::kTransmitterMode},
                        {QStringLiteral("id"), id},
                        {QStringLiteral("summary"), summaryOf(summary)},
                        {QStringLiteral("role"),
                         RecordFactory::transmitterTitle(
                             master, WebPageTexts::wordsOf("RecordFactory", m_decodingLanguage))},
                        {QStringLiteral("master"), master},
                        {QStringLiteral("stored"), TransmitterEnrolment(m_home).isStored(id)},
                        {QStringLiteral("channels"), QJsonArray()}});
}

void PageEnrolment::pushDeviceEnrolment(const QString &id, int groupCount, const QString &control,
                                        const QString &summary)
{
    if (!m_decoding)
        return;
    m_decoded.insert(m_decoding, Decoded{control, id, groupCount, m_decodingLanguage});
    QJsonArray channels;
    for (const QVariantMap &record : DeviceEnrolment(m_home).channelRecords(
             id, groupCount, control, WebPageTexts::wordsOf("DeviceEnrolment", m_decodingLanguage)))
        channels.append(
            QJsonObject{{QStringLiteral("id"), record.value(Key::id).toString()},
                        {QStringLiteral("defaultName"), record.value(Key::showTitle).toString()},
                        // A channel enrolled before keeps its name (empty: none yet).
                        {QStringLiteral("name"), record.value(Key::title).toString()}});
    m_tell(m_decoding, {{QStringLiteral("type"), QStringLiteral("decoded")},
                        {QStringLiteral("kind"), control},
                        {QStringLiteral("id"), id},
                        {QStringLiteral("summary"), summaryOf(summary)},
                        {QStringLiteral("stored"), DeviceEnrolment(m_home).isStored(id)},
                        {QStringLiteral("channels"), channels}});
}

void PageEnrolment::enrol(Page page, const PageRequest::Enrol &request,
                          std::shared_ptr<FlowCaller> caller)
{
    const auto tellPage = [this, page](const QJsonObject &message) { m_tell(page, message); };
    // Only what the decoder accepted last for this page is enrolled: a page
    // cannot name an ID of its own.
    const auto decoded = m_decoded.constFind(page);
    if (decoded == m_decoded.cend() || decoded->id != request.id) {
        tellPage(pageError(QStringLiteral("notDecoded")));
        return;
    }
    for (const QString &name : request.names)
        if (!name.isEmpty()) // an empty name takes the channel's default
            if (const QString refusal = NameRule::refusalOf(name); !refusal.isEmpty()) {
                tellPage(pageError(refusal));
                return;
            }
    if (decoded->kind == CodeDecoder::kTransmitterMode) {
        TransmitterEnrolment(m_home).connect(
            decoded->id,
            std::make_shared<EnrolmentCaller>(m_home, std::move(caller), tellPage, 1, true));
        return;
    }
    QList<QVariantMap> records = DeviceEnrolment(m_home).channelRecords(
        decoded->id, decoded->groupCount, decoded->kind,
        WebPageTexts::wordsOf("DeviceEnrolment", decoded->language));
    // A name left empty keeps the channel's stored one, or takes its default.
    for (qsizetype i = 0; i < records.size() && i < request.names.size(); ++i)
        if (!request.names.at(i).isEmpty())
            records[i].insert(Key::title, request.names.at(i));
    const int channels = int(records.size());
    if (!DeviceEnrolment(m_home).connect(
            records, std::make_shared<EnrolmentCaller>(m_home, std::move(caller), tellPage,
                                                       channels, false)))
        tellPage(pageError(QStringLiteral("notDecoded")));
}
