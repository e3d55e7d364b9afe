// SPDX-License-Identifier: GPL-3.0-or-later
// The home the end-to-end tests stand on, on loopback and without npm
// libraries: a mosquitto of its own, the simulator with the demo home (on the
// fixed ports), and the home enrolled into a fresh data folder; ctl() runs
// ardentia-ctl on that folder. Whoever starts it ends `children` (the
// programs started go into the list given, from the first one on).
import { execFileSync, spawn } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { userInfo } from 'node:os';
import { join } from 'node:path';

export const freePort = () => new Promise((resolve) => {
  const server = createServer().listen(0, '127.0.0.1', () => {
    const { port } = server.address();
    server.close(() => resolve(port));
  });
});
export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits for a condition, looking again every pollMs.
export async function until(check, what, ms = 10000, pollMs = 20) {
  const end = Date.now() + ms;
  while (Date.now() < end) {
    if (await check()) return;
    await sleep(pollMs);
  }
  throw new Error(`timed out waiting for ${what}`);
}

// The simulator's demo home unless demo is false: then its new installation
// (two transmitters, neither configured), of which the master is enrolled.
// With heard, the command lines the simulator receives are kept, for heard().
export async function startHome(bin, dir, simulatorArguments = [], children = [], { demo = true, heard = false } = {}) {
  const data = join(dir, 'data');
  const brokerPort = await freePort();
  writeFileSync(join(dir, 'mosquitto.conf'), `listener ${brokerPort} 127.0.0.1\nallow_anonymous true\n`
    + `persistence false\nset_tcp_nodelay true\nuser ${userInfo().username}\n`);
  children.push(spawn('mosquitto', ['-c', join(dir, 'mosquitto.conf')], { stdio: 'ignore' }));
  const simulator = spawn(`${bin}/simulator/ardentia-transmitter`, [...(heard ? [] : ['--quiet']), ...(demo ? ['--demo'] : []),
    '--state', join(dir, 'home.json'), ...simulatorArguments], { stdio: ['ignore', 'pipe', heard ? 'pipe' : 'inherit'] });
  children.push(simulator);
  // Its log names each datagram it receives: "udp  <- FROM to ADDRESS  TOKEN$LINE"; LINE is kept.
  const received = [];
  if (heard) {
    let rest = '';
    simulator.stderr.setEncoding('utf8').on('data', (text) => {
      const lines = (rest + text).split('\n');
      rest = lines.pop();
      for (const line of lines) {
        const datagram = /udp {2}<- \S+ to \S+ {2}[^$]*\$(.*)$/.exec(line);
        if (datagram) received.push(datagram[1]);
      }
    });
  }
  await new Promise((resolve) => simulator.stdout.once('data', resolve));
  const ctl = (...args) => execFileSync(`${bin}/cli/ardentia-ctl`,
    ['--interface', 'lo', '--data', data, ...args], { encoding: 'utf8' });
  ctl('add-transmitter', '20AA10000001');
  return {
    data,
    brokerPort,
    children,
    simulator,
    ctl,
    heard: () => [...received],
    simulated: (id) => JSON.parse(readFileSync(join(dir, 'home.json'), 'utf8'))
      .channels.find((channel) => channel.id === id),
  };
}
