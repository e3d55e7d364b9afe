// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/flowoutcome.h"
#include "pagerequest.h"

#include "control/homeservices.h"
#include "pendingpictures.h"

#include <QJsonObject>
#include <QList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class FlowCaller;

// An owner's scenario made, changed or deleted from a page through the
// app's scenario flows. The page drives each channel to the state it is to
// keep as it is chosen, as the app's selection does (a controller records
// its present state when it joins); the save sends the membership and
// naming commands alone, as the app sends them, and the store takes the
// scenario when the master has acknowledged it. An edit that changes no
// member sends the naming command alone. Names follow the app's rules; a
// picture is one of the app's ten icons, a photo the page sent (written to
// the picture folder as the app writes a chosen photo, as the scenario goes
// to the home, and removed again when no stored scenario has it in the
// end), or the scenario's photo as it is.
class ScenarioRequests {
public:
    // Where refusals go: the page that asked.
    using Tell = std::function<void(const QJsonObject &message)>;

    ScenarioRequests(const HomeServices &home, Tell tell, PendingPictures *pictures)
        : m_home(home), m_tell(std::move(tell)), m_pictures(pictures)
    {
    }

    static constexpr int kIconCount = 10;
    // "icon_choose_small_N.png" for N from 0 to 9, as the app stores them.
    static bool isIconName(const QString &image);
    // What a page is told of a stored scenario's present name, picture and
    // members: a change or deletion naming another revision was made on a
    // scenario since changed elsewhere, and is refused rather than undo that.
    static QString revisionOf(const QVariantMap &scenario);

    // What the asking page is told when its save, naming or deletion is
    // over, refused here or ended by its flow: {"type": kEnd, "done": bool}.
    // Its caller is to tell that end too (PageSession::caller(kEnd)).
    static constexpr const char *kEnd = "scenarioDone";

    // The flow's outcome goes to caller, the asking page's.
    void save(const PageRequest::SaveScenario &request, std::shared_ptr<FlowCaller> caller);
    void remove(const PageRequest::DeleteScenario &request, std::shared_ptr<FlowCaller> caller);
    // All On or All Off renamed or given a picture, as the app's naming
    // screen does it: stored at once, the name sent to the master.
    void nameBuiltIn(const PageRequest::NameScenario &request, std::shared_ptr<FlowCaller> caller);

private:
    // The page told the error, and that its request is over.
    void refuse(const QString &code, const QString &message = {});
    // The stored user scenario of that number at that revision; nothing
    // (the page told) when there is none, or it has changed since, or a
    // change of it is being sent.
    std::optional<QVariantMap> userScenario(const QString &number, const QString &revision);
    // Each member's record holding the state it is to keep; nothing (the
    // page told) when one is no channel or asks for a state it cannot keep.
    std::optional<QList<QVariantMap>>
    membersInTheirStates(const QList<PageRequest::SaveScenario::Member> &members);

    // Whether the page's picture is one a scenario (that one, when edited) may have.
    bool isPictureFor(const QString &image, const std::optional<QVariantMap> &scenario) const;
    // The imagePath a scenario keeps for the page's picture; nothing (the
    // page told) when a sent photo could not be written. *written: the
    // path of a photo written for it.
    std::optional<QString> imagePathFor(const QString &image,
                                        const std::optional<QVariantMap> &scenario,
                                        QString *written);

    HomeServices m_home;
    Tell m_tell;
    PendingPictures *m_pictures;
    // The numbers of scenarios whose change is still being sent: a new
    // one's is taken though not stored yet (two pages creating at once get
    // two numbers), and a second change of one under way is refused as
    // made on a scenario changed elsewhere.
    std::shared_ptr<QStringList> m_numbersBeingSent = std::make_shared<QStringList>();
    // Every number stored or being sent.
    QStringList takenNumbers() const;
};
