// SPDX-License-Identifier: GPL-3.0-or-later
// Command from a Matter controller to the state it sees confirmed, over the
// whole chain (ardentia-matter, the bridge, mosquitto, the simulator), and
// ardentia-matter's memory after start and after the commands. Run by
// bench/matter.sh inside a network namespace of its own.
import { readFileSync } from 'node:fs';
import mqtt from 'mqtt';
import { startRig, until } from './rig.mjs';

const bin = process.argv[2];
const count = Number(process.argv[3] ?? 300);
const HALL = '211300001230';

const residentMiB = (pid) => {
  const kib = Number(readFileSync(`/proc/${pid}/status`, 'utf8').match(/VmRSS:\s+(\d+)/)[1]);
  return (kib / 1024).toFixed(1);
};
const percentile = (sorted, share) => sorted[Math.min(sorted.length - 1, Math.ceil(share * sorted.length) - 1)];

const rig = await startRig(bin);
try {
  const afterStart = residentMiB(rig.matter.pid);
  const code = rig.ctl('--matter', rig.matterData, 'matter-pair').match(/setup code (\d{4}-\d{3}-\d{4})/)[1];
  const node = await rig.controller.peers.commission({ pairingCode: code.replaceAll('-', ''), timeout: 20000 });
  let hall;
  await until(() => {
    for (const endpoint of node.endpoints) {
      if (endpoint.maybeStateOf('bridgedDeviceBasicInformation')?.serialNumber === HALL) hall = endpoint;
    }
    return hall;
  }, 'the Hall light');
  const changed = hall.eventsOf('onOff').onOff$Changed;
  // When the command and its confirmation pass the broker: the part of the
  // time that is the bridge's and the home's, not Matter's.
  const watcher = mqtt.connect(`mqtt://127.0.0.1:${rig.brokerPort}`);
  await new Promise((resolve) => watcher.on('connect', resolve));
  await watcher.subscribeAsync([`ardentia/${HALL}`, `ardentia/${HALL}/set`]);
  let setSeen = 0n;
  let stateSeen = 0n;
  watcher.on('message', (topic) => {
    if (topic.endsWith('/set')) setSeen = process.hrtime.bigint();
    else stateSeen = process.hrtime.bigint();
  });
  const latencies = [];
  const homeShares = [];
  const toBroker = [];
  const fromBroker = [];
  for (let i = 0; i < count; i += 1) {
    const want = !hall.stateOf('onOff').onOff;
    const seen = new Promise((resolve) => {
      const listener = (value) => {
        if (value !== want) return;
        changed.off(listener);
        resolve();
      };
      changed.on(listener);
    });
    const start = process.hrtime.bigint();
    await hall.commandsOf('onOff')[want ? 'on' : 'off']();
    await seen;
    const end = process.hrtime.bigint();
    latencies.push(Number(end - start) / 1e6);
    await until(() => stateSeen > setSeen && setSeen > start, 'the state on the broker');
    toBroker.push(Number(setSeen - start) / 1e6);
    homeShares.push(Number(stateSeen - setSeen) / 1e6);
    fromBroker.push(Number(end - stateSeen) / 1e6);
  }
  watcher.end(true);
  latencies.sort((a, b) => a - b);
  for (const list of [homeShares, toBroker, fromBroker]) list.sort((a, b) => a - b);
  const share = (list) => `p50 ${percentile(list, 0.5).toFixed(1)} ms, p99 ${percentile(list, 0.99).toFixed(1)} ms`;
  console.log(`matter: ${count} commands, controller to confirmed state: `
    + `p50 ${percentile(latencies, 0.5).toFixed(1)} ms, p99 ${percentile(latencies, 0.99).toFixed(1)} ms, `
    + `max ${latencies.at(-1).toFixed(1)} ms`);
  console.log(`matter:   controller to the "set" on the broker: ${share(toBroker)}`);
  console.log(`matter:   the bridge and the home ("set" to the state on the broker): ${share(homeShares)}`);
  console.log(`matter:   the state on the broker to the controller: ${share(fromBroker)}`);
  console.log(`matter: ardentia-matter resident memory: ${afterStart} MiB after start, `
    + `${residentMiB(rig.matter.pid)} MiB after the commands`);
} finally {
  await rig.stop();
}
process.exit(0);
