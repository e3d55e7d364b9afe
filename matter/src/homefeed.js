// SPDX-License-Identifier: GPL-3.0-or-later
// The home as ardentia-bridge serves it on the broker: its device list, each
// channel's confirmed state and availability, the bridge's own state and the
// master's link; commands go back on the bridge's "set" topics.
import { EventEmitter } from 'node:events';
import mqtt from 'mqtt';
import { parseChannelState } from './levels.js';

// The bridge's largest message, its device list, takes some hundred bytes a
// channel: anything far beyond that is dropped before it is read.
export const MAX_MESSAGE_BYTES = 1024 * 1024;

export class HomeFeed extends EventEmitter {
  #client = null;
  #base;
  #options;
  #log;
  bridgeOnline = false;
  devices = null; // the bridge's last device list
  states = new Map(); // channel ID -> its last confirmed state
  link = 'unknown';
  availability = new Map(); // channel ID -> false while it does not answer

  // options: { url, username, password, ca, cert, key, base }
  constructor(options, log) {
    super();
    this.#options = options;
    this.#base = options.base;
    this.#log = log;
  }

  start() {
    const { url, username, password, ca, cert, key } = this.#options;
    this.#client = mqtt.connect(url, {
      username, password, ca, cert, key,
      clientId: `ardentia-matter-${process.pid}`,
      reconnectPeriod: 2000,
      connectTimeout: 10000,
    });
    this.#client.on('connect', () => {
      this.#log('connected to the broker');
      // Small messages go at once (Nagle would hold them for the last one's ACK).
      this.#client.stream?.setNoDelay?.(true);
      this.#client.subscribe([`${this.#base}/bridge/state`, `${this.#base}/bridge/info`,
        `${this.#base}/bridge/devices`, `${this.#base}/bridge/event`, `${this.#base}/+`,
        `${this.#base}/+/availability`], { qos: 0 });
    });
    this.#client.on('close', () => this.#setBridgeOnline(false));
    // One line an outage, not one a reconnection attempt.
    let reported = '';
    this.#client.on('error', (error) => {
      if (error.message !== reported) this.#log(`broker: ${error.message}`);
      reported = error.message;
    });
    this.#client.on('connect', () => { reported = ''; });
    this.#client.on('message', (topic, payload) => {
      if (payload.length > MAX_MESSAGE_BYTES) this.#log(`dropped a message of ${payload.length} bytes on ${printable(topic)}`);
      else this.#onMessage(topic, payload.toString('utf8'));
    });
  }

  #setBridgeOnline(online) {
    if (this.bridgeOnline === online) return;
    this.bridgeOnline = online;
    this.emit('reachability');
  }

  #onMessage(topic, text) {
    if (!topic.startsWith(`${this.#base}/`)) return;
    const levels = topic.slice(this.#base.length + 1).split('/');
    if (levels[0] === 'bridge') {
      this.#onBridgeMessage(levels.slice(1).join('/'), text);
    } else if (levels.length === 1) {
      if (text === '') { // a channel that left the home
        this.states.delete(levels[0]);
        return;
      }
      const state = parseChannelState(text);
      if (state) {
        this.states.set(levels[0], state);
        this.emit('state', levels[0], state);
      }
      else this.#log(`unreadable state for ${printable(levels[0])}: nothing shown`);
    } else if (levels.length === 2 && levels[1] === 'availability') {
      if (text === '') this.availability.delete(levels[0]);
      else this.availability.set(levels[0], text !== 'offline');
      this.emit('reachability');
    }
  }

  #onBridgeMessage(leaf, text) {
    let message = null;
    try {
      message = text ? JSON.parse(text) : null;
    } catch {
      this.#log(`unreadable bridge/${leaf}: ignored`);
      return;
    }
    if (leaf === 'state') {
      this.#setBridgeOnline(message?.state === 'online');
    } else if (leaf === 'info') {
      this.link = typeof message?.link === 'string' ? message.link : 'unknown';
      this.emit('reachability');
    } else if (leaf === 'devices' && message) {
      this.devices = message;
      this.emit('devices', message);
    } else if (leaf === 'event' && typeof message?.topic === 'string' && topicBelongs(message.topic, this.#base)) {
      const match = message.topic.slice(this.#base.length).match(/^\/(scenario\/)?([^/]+)\/set$/);
      if (!match) return;
      const isScenario = match[1] !== undefined;
      // The command of that "set" topic was refused or went unanswered, or
      // the master acknowledged that scenario's run.
      if (message.type === 'error') this.emit('failed', match[2], printable(String(message.message)), isScenario);
      else if (message.type === 'scenario_ran' && isScenario) this.emit('ran', match[2]);
    }
  }

  // Each false when nothing was sent: no broker, or no bridge to hear it.
  setChannel(id, payload) {
    return this.#publish(`${this.#base}/${id}/set`, payload);
  }

  runScenario(number) {
    return this.#publish(`${this.#base}/scenario/${number}/set`, 'ON');
  }

  #publish(topic, payload) {
    if (!this.#client?.connected || !this.bridgeOnline) {
      this.#log(`not sent (${this.#client?.connected ? 'the bridge is' : 'broker'} away): ${topic}`);
      return false;
    }
    this.#client.publish(topic, payload, { qos: 0 });
    return true;
  }

  close() {
    return new Promise((resolve) => (this.#client ? this.#client.end(false, {}, resolve) : resolve()));
  }
}

// Topic levels come from whoever publishes: no control characters reach the log.
const printable = (text) => text.replace(/[\u0000-\u001f\u007f-\u009f]/g, '?');

function topicBelongs(topic, base) {
  return topic.startsWith(`${base}/`);
}
