// SPDX-License-Identifier: GPL-3.0-or-later
// What the home answered to a command sent to the bridge. The bridge answers
// an acknowledged command with the channel's state, an acknowledged scenario
// run with a "scenario_ran" event, and a refused or unanswered one with an
// error event naming the command's topic.

import { scenarioKey } from './homelist.js';

// A controller waits about two seconds for a command's processing plus its
// message retransmissions (some four seconds in all) before it gives the
// device up for lost: a command the home has not answered by then is reported
// as timed out, while the controller still listens.
export const ANSWER_WAIT_MS = 3000;

export class CommandAnswers {
  #pending = new Map(); // endpoint ID -> the commands waiting, oldest first

  // feed: the HomeFeed, whose 'state' and 'failed' events answer commands;
  // while the bridge is away nothing will.
  constructor(feed) {
    feed.on('state', (id, state) => this.#confirmed(id, state));
    feed.on('failed', (id, why, scenario) => this.#refused(scenario ? scenarioKey(id) : id, why));
    feed.on('ran', (number) => this.#ran(scenarioKey(number)));
    feed.on('reachability', () => {
      if (!feed.bridgeOnline) this.failAll('the bridge went away');
    });
  }

  // key: the endpoint ID (a channel's ID, or scenarioKey of a scenario).
  // Resolves with { done: true } once a state that accepts(state) confirms the
  // command (a scenario's run: once the bridge says it ran; accepts null), or
  // { done: false, why, timedOut } when it was refused or not answered within ms.
  wait(key, accepts, ms) {
    return new Promise((resolve) => {
      const waiter = { accepts };
      waiter.finish = (outcome) => {
        clearTimeout(waiter.timer);
        const list = this.#pending.get(key) ?? [];
        if (list.includes(waiter)) list.splice(list.indexOf(waiter), 1);
        if (!list.length) this.#pending.delete(key);
        resolve(outcome);
      };
      waiter.timer = setTimeout(
        () => waiter.finish({ done: false, timedOut: true, why: 'the home did not answer' }), ms);
      const list = this.#pending.get(key) ?? [];
      list.push(waiter);
      this.#pending.set(key, list);
    });
  }

  #confirmed(id, state) {
    for (const waiter of [...(this.#pending.get(id) ?? [])]) {
      if (waiter.accepts?.(state)) waiter.finish({ done: true });
    }
  }

  // The bridge reports one failure a command: the oldest waiting takes it.
  #refused(key, why) {
    this.#pending.get(key)?.[0]?.finish({ done: false, timedOut: false, why });
  }

  // One run the master acknowledged: the oldest run waiting is done.
  #ran(key) {
    this.#pending.get(key)?.[0]?.finish({ done: true });
  }

  // Every command still waiting fails (the broker or the bridge went away).
  failAll(why) {
    for (const list of [...this.#pending.values()]) {
      for (const waiter of [...list]) waiter.finish({ done: false, timedOut: false, why });
    }
  }
}
