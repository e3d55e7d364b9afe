// SPDX-License-Identifier: GPL-3.0-or-later
// Figures of the web remote in headless Chromium on loopback: the bytes of
// the first load, the time from navigation to the first usable control, and
// from the simulator's acknowledgement to the page showing it (p50, p99).
//   node bench.mjs BUILD/src [presses]
import { launchBrowser, startRig, until } from './rig.mjs';

const bin = process.argv[2];
const presses = Number(process.argv[3] ?? 100);
const PRESS_INTERVAL_MS = 260;
const percentile = (values, p) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor((p / 100) * sorted.length))];
};

const rig = await startRig(bin);
const browser = await launchBrowser();
try {
  const context = await browser.newContext({ viewport: { width: 360, height: 640 } });
  const page = await context.newPage();
  await page.goto(rig.pairingLink());
  await page.locator('#channel-211300001230 .on').waitFor();

  // First loads as a paired phone makes them, without caches: the median of nine
  // (a fresh headless browser context varies by tens of milliseconds).
  const cookies = await context.cookies();
  const loads = [];
  const drawings = [];
  let bytes = 0;
  let timing = null;
  for (let i = 0; i < 9; ++i) {
    const fresh = await browser.newContext({ viewport: { width: 360, height: 640 },
      serviceWorkers: 'block' });
    await fresh.addCookies(cookies);
    const first = await fresh.newPage();
    const bodies = [];
    // The bytes as they came over the wire, compressed where the bridge compressed them.
    first.on('requestfinished', (request) => {
      bodies.push(request.sizes().then((sizes) => sizes.responseBodySize, () => 0));
    });
    await first.goto(rig.base, { waitUntil: 'commit' });
    // Waited for in the page's own world: a locator would have Playwright
    // evaluate its own script (tens of milliseconds) in the page while it loads.
    await until(() => first.evaluate(() => performance.getEntriesByName('usable').length > 0)
      .catch(() => false), 'the home');
    await first.waitForLoadState('networkidle');
    if (!(await first.evaluate(() => document.querySelector('#channel-211300001230 .on') !== null)))
      throw new Error('the home came without its first light');
    // The page's own clock, from the navigation's start to the first controls,
    // and to their first drawing on the screen.
    loads.push(await first.evaluate(() => performance.getEntriesByName('usable')[0].startTime));
    drawings.push(await first.evaluate(() => new Promise((resolve) => {
      new PerformanceObserver((list) => resolve(Math.min(...list.getEntries().map((entry) => entry.renderTime))))
        .observe({ type: 'element', buffered: true });
      setTimeout(() => resolve(NaN), 2000); // a page whose rows carry no element timing
    })));
    bytes = (await Promise.all(bodies)).reduce((sum, length) => sum + length, 0);
    // The page's own clock: when the document came and was parsed.
    timing = await first.evaluate(() => {
      const entry = performance.getEntriesByType('navigation')[0];
      return { response: entry.responseEnd, dom: entry.domContentLoadedEventEnd };
    });
    await fresh.close();
  }
  const usable = percentile(loads, 50);

  // From the acknowledgement leaving the simulator to the page showing it:
  // the page stamps each state message; the simulator's reply is the moment
  // the state file changes, so the page's own clock measures from the press
  // to the confirmed state, and the bridge's share is that less the round trip.
  const latencies = [];
  for (let i = 0; i < presses; ++i) {
    const row = page.locator('#channel-211300001230');
    const before = await row.locator('.state').textContent();
    const took = await page.evaluate(() => new Promise((resolve) => {
      const row = document.getElementById('channel-211300001230');
      const state = row.querySelector('.state');
      const was = state.textContent;
      const began = performance.now();
      // A press the bridge refused ends pending with the state unchanged.
      const watch = new MutationObserver(() => {
        if (row.classList.contains('pending')) return;
        watch.disconnect();
        resolve(state.textContent !== was ? performance.now() - began : null);
      });
      watch.observe(row, { subtree: true, childList: true, characterData: true, attributes: true });
      row.querySelector(row.dataset.state === 'ON' ? '.off' : '.on').click();
    }));
    if (took === null || before === (await row.locator('.state').textContent()))
      throw new Error(`press ${i + 1} refused: ${await page.locator('#banner').textContent()}`);
    latencies.push(took);
    // At a person's pace: the bridge allows a burst of presses, then about four a second.
    await page.waitForTimeout(PRESS_INTERVAL_MS);
  }
  console.log(`web remote (headless chromium, loopback, 360x640)`);
  console.log(`  first load         ${(bytes / 1024).toFixed(1)} KB over the wire (target under 40 KB)`);
  console.log(`  to a usable control ${usable.toFixed(0)} ms, median of 9 (target under 150 ms; `
    + `document ${timing.response.toFixed(0)} ms, parsed ${timing.dom.toFixed(0)} ms, `
    + `drawn ${percentile(drawings, 50).toFixed(0)} ms)`);
  console.log(`  press to confirmed state p50 ${percentile(latencies, 50).toFixed(1)} ms  `
    + `p99 ${percentile(latencies, 99).toFixed(1)} ms over ${presses} presses (target p99 under 25 ms)`);
} finally {
  await browser.close();
  await rig.stop();
}
