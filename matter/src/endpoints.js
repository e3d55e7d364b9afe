// SPDX-License-Identifier: GPL-3.0-or-later
// The home as bridged Matter endpoints under one aggregator: one endpoint a
// channel or scenario, added, renamed and removed as the home changes, showing
// only the states the home confirmed.
import { Endpoint } from '@matter/main';
import { BridgedDeviceBasicInformationServer } from '@matter/main/behaviors/bridged-device-basic-information';
import { DimmableLightDevice } from '@matter/main/devices/dimmable-light';
import { OnOffLightDevice } from '@matter/main/devices/on-off-light';
import { OnOffPlugInUnitDevice } from '@matter/main/devices/on-off-plug-in-unit';
import { WindowCoveringDevice } from '@matter/main/devices/window-covering';
import {
  HomeLevelControlServer, HomeLightOnOffServer, HomeWindowCoveringServer, ScenarioOnOffServer,
} from './behaviors.js';
import { scenarioKey, wantedEndpoints } from './homelist.js';
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

  // home: the HomeFeed; options: { curtainTravelMs, scenarioPulseMs }.
  constructor(aggregator, home, log, options = {}) {
    this.#aggregator = aggregator;
    this.#home = home;
    this.#log = log;
    this.#options = { curtainTravelMs: 30000, scenarioPulseMs: 1000, ...options };
  }

  get size() { return this.#entries.size; }

  // Changes to endpoints run one after the other, in the order they came.
  #serial(what, job) {
    this.#work = this.#work.then(job).catch((error) => this.#log(`${what}: ${error.message}`));
    return this.#work;
  }

  follow(devices) {
    return this.#serial('updating the endpoints', () => this.#follow(wantedEndpoints(devices)));
  }

  async #follow(wanted) {
    for (const [key, entry] of [...this.#entries]) {
      const want = wanted.get(key);
      if (!want || want.kind !== entry.kind) {
        this.#entries.delete(key);
        this.#forgetTimers(entry.id);
        await entry.endpoint.delete();
        this.#log(`removed ${entry.kind} ${entry.id}`);
      } else if (want.name !== entry.name) {
        entry.name = want.name;
        await entry.endpoint.set({ bridgedDeviceBasicInformation: { nodeLabel: matterLabel(want.name) } });
      }
    }
    for (const [key, want] of wanted) {
      if (this.#entries.has(key)) continue;
      const endpoint = new Endpoint(TYPES[want.kind], {
        id: key,
        bridgedDeviceBasicInformation: {
          nodeLabel: matterLabel(want.name),
          productName: MODELS[want.kind],
          uniqueId: matterLabel(key),
          serialNumber: matterLabel(key),
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
  }

  #reachable(entry) {
    const feed = this.#home;
    if (!feed.bridgeOnline) return false;
    if (entry.kind === 'scenario') return feed.link !== 'offline';
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
  commandFailed(id) {
    this.#moves.delete(id);
    const scenario = this.#entries.get(scenarioKey(id));
    if (scenario) this.#endScenarioRun(scenario);
  }

  // A command from a controller, for the endpoint of that ID.
  handle(key, command) {
    const entry = this.#entries.get(key);
    if (!entry) {
      this.#log(`command for an endpoint not in the home (${key}): nothing sent`);
      return;
    }
    switch (command.kind) {
      case 'switch':
        this.#home.setChannel(entry.id, command.on ? 'ON' : 'OFF');
        break;
      case 'level': {
        const level = homeLevelOf(command.level);
        if (level === null || entry.kind !== 'dimmer') {
          this.#log(`level ${command.level} for ${entry.id} is out of range: nothing sent`);
          return;
        }
        this.#home.setChannel(entry.id, JSON.stringify({ brightness: level }));
        break;
      }
      case 'move':
        this.#moves.set(entry.id, command.motion);
        this.#home.setChannel(entry.id, command.motion);
        break;
      case 'run':
        this.#runScenario(entry);
        break;
      default:
        this.#log(`${command.name} for ${entry.id} is not carried out by the home: nothing sent`);
    }
  }

  #runScenario(entry) {
    this.#home.runScenario(entry.id);
    // Shown on while it runs, then off again: a scenario has no state of its own.
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

  close() {
    for (const id of [...this.#moveTimers.keys(), ...this.#scenarioTimers.keys()]) this.#forgetTimers(id);
  }
}
