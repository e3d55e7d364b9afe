// The programs a web remote needs, on loopback: a mosquitto of its own, the
// simulator (on the fixed ports), the home enrolled into a fresh data folder,
// and the bridge serving the remote; ctl() runs ardentia-ctl on that folder.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir, userInfo } from 'node:os';
import { join } from 'node:path';

const freePort = () => new Promise((resolve) => {
  const server = createServer().listen(0, '127.0.0.1', () => {
    const { port } = server.address();
    server.close(() => resolve(port));
  });
});
export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

export async function until(check, what, ms = 10000) {
  const end = Date.now() + ms;
  while (Date.now() < end) {
    if (await check()) return;
    await sleep(20);
  }
  throw new Error(`timed out waiting for ${what}`);
}

export async function startRig(bin, simulatorArguments = []) {
  const dir = mkdtempSync(join(tmpdir(), 'ardentia-web-'));
  const data = join(dir, 'data');
  const children = [];
  const brokerPort = await freePort();
  writeFileSync(join(dir, 'mosquitto.conf'), `listener ${brokerPort} 127.0.0.1\nallow_anonymous true\n`
    + `persistence false\nset_tcp_nodelay true\nuser ${userInfo().username}\n`);
  children.push(spawn('mosquitto', ['-c', join(dir, 'mosquitto.conf')], { stdio: 'ignore' }));
  const simulator = spawn(`${bin}/simulator/ardentia-transmitter`, ['--quiet', '--demo',
    '--state', join(dir, 'home.json'), ...simulatorArguments], { stdio: ['ignore', 'pipe', 'inherit'] });
  children.push(simulator);
  await new Promise((resolve) => simulator.stdout.once('data', resolve));
  const ctl = (...args) => execFileSync(`${bin}/cli/ardentia-ctl`,
    ['--interface', 'lo', '--data', data, ...args], { encoding: 'utf8' });
  ctl('add-transmitter', '20AA10000001');
  const webPort = await freePort();
  const base = `http://127.0.0.1:${webPort}`;
  children.push(spawn(`${bin}/bridge/ardentia-bridge`, ['--interface', 'lo', '--data', data,
    '--port', String(brokerPort), '--web-listen', `127.0.0.1:${webPort}`],
  { stdio: ['ignore', 'inherit', 'inherit'] }));
  await until(async () => (await fetch(base).catch(() => null))?.status === 401, 'the bridge');
  return {
    base,
    ctl,
    // A fresh one-time pairing link.
    pairingLink: () => ctl('web-pair', base).match(/http\S+\/pair\?code=\w+/)[0],
    simulated: (id) => JSON.parse(readFileSync(join(dir, 'home.json'), 'utf8'))
      .channels.find((channel) => channel.id === id),
    stop() {
      for (const child of children) child.kill('SIGTERM');
      setTimeout(() => rmSync(dir, { recursive: true, force: true }), 500);
    },
  };
}
