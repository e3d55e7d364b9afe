// SPDX-License-Identifier: GPL-3.0-or-later
// The whole chain on loopback, for the tests and the benchmark: a mosquitto of
// its own, the simulator with the demo home, the home enrolled into a fresh
// data folder, ardentia-bridge, ardentia-matter, and a Matter controller of
// this process's own. Run it inside a network namespace (see netns.sh): the
// Matter side announces itself with multicast.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { startHome, until as untilPolled } from '../../tests/support/homerig.mjs';

const here = new URL('.', import.meta.url).pathname;
const dir = mkdtempSync(join(tmpdir(), 'ardentia-matter-'));
process.env.MATTER_PATH_ROOT = join(dir, 'controller');
process.env.MATTER_LOG_LEVEL ??= 'error';
process.env.MATTER_MDNS_NETWORKINTERFACE = 'lo';
const { ServerNode } = await import('@matter/main');

// Matter's changes are looked for often: the benchmark times them.
export const until = (check, what, ms = 10000) => untilPolled(check, what, ms, 2);

// Resolves once the child printed a line that matches.
function waitForLine(child, pattern, what) {
  return new Promise((resolve, reject) => {
    let text = '';
    const timer = setTimeout(() => reject(new Error(`timed out waiting for ${what}`)), 20000);
    child.stdout.on('data', (chunk) => {
      text += chunk;
      if (process.env.RIG_VERBOSE) process.stdout.write(chunk);
      const match = text.match(pattern);
      if (match) {
        clearTimeout(timer);
        resolve(match);
      }
    });
    child.once('exit', (code) => reject(new Error(`${what}: exited with ${code}`)));
  });
}

export async function startRig(bin, simulatorArguments = []) {
  const children = [];
  // Whatever happens to this process, nothing it started outlives it.
  process.on('exit', () => children.forEach((child) => child.kill('SIGKILL')));
  const { data, brokerPort, simulator, ctl, simulated } = await startHome(bin, dir, simulatorArguments, children);
  const matterData = join(dir, 'matter');
  // What a failing ardentia-ctl said on stderr.
  const ctlFails = (...args) => {
    try {
      ctl(...args);
    } catch (error) {
      return String(error.stderr);
    }
    throw new Error(`ardentia-ctl ${args.join(' ')} did not fail`);
  };
  let bridge = null;
  const startBridge = () => {
    bridge = spawn(`${bin}/bridge/ardentia-bridge`, ['--interface', 'lo', '--data', data,
      '--port', String(brokerPort), '--link-check-interval', '2'], { stdio: ['ignore', 'ignore', 'inherit'] });
    children.push(bridge);
  };
  const stopBridge = () => new Promise((resolve) => {
    bridge.once('exit', resolve);
    bridge.kill('SIGTERM');
  });
  startBridge();
  let matter = null;
  let matterLog = ''; // what every ardentia-matter started printed
  const startMatter = async () => {
    matter = spawn('node', [join(here, '../src/main.js'), '--data', matterData, '--interface', 'lo',
      '--port', String(brokerPort)], { stdio: ['ignore', 'pipe', 'inherit'], env: { ...process.env, MATTER_PATH_ROOT: '' } });
    children.push(matter);
    matter.stdout.on('data', (chunk) => { matterLog += chunk; });
    await waitForLine(matter, /serving (\d+) endpoints/, 'ardentia-matter');
  };
  await startMatter();
  const controller = await ServerNode.create({ id: 'controller', network: { port: 5550 } });
  await controller.start();

  return {
    dir,
    ctl,
    ctlFails,
    startBridge,
    stopBridge,
    get matter() { return matter; },
    get matterLog() { return matterLog; },
    startMatter,
    controller,
    brokerPort,
    matterData,
    silenceMaster: () => simulator.kill('SIGSTOP'),
    wakeMaster: () => simulator.kill('SIGCONT'),
    simulated,
    publish: (topic, message) => execFileSync('mosquitto_pub', ['-h', '127.0.0.1', '-p', String(brokerPort),
      '-t', topic, '-m', message]),
    async stop() {
      simulator.kill('SIGCONT');
      await controller.close().catch(() => {});
      await Promise.all(children.filter((child) => child.exitCode === null && child.signalCode === null)
        .map((child) => new Promise((resolve) => { child.once('exit', resolve); child.kill('SIGTERM'); })));
      rmSync(dir, { recursive: true, force: true });
    },
  };
}
