// SPDX-License-Identifier: GPL-3.0-or-later
// A Matter controller pairs with ardentia-matter, in front of the real
// ardentia-bridge, mosquitto and the simulated demo home, and runs the home:
// the endpoints and their names, commands that reach the home and come back
// confirmed, refused and unanswered ones, renames, removals, reachability,
// scenarios, restarts, the closed pairing window and the removal of a
// controller.
// Run by netns.sh inside a network namespace of its own.
import { readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import mqtt from 'mqtt';
import { startRig, until } from './rig.mjs';

const bin = process.argv[2];
const HALL = '211300001230';
const STAIRS = '211300001231';
const PORCH = '211300001232'; // refuses every switching
const LIVING = '212200004560';
const DINING = '212200004561';
const BEDROOM = '213100007890';

const rig = await startRig(bin, ['--fault', `lig:4:${PORCH}=code:1`]);
const results = [];
async function check(name, test) {
  try {
    await test();
    results.push(true);
    console.log(`PASS ${name}`);
  } catch (error) {
    results.push(false);
    console.log(`FAIL ${name}: ${error.stack ?? error}`);
  }
}
const expect = (condition, message) => { if (!condition) throw new Error(message); };

// The bridge's reports of failed commands, to know a refusal has been handled.
const events = [];
const watcher = mqtt.connect(`mqtt://127.0.0.1:${rig.brokerPort}`);
watcher.on('message', (topic, payload) => events.push(JSON.parse(payload)));
await new Promise((resolve) => watcher.on('connect', resolve));
await watcher.subscribeAsync('ardentia/bridge/event');

let node;
// The bridged endpoints of the paired bridge, by serial number (the channel's ID).
function bridged() {
  const found = new Map();
  for (const endpoint of node.endpoints) {
    try {
      const info = endpoint.maybeStateOf('bridgedDeviceBasicInformation');
      if (info?.serialNumber) found.set(info.serialNumber, endpoint);
    } catch {
      // an endpoint the bridge just removed
    }
  }
  return found;
}
const endpoint = (id) => bridged().get(id);
const state = (id, cluster) => endpoint(id)?.maybeStateOf(cluster);
const run = (id, cluster, command, request) => endpoint(id).commandsOf(cluster)[command](request);
// The status a command came back with: 'success', or the Matter status code.
const statusOf = (...command) => run(...command).then(() => 'success', (error) => error.code ?? String(error));
const FAILURE = 0x01;
const TIMEOUT = 0x94;

try {
  const secrets = join(rig.matterData, 'pairing.json');
  const { passcode, discriminator } = JSON.parse(readFileSync(secrets, 'utf8'));

  await check('the passcode is kept for this service alone', () => {
    expect((statSync(secrets).mode & 0o777) === 0o600, `mode ${(statSync(secrets).mode & 0o777).toString(8)}`);
  });

  await check('pairing is refused while the window is closed', async () => {
    const attempt = rig.controller.peers.commission({ passcode, discriminator, timeout: 3000 });
    const outcome = await attempt.then(() => 'paired', () => 'refused');
    expect(outcome === 'refused', 'a controller paired with the window closed');
  });

  await check('a controller pairs once the window is open', async () => {
    const shown = rig.ctl('--matter', rig.matterData, 'matter-pair');
    const code = shown.match(/setup code (\d{4}-\d{3}-\d{4})/)?.[1];
    expect(code && /^MT:[0-9A-Z.-]+$/m.test(shown) && shown.includes('\u2588'), shown);
    node = await rig.controller.peers.commission({ pairingCode: code.replaceAll('-', ''), timeout: 20000 });
    if (process.env.RIG_VERBOSE) {
      await new Promise((r) => setTimeout(r, 3000));
      console.log('endpoints', [...node.endpoints].map((e) => [e.number, e.id, Object.keys(e.state ?? {})]));
    }
    await until(() => bridged().size >= 9, 'the bridged endpoints');
  });

  await check('every channel and scenario of the demo home is an endpoint with its name', () => {
    const labels = Object.fromEntries([...bridged()].map(([id, e]) =>
      [id, e.stateOf('bridgedDeviceBasicInformation').nodeLabel]));
    for (const [id, label] of [[HALL, 'Hall'], [LIVING, 'Living room'], [BEDROOM, 'Bedroom curtain'],
      ['21310000AB10', 'Study curtain'], ['scenario-1', 'Evening'], ['scenario-2', 'Good morning']]) {
      expect(labels[id] === label, `${id}: ${labels[id]}, not ${label}`);
    }
    expect(state(HALL, 'onOff') && !state(HALL, 'levelControl'), 'Hall is an on/off light');
    expect(state(BEDROOM, 'windowCovering') && !state(BEDROOM, 'onOff'), 'the curtain is a window covering');
    expect(state('scenario-1', 'onOff')?.onOff === false, 'a scenario is a switch, off');
  });

  await check('a dimmer shows the level the home reports', async () => {
    await until(() => state(LIVING, 'levelControl').currentLevel === 152 && state(LIVING, 'onOff').onOff,
      `Living room at 60 % (${state(LIVING, 'levelControl').currentLevel} ${state(LIVING, 'onOff').onOff})`);
  });

  await check('switching and dimming reach the home and come back confirmed', async () => {
    await run(STAIRS, 'onOff', 'on');
    await until(() => rig.simulated(STAIRS).on && state(STAIRS, 'onOff').onOff, 'Stairs on');
    await run(LIVING, 'levelControl', 'moveToLevelWithOnOff', { level: 127, transitionTime: null, optionsMask: {}, optionsOverride: {} });
    await until(() => rig.simulated(LIVING).level === 50 && state(LIVING, 'levelControl').currentLevel === 127, 'Living room at 50 %');
    await run(LIVING, 'onOff', 'off');
    await until(() => !rig.simulated(LIVING).on && !state(LIVING, 'onOff').onOff, 'Living room off');
    await run(LIVING, 'onOff', 'on'); // back to the level it had
    await until(() => rig.simulated(LIVING).level === 50 && state(LIVING, 'onOff').onOff, 'Living room back at 50 %');
  });

  await check('a curtain opens, closes and stops, and says when it moves', async () => {
    await run(BEDROOM, 'windowCovering', 'upOrOpen');
    await until(() => rig.simulated(BEDROOM).position === 100 && state(BEDROOM, 'windowCovering').operationalStatus.lift === 1, 'opening');
    await run(BEDROOM, 'windowCovering', 'stopMotion');
    await until(() => state(BEDROOM, 'windowCovering').operationalStatus.lift === 0, 'stopped');
    await run(BEDROOM, 'windowCovering', 'downOrClose');
    await until(() => rig.simulated(BEDROOM).position === 0 && state(BEDROOM, 'windowCovering').operationalStatus.lift === 2, 'closing');
  });

  await check('a refused command fails and shows the old state', async () => {
    const before = events.length;
    const status = await statusOf(PORCH, 'onOff', 'on');
    expect(status === FAILURE, `the refusal came back as ${status}`);
    // The refusal reaches this watcher and ardentia-matter by separate ways.
    await until(() => events.slice(before).some((e) => e.topic === `ardentia/${PORCH}/set`), 'the refusal from the bridge');
    await run(HALL, 'onOff', 'off'); // a later command's confirmation passes the refusal's
    await until(() => !state(HALL, 'onOff').onOff, 'Hall off');
    expect(!state(PORCH, 'onOff').onOff, 'Porch shown on');
  });

  await check('a silent master: the command times out undone and every endpoint is unreachable, then back', async () => {
    rig.silenceMaster();
    try {
      const status = await statusOf(HALL, 'onOff', 'on');
      expect(status === TIMEOUT, `the unanswered command came back as ${status}`);
      await until(() => [...bridged().values()].every((e) => !e.stateOf('bridgedDeviceBasicInformation').reachable),
        // The command's own wait (10 s) marks its channel; the link check's then the master.
        'every endpoint unreachable', 25000);
      expect(!state(HALL, 'onOff').onOff, 'Hall shown on without a reply');
    } finally {
      rig.wakeMaster();
    }
    await run(HALL, 'onOff', 'on');
    await until(() => [...bridged().values()].every((e) => e.stateOf('bridgedDeviceBasicInformation').reachable)
      && state(HALL, 'onOff').onOff, 'every endpoint reachable again');
  });

  await check('the bridge gone: every endpoint is unreachable until it is back', async () => {
    const reachable = () => [...bridged().values()].map((e) => e.stateOf('bridgedDeviceBasicInformation').reachable);
    await rig.stopBridge();
    await until(() => reachable().every((r) => !r), 'every endpoint unreachable');
    rig.startBridge();
    await until(() => reachable().every((r) => r), 'every endpoint reachable again');
  });

  await check('a rename reaches the label', async () => {
    rig.publish('ardentia/bridge/request/device/rename', JSON.stringify({ id: STAIRS, name: 'Landing' }));
    await until(() => state(STAIRS, 'bridgedDeviceBasicInformation').nodeLabel === 'Landing', 'the new label');
  });

  await check('a scenario run from Matter runs on the home and switches off again', async () => {
    await run('scenario-2', 'onOff', 'on'); // Good morning: curtains open, Hall off
    await until(() => rig.simulated(BEDROOM).position === 100 && !rig.simulated(HALL).on, 'the scenario run');
    await until(() => !state('scenario-2', 'onOff').onOff && !state(HALL, 'onOff').onOff, 'the switch off again');
  });

  await check('a channel removed from the home disappears', async () => {
    rig.ctl('remove', DINING);
    rig.publish('ardentia/bridge/request/sync', '{}');
    await until(() => !bridged().has(DINING), 'Dining table gone');
    expect(bridged().has(HALL), 'the others stay');
  });

  await check('a restart keeps the controller: closed cleanly, its first command at once, its subscription alive', async () => {
    const uniqueIds = () => [...bridged()].map(([id, e]) => [id, e.stateOf('bridgedDeviceBasicInformation').uniqueId]);
    const before = uniqueIds();
    expect(before.every(([id, unique]) => /^[0-9a-f]{32}$/.test(unique) && unique !== id), JSON.stringify(before));
    const first = rig.matter;
    const stopped = Date.now();
    first.kill('SIGTERM');
    const code = await new Promise((resolve) => first.once('exit', resolve));
    expect(code === 0 && Date.now() - stopped < 5000, `ended with ${code} after ${Date.now() - stopped} ms`);
    await rig.startMatter();
    const asked = Date.now();
    await run(HALL, 'onOff', 'on');
    expect(Date.now() - asked < 1000, `the first command took ${Date.now() - asked} ms`);
    await until(() => state(HALL, 'onOff').onOff, 'Hall shown on');
    rig.publish(`ardentia/${HALL}/set`, 'OFF'); // a change the controller did not make
    await until(() => !state(HALL, 'onOff').onOff, 'the subscription reporting Hall off');
    expect(JSON.stringify(uniqueIds()) === JSON.stringify(before), 'unique IDs changed with the restart');
    for (const warning of [/not closed before process exit/, /uniqueId and serialNumber/]) {
      expect(!warning.test(rig.matterLog), `the log says ${warning}`);
    }
  });

  await check('the paired controller is listed', async () => {
    const listed = rig.ctl('--matter', rig.matterData, 'matter-fabrics');
    expect(/^Paired controllers \(1\):\n  1  /.test(listed), listed);
  });

  await check('without controllers the bridge starts afresh, its window closed', async () => {
    expect(rig.ctlFails('--matter', rig.matterData, 'matter-fabrics', 'remove', '9').includes('no controller 9'),
      'an unknown controller removed');
    const first = rig.matter;
    const removed = rig.ctl('--matter', rig.matterData, 'matter-fabrics', 'remove', '1');
    expect(removed.includes('Controller 1 removed'), removed);
    const code = await new Promise((resolve) => first.once('exit', resolve));
    expect(code === 75, `ended with ${code}`);
    expect(!/not closed before process exit/.test(rig.matterLog), 'the restart left its storage open');
    await rig.startMatter();
    const after = rig.ctl('--matter', rig.matterData, 'matter-fabrics');
    expect(after.includes('No controller is paired.'), after);
    const outcome = await rig.controller.peers.commission({ passcode, discriminator, timeout: 3000 })
      .then(() => 'paired', () => 'refused');
    expect(outcome === 'refused', 'paired after the restart without a window');
  });
} finally {
  watcher.end(true);
  await rig.stop();
}
const failed = results.filter((ok) => !ok).length;
console.log(`${results.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
