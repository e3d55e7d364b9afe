// SPDX-License-Identifier: GPL-3.0-or-later
// What the home answered to a command sent to the bridge. The bridge answers
// an acknowledged command with the channel's state and a refused or
// unanswered one with an error event naming the command's topic; a scenario
// run is answered by an error event only.

import { scenarioKey } from './homelist.js';

// A controller waits about two seconds for a command's processing plus its
// message retransmissions (some four seconds in all) before it gives the
// device up for lost: a command the home has not answered by then is reported
// as timed out, while the controller still listens.
export const ANSWER_WAIT_MS = 3000;
// The master refuses a scenario run at once; one not refused by then runs.
export const SCENARIO_REFUSAL_MS = 1000;

export class CommandAnswers {
  #pending = new Map(); // endpoint ID -> the commands waiting, oldest first

  // feed: the HomeFeed, whose 'state' and 'failed' events answer commands;
  // while the bridge is away nothing will.
  constructor(feed) {
    feed.on('state', (id, state) => this.#confirmed(id, state));
    feed.on('failed', (id, why, scenario) => this.#refused(scenario ? scenarioKey(id) : id, why));
    feed.on('reachability', () => {
      if (!feed.bridgeOnline) this.failAll('the bridge went away');
    });
  }

  // key: the endpoint ID (a channel's ID, or scenarioKey of a scenario).
  // Resolves with { done: true } once a state that accepts(state) confirms the
  // command, or { done: false, why, timedOut } when it was refused or not
  // answered within ms. With accepts null, no refusal within ms means done.
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
      waiter.timer = setTimeout(() => waiter.finish(accepts
        ? { done: false, timedOut: true, why: 'the home did not answer' } : { done: true }), ms);
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

  // Every command still waiting fails (the broker or the bridge went away).
  failAll(why) {
    for (const list of [...this.#pending.values()]) {
      for (const waiter of [...list]) waiter.finish({ done: false, timedOut: false, why });
    }
  }
}
