// SPDX-License-Identifier: GPL-3.0-or-later
// The home as bridged Matter endpoints under one aggregator: one endpoint a
// channel or scenario, added, renamed and removed as the home changes, showing
// only the states the home confirmed.
import { randomBytes } from 'node:crypto';
import { Endpoint } from '@matter/main';
import { BridgedDeviceBasicInformationServer } from '@matter/main/behaviors/bridged-device-basic-information';
import { DimmableLightDevice } from '@matter/main/devices/dimmable-light';
import { OnOffLightDevice } from '@matter/main/devices/on-off-light';
import { OnOffPlugInUnitDevice } from '@matter/main/devices/on-off-plug-in-unit';
import { WindowCoveringDevice } from '@matter/main/devices/window-covering';
import { ANSWER_WAIT_MS, CommandAnswers } from './answers.js';
import {
  HomeLevelControlServer, HomeLightOnOffServer, HomeWindowCoveringServer, ScenarioOnOffServer,
} from './behaviors.js';
import { MAX_CHANNELS, scenarioKey, wantedEndpoints } from './homelist.js';
import { uniqueIdOf } from './identity.js';
import { homeLevelOf, matterLabel, matterLevelOf } from './levels.js';

const TYPES = {
  switch: OnOffLightDevice.with(BridgedDeviceBasicInformationServer, HomeLightOnOffServer),
  dimmer: DimmableLightDevice.with(BridgedDeviceBasicInformationServer, HomeLightOnOffServer,
    HomeLevelControlServer),
  curtain: WindowCoveringDevice.with(BridgedDeviceBasicInformationServer, HomeWindowCoveringServer),
  scenario: OnOffPlugInUnitDevice.with(BridgedDeviceBasicInformationServer, ScenarioOnOffServer),
};
const MODELS = {
  switch: 'Switch controller', dimmer: 'Dimmer controller', curtain: 'Curtain controller',
  scenario: 'Scenario',
};
const MOVEMENT = { STOPPED: 0, OPENING: 1, CLOSING: 2 };
// Endpoints added, renamed or removed before the event loop gets a turn.
const FOLLOW_SLICE = 4;

export class HomeEndpoints {
  #aggregator;
  #home;
  #log;
  #options;
  #entries = new Map(); // endpoint ID -> { kind, id, name, endpoint }
  #work = Promise.resolve();
  #moves = new Map(); // curtain ID -> the move asked and not yet answered
  #moveTimers = new Map();
  #scenarioTimers = new Map();
  #wanted = new Map(); // what the last device list asks for
  #failed = new Set(); // endpoint IDs matter.js refused, not tried again for this list
  #following = null; // resolves once the endpoints follow #wanted
  #closed = false;
  #answers;

  // home: the HomeFeed; options: { curtainTravelMs, scenarioPulseMs,
  // identityKey (see identity.js; a new one each time by default),
  // answerWaitMs (see answers.js) }.
  constructor(aggregator, home, log, options = {}) {
    this.#aggregator = aggregator;
    this.#home = home;
    this.#log = log;
    this.#options = {
      curtainTravelMs: 30000, scenarioPulseMs: 1000, identityKey: randomBytes(32),
      answerWaitMs: ANSWER_WAIT_MS, ...options,
    };
    this.#answers = new CommandAnswers(home);
  }

  get size() { return this.#entries.size; }

  // Changes to endpoints run one after the other, in the order they came;
  // none once closed.
  #serial(what, job) {
    this.#work = this.#work.then(() => (this.#closed ? undefined : job()))
      .catch((error) => this.#log(`${what}: ${error.message}`));
    return this.#work;
  }

  // Follows the home's device list: endpoints are added, renamed and removed
  // a few at a time, each slice a job of its own with a turn of the event loop
  // after it, so that states and commands get through while a long list is
  // built. A newer list replaces the one being followed. Resolves once the
  // endpoints are what the last list asks for.
  follow(devices) {
    const { endpoints, refused } = wantedEndpoints(devices);
    if (refused) this.#log(`the device list names more than ${MAX_CHANNELS} channels: ${refused} left out`);
    this.#wanted = endpoints;
    this.#failed.clear();
    this.#following ??= new Promise((resolve) => this.#nextSlice(resolve));
    return this.#following;
  }

  #nextSlice(done) {
    let more = false;
    this.#serial('updating the endpoints', async () => { more = await this.#followSlice(); })
      .then(() => setImmediate(() => {
        if (more && !this.#closed) this.#nextSlice(done);
        else {
          this.#following = null;
          done();
        }
      }));
  }

  // One slice of the changes; true while more remain.
  async #followSlice() {
    const wanted = this.#wanted;
    let budget = FOLLOW_SLICE;
    for (const [key, entry] of this.#entries) {
      const want = wanted.get(key);
      if (!want || want.kind !== entry.kind) {
        this.#entries.delete(key);
        this.#forgetTimers(entry.id);
        await entry.endpoint.delete();
        this.#log(`removed ${entry.kind} ${entry.id}`);
      } else if (want.name !== entry.name) {
        entry.name = want.name;
        await entry.endpoint.set({ bridgedDeviceBasicInformation: { nodeLabel: matterLabel(want.name) } });
      } else continue;
      if (--budget === 0) return true;
    }
    for (const [key, want] of wanted) {
      if (this.#entries.has(key) || this.#failed.has(key)) continue;
      try {
        await this.#add(key, want);
      } catch (error) {
        this.#failed.add(key); // not tried again until the next list
        this.#log(`adding ${want.kind} ${want.id}: ${error.message}`);
      }
      if (--budget === 0) return true;
    }
    return false;
  }

  async #add(key, want) {
    const endpoint = new Endpoint(TYPES[want.kind], {
      id: key,
      bridgedDeviceBasicInformation: {
        nodeLabel: matterLabel(want.name),
        productName: MODELS[want.kind],
        serialNumber: key,
        uniqueId: uniqueIdOf(this.#options.identityKey, key),
        reachable: this.#reachable(want),
      },
    });
    await this.#aggregator.add(endpoint);
    const entry = { ...want, endpoint };
    this.#entries.set(key, entry);
    // The state that came before the endpoint (retained states come in any order).
    const state = this.#home.states.get(want.id);
    if (state && want.kind !== 'scenario') await this.#show(entry, state);
  }

  #reachable(entry) {
    const feed = this.#home;
    if (!feed.bridgeOnline) return false;
    if (entry.kind === 'scenario') return feed.link === 'online';
    return feed.availability.get(entry.id) !== false;
  }

  // A confirmed state from the home.
  showState(id, state) {
    const entry = this.#entries.get(id);
    if (!entry) return undefined;
    return this.#serial(`showing the state of ${id}`, () => this.#show(entry, state));
  }

  async #show(entry, state) {
    if (entry.kind === 'switch') await entry.endpoint.set({ onOff: { onOff: state.on } });
    else if (entry.kind === 'dimmer') {
      const level = state.brightness ?? (state.on ? 100 : 0);
      // Off keeps the level the light had: "on" returns to it.
      await entry.endpoint.set(level > 0
        ? { onOff: { onOff: true }, levelControl: { currentLevel: matterLevelOf(level) } }
        : { onOff: { onOff: false } });
    } else if (entry.kind === 'curtain') await this.#moveConfirmed(entry);
  }

  // Every known state again: the clusters set their own start-up values when
  // the node goes online.
  showAll() {
    return this.#serial('showing the states', async () => {
      for (const entry of this.#entries.values()) {
        const state = this.#home.states.get(entry.id);
        if (state && entry.kind !== 'scenario') await this.#show(entry, state);
      }
    });
  }

  // Reachability follows the bridge, the master's link and each channel.
  showReachability() {
    return this.#serial('showing reachability', async () => {
      for (const entry of this.#entries.values()) {
        const reachable = this.#reachable(entry);
        if (entry.endpoint.state.bridgedDeviceBasicInformation.reachable !== reachable) {
          await entry.endpoint.set({ bridgedDeviceBasicInformation: { reachable } });
        }
      }
    });
  }

  // An error the bridge reported for a command: a move it refused stays unconfirmed.
  commandFailed(id, isScenario) {
    if (!isScenario) {
      this.#moves.delete(id);
      return;
    }
    const scenario = this.#entries.get(scenarioKey(id));
    if (scenario) this.#endScenarioRun(scenario);
  }

  // A command from a controller, for the endpoint of that ID: resolves with
  // what the home answered, { done: true } or { done: false, why, timedOut,
  // invalid } (see CommandAnswers).
  async handle(key, command) {
    const refuse = (why, invalid = false) => {
      this.#log(`${why}: nothing sent`);
      return { done: false, why, timedOut: false, invalid };
    };
    const entry = this.#entries.get(key);
    if (!entry) return refuse(`command for an endpoint not in the home (${key})`);
    const { answerWaitMs } = this.#options;
    let accepts;
    switch (command.kind) {
      case 'switch':
        if (!this.#home.setChannel(entry.id, command.on ? 'ON' : 'OFF')) return refuse('the bridge is away');
        accepts = (state) => state.on === command.on;
        break;
      case 'level': {
        const level = homeLevelOf(command.level);
        if (level === null || entry.kind !== 'dimmer') {
          return refuse(`level ${command.level} for ${entry.id} is out of range`, true);
        }
        if (!this.#home.setChannel(entry.id, JSON.stringify({ brightness: level }))) return refuse('the bridge is away');
        accepts = (state) => state.on === level > 0;
        break;
      }
      case 'move':
        if (!this.#home.setChannel(entry.id, command.motion)) return refuse('the bridge is away');
        this.#moves.set(entry.id, command.motion);
        accepts = command.motion === 'STOP' ? () => true : (state) => state.open === (command.motion === 'OPEN');
        break;
      case 'run':
        if (!this.#home.runScenario(entry.id)) return refuse('the bridge is away');
        this.#showScenarioRun(entry);
        return this.#answers.wait(key, null, answerWaitMs);
      default:
        return refuse(`${command.name} for ${entry.id} is not carried out by the home`);
    }
    return this.#answers.wait(key, accepts, answerWaitMs);
  }

  // Shown on while it runs, then off again: a scenario has no state of its own.
  #showScenarioRun(entry) {
    this.#serial(`running scenario ${entry.id}`, () => entry.endpoint.set({ onOff: { onOff: true } }));
    clearTimeout(this.#scenarioTimers.get(entry.id));
    this.#scenarioTimers.set(entry.id,
      setTimeout(() => this.#endScenarioRun(entry), this.#options.scenarioPulseMs));
  }

  #endScenarioRun(entry) {
    clearTimeout(this.#scenarioTimers.get(entry.id));
    this.#scenarioTimers.delete(entry.id);
    if (this.#entries.get(scenarioKey(entry.id)) !== entry) return;
    this.#serial(`ending scenario ${entry.id}`, () => entry.endpoint.set({ onOff: { onOff: false } }));
  }

  // The home acknowledged a move: the curtain is opening or closing for its
  // travel time, or stopped.
  async #moveConfirmed(entry) {
    const motion = this.#moves.get(entry.id);
    if (!motion) return;
    this.#moves.delete(entry.id);
    clearTimeout(this.#moveTimers.get(entry.id));
    const lift = motion === 'OPEN' ? MOVEMENT.OPENING : motion === 'CLOSE' ? MOVEMENT.CLOSING : MOVEMENT.STOPPED;
    await this.#setMovement(entry, lift);
    if (lift !== MOVEMENT.STOPPED) {
      this.#moveTimers.set(entry.id, setTimeout(() => this.#serial(`stopping ${entry.id}`,
        () => this.#setMovement(entry, MOVEMENT.STOPPED)), this.#options.curtainTravelMs));
    }
  }

  async #setMovement(entry, lift) {
    if (this.#entries.get(entry.id) !== entry) return;
    await entry.endpoint.set({ windowCovering: { operationalStatus: { global: lift, lift, tilt: 0 } } });
  }

  #forgetTimers(id) {
    for (const timers of [this.#moveTimers, this.#scenarioTimers]) {
      clearTimeout(timers.get(id));
      timers.delete(id);
    }
    this.#moves.delete(id);
  }

  // Stops following the home: no more changes to the endpoints, and the
  // commands still waiting fail.
  close() {
    this.#closed = true;
    this.#answers.failAll('the bridge is stopping');
    for (const id of [...this.#moveTimers.keys(), ...this.#scenarioTimers.keys()]) this.#forgetTimers(id);
  }
}
