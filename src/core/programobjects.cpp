// SPDX-License-Identifier: GPL-3.0-or-later
#include "programobjects.h"

#include "control/appdelegate.h"
#include "control/configurationimport.h"
#include "control/delegatemanager.h"
#include "control/homeevents.h"
#include "control/livehome.h"
#include "control/livehomefeed.h"
#include "control/staterefresh.h"
#include "control/tcpsocketmanager.h"
#include "control/udpsocketmanager.h"
#include "showalertmanager.h"
#include "store/database.h"

// The store first: everything else may read it. The feedback service after
// the application object whose connection state it shows; the channel after
// both, the import and the state refresh after the channel they use; the
// live home last, fed by the channel's outcomes and the home's events.
ProgramObjects::ProgramObjects()
    : m_store(std::make_unique<Database>()), m_files(std::make_unique<DelegateManager>(*m_store)),
      m_homeEvents(std::make_unique<HomeEvents>()), m_application(std::make_unique<AppDelegate>()),
      m_feedback(std::make_unique<ShowAlertManager>(*m_application)),
      m_channel(std::make_unique<UDPSocketManager>(m_store.get(), m_homeEvents.get(),
                                                   m_application.get())),
      m_import(std::make_unique<TCPSocketManager>(
          m_channel.get(), m_application.get(), m_homeEvents.get(),
          ConfigurationImport(*m_store, *m_files, *m_homeEvents))),
      m_stateRefresh(std::make_unique<StateRefresh>(*m_channel)),
      m_live(std::make_unique<LiveHome>()),
      m_liveFeed(std::make_unique<LiveHomeFeed>(
          m_live.get(),
          [store = m_store.get()] { return LiveHomeFeed::readableChannelIds(*store); },
          [store = m_store.get()] { return LiveHomeFeed::storedMasterId(*store); })),
      m_services{*m_store,   *m_files,  *m_homeEvents,   *m_application, *m_feedback,
                 *m_channel, *m_import, *m_stateRefresh, *m_live}
{
    m_channel->setLinkWatcher(m_feedback.get());
    m_liveFeed->follow(m_channel.get(), m_homeEvents.get());
}

ProgramObjects::~ProgramObjects()
{
    while (!m_frontEnd.empty())
        m_frontEnd.pop_back();
    // The members go in the reverse of their declaration: the order of creation.
}

void ProgramObjects::adopt(std::unique_ptr<QObject> object)
{
    m_frontEnd.push_back(std::move(object));
}
