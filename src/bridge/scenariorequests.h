// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagerequest.h"
#include "pendingpictures.h"

#include <QJsonObject>
#include <QList>
#include <QVariantMap>

#include <functional>
#include <optional>

// An owner's scenario made, changed or deleted from a page, as the app's
// scenario screens do it: each chosen channel is driven to the state it is
// to keep (a controller records its present state when it joins), then the
// membership and naming commands go in one operation list, and the store
// takes the scenario when the master has acknowledged it. Names follow the
// app's rules; a picture is one of the app's ten icons, a photo the page
// sent (written to the picture folder as the app writes a chosen photo, as
// the scenario goes to the home), or the scenario's photo as it is.
class ScenarioRequests {
public:
    using Tell = std::function<void(const QJsonObject &message)>;

    ScenarioRequests(Tell tell, PendingPictures *pictures)
        : m_tell(std::move(tell)), m_pictures(pictures)
    {
    }

    static constexpr int kIconCount = 10;
    // "icon_choose_small_N.png" for N from 0 to 9, as the app stores them.
    static bool isIconName(const QString &image);
    // What a page is told of a stored scenario's present name, picture and
    // members: a change or deletion naming another revision was made on a
    // scenario since changed elsewhere, and is refused rather than undo that.
    static QString revisionOf(const QVariantMap &scenario);

    void save(const PageRequest::SaveScenario &request);
    void remove(const PageRequest::DeleteScenario &request);
    // After a refused outcome: the photo written for the last scenario sent
    // is removed unless a stored scenario has it (the home took it after all).
    void dropUnstoredPhoto();

private:
    // The stored user scenario of that number at that revision; nothing
    // (the page told) when there is none, or it has changed since.
    std::optional<QVariantMap> userScenario(const QString &number, const QString &revision);
    // Each member's record in the state it is to keep; nothing (the page
    // told) when one is no channel or asks for a state it cannot keep.
    std::optional<QList<QVariantMap>>
    membersInTheirStates(const QList<PageRequest::SaveScenario::Member> &members);

    // Whether the page's picture is one a scenario (that one, when edited) may have.
    bool isPictureFor(const QString &image, const std::optional<QVariantMap> &scenario) const;
    // The imagePath a scenario keeps for the page's picture; nothing (the
    // page told) when a sent photo could not be written.
    std::optional<QString> imagePathFor(const QString &image,
                                        const std::optional<QVariantMap> &scenario);

    Tell m_tell;
    PendingPictures *m_pictures;
    QString m_writtenPhoto; // the path of the photo written for the last scenario sent
};
