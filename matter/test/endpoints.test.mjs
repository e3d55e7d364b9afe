// SPDX-License-Identifier: GPL-3.0-or-later
// The home's endpoints on a Matter node that is never started (no network):
// a forged device list of thousands of channels is cut to the limit and built
// and removed in slices, while the states of real channels still get through;
// commands succeed only once the home confirmed them.
import assert from 'node:assert/strict';
import { EventEmitter } from 'node:events';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, test } from 'node:test';

const dir = mkdtempSync(join(tmpdir(), 'ardentia-endpoints-'));
process.env.MATTER_PATH_ROOT = dir;
process.env.MATTER_LOG_LEVEL = 'error';
process.env.MATTER_MDNS_NETWORKINTERFACE = 'lo';
const { ServerNode } = await import('@matter/main');
const { AggregatorEndpoint } = await import('@matter/main/endpoints/aggregator');
const { HomeEndpoints } = await import('../src/endpoints.js');
const { MAX_CHANNELS } = await import('../src/homelist.js');

const HALL = '211300001230';
const LIVING = '212200004560';
const BEDROOM = '213100007890';
// The feed: what is sent goes to home.sent; the test answers as the bridge would.
const home = Object.assign(new EventEmitter(), {
  states: new Map(), availability: new Map(), bridgeOnline: true, link: 'online', sent: [],
  setChannel(id, payload) { return this.bridgeOnline && this.sent.push([id, payload]) > 0; },
  runScenario(number) { return this.bridgeOnline && this.sent.push([`scenario ${number}`, 'ON']) > 0; },
});
const logs = [];
const server = await ServerNode.create({ id: 'endpoints-test' });
const aggregator = await server.add(AggregatorEndpoint, { id: 'home' });
const endpoints = new HomeEndpoints(aggregator, home, (line) => logs.push(line),
  { answerWaitMs: 300 });
after(async () => {
  endpoints.close();
  await server.close();
  rmSync(dir, { recursive: true, force: true });
});

// The longest the event loop went without a turn while work ran, counting
// only the time this process was busy in that gap: on a loaded machine a gap
// is also time the process waited for a core, which is not a stall of ours.
async function longestStall(work) {
  let last = performance.now();
  let lastCpu = process.cpuUsage();
  let longest = 0;
  const ticker = setInterval(() => {
    const now = performance.now();
    const cpu = process.cpuUsage(lastCpu);
    longest = Math.max(longest, Math.min(now - last, (cpu.user + cpu.system) / 1000));
    last = now;
    lastCpu = process.cpuUsage();
  }, 2);
  try {
    await work();
  } finally {
    clearInterval(ticker);
  }
  return longest;
}

const hallOn = () => aggregator.parts.get(HALL)?.state.onOff.onOff;
const channel = (id) => ({ id, name: `Channel ${id}`, type: 'light', dimmable: false });

test('a forged list of thousands of channels is cut to the limit, built and removed in slices', async () => {
  await endpoints.follow({ channels: [channel(HALL)] });
  assert.equal(hallOn(), false);
  const forged = { channels: [channel(HALL), ...Array.from({ length: 3000 }, (_, i) => channel(`F${i}`))] };
  const rssBefore = process.memoryUsage().rss;
  let stateShownAfter = null;
  const building = await longestStall(async () => {
    const built = endpoints.follow(forged);
    await new Promise((resolve) => setTimeout(resolve, 50));
    const asked = performance.now();
    home.states.set(HALL, { on: true, open: false });
    await endpoints.showState(HALL, home.states.get(HALL));
    stateShownAfter = performance.now() - asked;
    assert.equal(hallOn(), true);
    await built;
  });
  assert.ok(stateShownAfter < 1000, `a state waited ${Math.round(stateShownAfter)} ms behind the list`);
  assert.ok(building < 1000, `the event loop stalled ${Math.round(building)} ms while building`);
  assert.equal(endpoints.size, MAX_CHANNELS);
  assert.ok(logs.some((line) => line.includes('2601 left out')), logs.join('\n'));
  const grown = (process.memoryUsage().rss - rssBefore) / 2 ** 20;
  assert.ok(grown < 400, `${Math.round(grown)} MB for the forged list`);

  const removing = await longestStall(() => endpoints.follow({ channels: [channel(HALL)] }));
  assert.equal(endpoints.size, 1);
  assert.ok(removing < 1000, `the event loop stalled ${Math.round(removing)} ms while removing`);
});

test('a command succeeds only when the home confirmed it', async () => {
  await endpoints.follow({
    channels: [channel(HALL), { id: LIVING, name: 'Living', type: 'light', dimmable: true },
      { id: BEDROOM, name: 'Bedroom', type: 'cover' }],
    scenarios: [{ number: 1, name: 'Evening' }],
  });
  const state = (id, text) => () => home.emit('state', id, JSON.parse(text));
  const refusal = (id, scenario = false) => () => home.emit('failed', id, 'refused', scenario);
  const ran = (number) => () => home.emit('ran', number);
  const awayBefore = () => {}; // the bridge gone before the command
  const goesAway = () => {
    home.bridgeOnline = false;
    home.emit('reachability');
  };
  const done = { done: true };
  const refused = { done: false, timedOut: false, why: 'refused' };
  const timedOut = { done: false, timedOut: true };
  const notSent = { done: false, timedOut: false, why: 'the bridge is away' };
  for (const [what, key, command, answer, outcome] of [
    ['switched on', HALL, { kind: 'switch', on: true }, state(HALL, '{"on":true}'), done],
    ['refused', HALL, { kind: 'switch', on: true }, refusal(HALL), refused],
    ['another state only', HALL, { kind: 'switch', on: true }, state(HALL, '{"on":false}'), timedOut],
    ['not answered', HALL, { kind: 'switch', on: false }, () => {}, timedOut],
    ['another channel refused', HALL, { kind: 'switch', on: false }, refusal(LIVING), timedOut],
    ['bridge away', HALL, { kind: 'switch', on: true }, awayBefore, notSent],
    ['bridge gone meanwhile', HALL, { kind: 'switch', on: true }, goesAway, { done: false, timedOut: false }],
    ['dimmed', LIVING, { kind: 'level', level: 127 }, state(LIVING, '{"on":true,"brightness":50}'), done],
    ['level out of range', LIVING, { kind: 'level', level: 255 }, () => {}, { done: false, invalid: true }],
    ['a level for a switch', HALL, { kind: 'level', level: 127 }, () => {}, { done: false, invalid: true }],
    ['opened', BEDROOM, { kind: 'move', motion: 'OPEN' }, state(BEDROOM, '{"open":true}'), done],
    ['closing shown open', BEDROOM, { kind: 'move', motion: 'CLOSE' }, state(BEDROOM, '{"open":true}'), timedOut],
    ['stopped', BEDROOM, { kind: 'move', motion: 'STOP' }, state(BEDROOM, '{"open":true}'), done],
    ['scenario ran', 'scenario-1', { kind: 'run' }, ran('1'), done],
    ['scenario refused', 'scenario-1', { kind: 'run' }, refusal('1', true), refused],
    ['scenario not answered', 'scenario-1', { kind: 'run' }, () => {}, timedOut],
    ['another scenario ran', 'scenario-1', { kind: 'run' }, ran('2'), timedOut],
    ['a channel of the scenario\'s number refused, then the run acknowledged', 'scenario-1', { kind: 'run' },
      () => { refusal('1')(); ran('1')(); }, done],
    ['not in the home', 'nothing', { kind: 'switch', on: true }, () => {}, { done: false }],
    ['not carried out', LIVING, { kind: 'unsupported', name: 'move' }, () => {}, { done: false }],
  ]) {
    home.bridgeOnline = answer !== awayBefore;
    home.sent.length = 0;
    const asked = endpoints.handle(key, command);
    await new Promise((resolve) => setImmediate(resolve));
    answer();
    const got = await asked;
    for (const [field, value] of Object.entries(outcome)) assert.equal(got[field], value, `${what}: ${field}`);
    if (outcome === notSent || outcome.invalid) assert.deepEqual(home.sent, [], `${what}: sent`);
  }
});
