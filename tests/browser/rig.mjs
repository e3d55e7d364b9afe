// SPDX-License-Identifier: GPL-3.0-or-later
// The programs a web remote needs, on loopback: a mosquitto of its own, the
// simulator (on the fixed ports), the home enrolled into a fresh data folder,
// and the bridge serving the remote; ctl() runs ardentia-ctl on that folder.
// The rig can silence the master (the simulator held still) and restart the
// bridge, and asks the bridge for pairing links over MQTT too.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import { freePort, startHome, until } from '../support/homerig.mjs';

export { until };

export async function startRig(bin, simulatorArguments = [], { demo = true, heard = false, replyWait = 0 } = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'ardentia-web-'));
  const { data, brokerPort, children, simulator, ctl, simulated, heard: simulatorHeard } = await startHome(bin, dir,
    simulatorArguments, [], { demo, heard });
  const webPort = await freePort();
  const base = `http://127.0.0.1:${webPort}`;
  let bridge = null;
  const startBridge = async () => {
    bridge = spawn(`${bin}/bridge/ardentia-bridge`, ['--interface', 'lo', '--data', data,
      '--port', String(brokerPort), '--web-listen', `127.0.0.1:${webPort}`],
    { stdio: ['ignore', 'inherit', 'inherit'],
      env: replyWait ? { ...process.env, ARDENTIA_TEST_REPLY_WAIT: String(replyWait) } : process.env });
    children.push(bridge);
    await until(async () => (await fetch(base).catch(() => null))?.status === 401, 'the bridge');
  };
  const stopBridge = () => new Promise((resolve) => {
    bridge.once('exit', resolve);
    bridge.kill('SIGTERM');
  });
  await startBridge();
  const simulatedHome = () => JSON.parse(readFileSync(join(dir, 'home.json'), 'utf8'));
  return {
    base,
    dir, // removed when the rig stops
    ctl,
    startBridge,
    stopBridge,
    // The master stops answering (the simulator is held still), and answers again.
    silenceMaster: () => simulator.kill('SIGSTOP'),
    wakeMaster: () => simulator.kill('SIGCONT'),
    // A one-time link asked of the bridge over MQTT (a family member's device: the only kind it gives so).
    bridgePairingLink() {
      const answer = execFileSync('mosquitto_rr', ['-h', '127.0.0.1', '-p', String(brokerPort),
        '-t', 'ardentia/bridge/request/web/pair', '-e', 'ardentia/bridge/response/web/pair/browser-rig',
        '-m', JSON.stringify({ reply_to: 'browser-rig' }), '-W', '10'], { encoding: 'utf8' });
      return JSON.parse(answer).data.link;
    },
    // A fresh one-time pairing link, for the owner's device when asked.
    pairingLink: (role) => ctl('web-pair', ...(role === 'owner' ? ['--owner'] : []), base)
      .match(/http\S+\/pair\?code=\w+/)[0],
    simulated,
    // The command lines the simulator received so far (with the heard option).
    simulatorHeard,
    // The simulator's scenario of that name, as its state file holds it.
    simulatedScenario: (name) => simulatedHome().scenarios.find((scenario) => scenario.name === name),
    // The simulator's transmitter of that ID, with its role.
    simulatedTransmitter: (id) => simulatedHome().transmitters.find((transmitter) => transmitter.id === id),
    // Ends every program and waits for them (the next rig needs the fixed ports).
    async stop() {
      simulator.kill('SIGCONT');
      await Promise.all(children.filter((child) => child.exitCode === null && child.signalCode === null)
        .map((child) => new Promise((resolve) => { child.once('exit', resolve); child.kill('SIGTERM'); })));
      rmSync(dir, { recursive: true, force: true });
    },
  };
}

// Its phones have seen the app's welcome pages (a first visit shows them over
// the home), unless a context is made with { welcome: true }.
export async function launchBrowser(browserArguments = []) {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', ...browserArguments] });
  const newContext = browser.newContext.bind(browser);
  browser.newContext = async ({ welcome = false, ...options } = {}) => {
    const context = await newContext(options);
    if (!welcome) {
      await context.addInitScript(() => {
        try { localStorage.setItem('ardentia-welcomed', '1'); } catch { /* a page without storage */ }
      });
    }
    return context;
  };
  return browser;
}

// Chromium's own camera (a moving test picture), granted without asking.
export const fakeCamera = ['--use-fake-ui-for-media-stream', '--use-fake-device-for-media-stream'];

// axe-core over each named view of the remote, in a context that lets it in
// past the page's policy, with the cookies (and the init script, if any) of
// the given (paired) context.
const axe = readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
export async function auditViews(browser, paired, base, views, label) {
  const auditing = await browser.newContext({ viewport: paired.viewport, locale: paired.locale, bypassCSP: true,
    welcome: paired.welcome });
  await auditing.addCookies(await paired.context.cookies());
  if (paired.initScript) await auditing.addInitScript(paired.initScript);
  const page = await auditing.newPage();
  await page.goto(base);
  await page.locator('.rows li').first().waitFor();
  await page.addScriptTag({ content: axe });
  // A view is the name of the button that opens it, or the steps that reach it.
  for (const view of views) {
    if (typeof view === 'function') await view(page);
    else await page.getByRole('button', { name: view, exact: true }).click();
    const results = await page.evaluate(() => window.axe.run());
    const bad = results.violations.filter((v) => ['serious', 'critical'].includes(v.impact));
    if (bad.length) {
      throw new Error(`${label} ${view.name || view}: accessibility: ${bad.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`).join('; ')}`);
    }
  }
  await auditing.close();
}

// Back to the home's tiles from the screen shown, by each screen's Back as a person goes.
export async function goHome(page) {
  for (let step = 0; step < 4 && await page.evaluate(() => document.body.classList.contains('away')); step += 1) {
    await page.locator('main > section:not([hidden]) .back').first().click();
  }
}

// A photo as a phone's camera gives one (a sunset of two colours, JPEG), drawn in the page.
export async function drawnPhoto(page) {
  return Buffer.from(await page.evaluate(() => {
    const canvas = document.createElement('canvas');
    canvas.width = 640;
    canvas.height = 480;
    const drawing = canvas.getContext('2d');
    drawing.fillStyle = 'rgb(240 150 40)';
    drawing.fillRect(0, 0, 640, 480);
    drawing.fillStyle = 'rgb(40 60 120)';
    drawing.fillRect(0, 300, 640, 180);
    return canvas.toDataURL('image/jpeg').split(',')[1];
  }), 'base64');
}

// Runs a browser test: the rig and the browser around it, both ended
// whatever happens; a failure sets the exit status. Options: demo (the
// simulator's demo home, by default), heard (the simulator's received
// command lines kept), replyWait (the seconds the bridge waits for a reply
// instead of the home's 10) and the browser's arguments.
export async function browserTest(bin, simulatorArguments, test,
  { demo = true, heard = false, replyWait = 0, browserArguments = [] } = {}) {
  const rig = await startRig(bin, simulatorArguments, { demo, heard, replyWait });
  const browser = await launchBrowser(browserArguments);
  try {
    console.log(await test(rig, browser));
  } catch (error) {
    console.error(error);
    process.exitCode = 1;
  } finally {
    await browser.close();
    await rig.stop();
  }
}
