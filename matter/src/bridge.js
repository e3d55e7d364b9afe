// SPDX-License-Identifier: GPL-3.0-or-later
// Puts it together: the broker feed, the Matter node with its aggregator and
// the home's endpoints, the pairing window and the control socket.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { ServerNode, VendorId } from '@matter/main';
import { SubscriptionsServer } from '@matter/main/node';
import { AggregatorEndpoint } from '@matter/main/endpoints/aggregator';
import { routeCommandsTo } from './behaviors.js';
import { startControl } from './control.js';
import { HomeEndpoints } from './endpoints.js';
import { HomeFeed } from './homefeed.js';
import { loadIdentityKey, uniqueIdOf } from './identity.js';
import { Pairing } from './pairing.js';
import { loadPairingSecrets } from './passcode.js';
import { shortenReportHoldback } from './reportholdback.js';

const log = (message) => console.log(`ardentia-matter: ${message}`);
const FIRST_LIST_WAIT_MS = 5000;
export const EXIT_RESTART = 75;
const RESTART_GRACE_MS = 300;
const STOP_LIMIT_MS = 10000;

function feedOptions(options) {
  const read = (file) => (file ? readFileSync(file) : undefined);
  const tls = options['ca-file'] || options['cert-file'];
  return {
    url: `${tls ? 'mqtts' : 'mqtt'}://${options.host}:${options.port}`,
    username: options.username,
    password: options['password-file']
      ? readFileSync(options['password-file'], 'utf8').split('\n')[0] : undefined,
    ca: read(options['ca-file']),
    cert: read(options['cert-file']),
    key: read(options['key-file']),
    base: options['base-topic'],
  };
}

export async function runBridge(options) {
  // A signal while starting stops the bridge once it has started: its
  // storage is open from the start on.
  let stop = (code) => { stopAsked ??= code; };
  let stopAsked = null;
  process.once('SIGTERM', () => stop(0));
  process.once('SIGINT', () => stop(0));
  const secrets = loadPairingSecrets(join(options.data, 'pairing.json'));
  const identityKey = loadIdentityKey(join(options.data, 'identity'));
  const home = new HomeFeed(feedOptions(options), log);
  const firstList = new Promise((resolve) => {
    home.once('devices', resolve);
    setTimeout(resolve, FIRST_LIST_WAIT_MS).unref();
  });
  home.start();
  // Started with the home's endpoints, so a controller sees them all at once.
  await firstList;

  shortenReportHoldback();
  const server = await ServerNode.create({
    id: 'ardentia-matter',
    network: { port: options['matter-port'] },
    // Closed until the owner asks: see Pairing.
    commissioning: { passcode: secrets.passcode, discriminator: secrets.discriminator, enabled: false },
    productDescription: { name: 'Ardentia Home', deviceType: AggregatorEndpoint.deviceType },
    basicInformation: {
      vendorName: 'Ardentia', vendorId: VendorId(0xfff1), productId: 0x8000,
      productName: 'Ardentia Home bridge', productLabel: 'Home bridge', nodeLabel: 'Ardentia Home',
      serialNumber: 'ardentia-matter', uniqueId: uniqueIdOf(identityKey, ''),
    },
  });
  const aggregator = await server.add(AggregatorEndpoint, { id: 'home' });
  const endpoints = new HomeEndpoints(aggregator, home, log, { identityKey });
  routeCommandsTo((key, command) => endpoints.handle(key, command));
  home.on('devices', (devices) => endpoints.follow(devices));
  if (home.devices) await endpoints.follow(home.devices);
  home.on('state', (id, state) => endpoints.showState(id, state));
  home.on('reachability', () => endpoints.showReachability());
  home.on('failed', (id, why, isScenario) => {
    log(`the bridge reports ${isScenario ? 'scenario ' : ''}${id}: ${why}`);
    endpoints.commandFailed(id, isScenario);
  });

  await server.start();
  // matter.js keeps the controllers' subscriptions across a restart, and takes
  // them up again, only once its subscription keeper is awake: on a node paired
  // in this run it would not be yet.
  await server.act((agent) => agent.get(SubscriptionsServer));
  await endpoints.showAll();
  const pairing = new Pairing(server, log);
  const control = startControl(join(options.data, 'control'), pairing, log);
  log(`serving ${endpoints.size} endpoints; the pairing window is closed (ardentia-ctl matter-pair opens it)`);

  // One way out, for signals and the restart alike: the control socket and
  // the endpoints first, then the Matter server with its sessions and storage,
  // the broker, and only then the process. A stop that hangs ends the process
  // all the same.
  let stopping = null;
  stop = (code) => {
    stopping ??= (async () => {
      setTimeout(() => {
        log('the stop took too long: ending now');
        process.exit(code);
      }, STOP_LIMIT_MS).unref();
      control.close();
      endpoints.close();
      await server.close();
      await home.close();
      process.exit(code);
    })().catch((error) => {
      log(`stopping: ${error.message}`);
      process.exit(code);
    });
    return stopping;
  };
  if (stopAsked !== null) stop(stopAsked);

  // matter.js resets a node whose last controller left; that reset cannot
  // restart the node in this process, so the process ends and its service
  // manager starts it afresh (no pairing, the window closed, the same passcode).
  // The grace lets the answer to the removal reach whoever asked for it.
  server.lifecycle.decommissioned.on(() => {
    log('the last controller was removed: restarting without pairings');
    setTimeout(() => stop(EXIT_RESTART), RESTART_GRACE_MS);
  });
}
