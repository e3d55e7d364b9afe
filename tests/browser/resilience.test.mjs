// SPDX-License-Identifier: GPL-3.0-or-later
// The web remote through what goes wrong: the master's link line counts
// from its last answer; the master gone silent shows the app's banner and
// keeps the confirmed state (the channel it lost reads "Unknown"), and its
// return turns the banner to "Connection successful" for 2 s; with the bridge
// stopped the page still opens from what its service worker keeps, and says
// it is not connected; the bridge restarted makes the page reconnect and
// show what changed meanwhile; a phone coming back to the page reconnects at
// once. The page is installable, in its own colours, with a touch icon.
//   node resilience.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, until } from './rig.mjs';

const bin = process.argv[2];

await browserTest(bin, [], async (rig, browser) => {
  const { base, simulated } = rig;
  const viewport = { width: 768, height: 1024 };
  const context = await browser.newContext({ viewport });
  const page = await context.newPage();
  await page.goto(rig.pairingLink());
  const stairs = page.locator('#channel-211300001231');
  await stairs.waitFor();
  const press = async () => {
    const wanted = (await stairs.getAttribute('data-state')) === 'ON' ? 'OFF' : 'ON';
    await stairs.locator(wanted === 'ON' ? '.on' : '.off').click();
    return wanted;
  };
  const banner = async () => ((await page.locator('#banner').isHidden()) ? '' : page.textContent('#banner'));

  // Installable: chromium reads the manifest (asked with the device's
  // cookie) and finds nothing missing but a profile of its own (a test's
  // browser context is a private one).
  await page.evaluate(() => navigator.serviceWorker.ready);
  const devtools = await context.newCDPSession(page);
  const { installabilityErrors } = await devtools.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors.map((error) => error.errorId).filter((id) => id !== 'in-incognito'), []);
  // Installed, it opens in the page's own colours (its background, its top
  // bar), and a phone that takes a touch icon gets one of 180 by 180.
  const installed = await page.evaluate(async () => {
    const asColour = (css) => {
      const probe = document.createElement('i');
      probe.style.color = css;
      document.body.append(probe);
      const colour = getComputedStyle(probe).color;
      probe.remove();
      return colour;
    };
    const manifest = await (await fetch('/manifest.webmanifest')).json();
    const icon = await (await fetch('/apple-touch-icon.png')).blob();
    const { width, height } = await createImageBitmap(icon);
    return {
      background: [asColour(manifest.background_color), getComputedStyle(document.body).backgroundColor],
      theme: [asColour(manifest.theme_color), getComputedStyle(document.querySelector('header')).backgroundColor],
      icon: [icon.type, width, height],
      listed: manifest.icons.some((entry) => entry.src === '/apple-touch-icon.png' && entry.sizes === '180x180'),
    };
  });
  assert.equal(installed.background[0], installed.background[1], 'the manifest\'s background is the page\'s');
  assert.equal(installed.theme[0], installed.theme[1], 'the manifest\'s theme is the top bar\'s');
  assert.deepEqual(installed.icon, ['image/png', 180, 180]);
  assert.ok(installed.listed, 'the touch icon is among the manifest\'s icons');

  // The link line: when the master last answered.
  let wanted = await press();
  await until(async () => (await stairs.getAttribute('data-state')) === wanted, 'the first answer');
  assert.match(await page.textContent('#link'), /^answered \d+ s ago$/);

  // The banner's texts from here on, each with when it came.
  await page.evaluate(() => {
    const shown = document.getElementById('banner');
    window.bannerTexts = [];
    new MutationObserver(() => {
      const text = shown.hidden ? '' : shown.textContent;
      if (window.bannerTexts.at(-1)?.text !== text) window.bannerTexts.push({ text, at: performance.now() });
    }).observe(document.body, { subtree: true, childList: true, characterData: true, attributes: true });
  });
  // Shown as the app's banner shows it: the failure, then "Connection
  // successful" for 2 s (never less), then nothing.
  const failedThenBack = async () => {
    const texts = await page.evaluate(() => window.bannerTexts.splice(0));
    const back = texts.findIndex(({ text }) => text === 'Connection successful');
    assert.deepEqual(texts.slice(back - 1).map(({ text }) => text),
      ['Network connection failed', 'Connection successful', '']);
    const shownMs = texts[back + 1].at - texts[back].at;
    assert.ok(shownMs >= 1900, `"Connection successful" for ${shownMs} ms`);
  };

  // The master silent: the press stays unconfirmed, the banner says so
  // (the link line tells a silent master from a lost bridge).
  rig.silenceMaster();
  const before = await stairs.getAttribute('data-state');
  await press();
  await until(async () => (await banner()) === 'Network connection failed', 'the silent-master banner', 30000);
  assert.equal(await page.textContent('#link'), 'not answering');
  assert.equal(await stairs.getAttribute('data-state'), before, 'the confirmed state stands');
  assert.ok(!(await stairs.evaluate((li) => li.classList.contains('pending'))), 'no press left pending');
  // The lost press's channel is asked again, goes unanswered too, and reads "Unknown".
  await until(async () => (await stairs.locator('.state').textContent()) === 'Unknown', 'the unknown state', 30000);
  await auditViews(browser, { context, viewport }, base, ['Lighting'], 'silent master');

  // Back: the next press is answered and the banner goes.
  // The woken simulator first works through the datagrams it held while
  // stopped (the lost press among them, which switches the light): the press
  // goes once the page shows what the simulator holds, so that neither those
  // late answers nor the state they bring can cross it.
  rig.wakeMaster();
  await until(async () => /^answered/.test(await page.textContent('#link')), 'the master heard again', 30000);
  await until(async () => (await stairs.locator('.state').textContent()) !== 'Unknown'
    && ((await stairs.getAttribute('data-state')) === 'ON') === simulated('211300001231').on,
  'the page to show the state the lost press left', 30000);
  wanted = await press();
  await until(async () => (await stairs.getAttribute('data-state')) === wanted, 'the master answering again', 30000);
  await until(async () => (await banner()) === '', 'the banner to go');
  await failedThenBack();
  await until(() => simulated('211300001231').on === (wanted === 'ON'), 'the simulator to have saved it');

  // The bridge restarted, with a light switched meanwhile from the command line.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await rig.stopBridge();
  await until(async () => (await banner()) === 'Network connection failed', 'the lost-bridge banner');
  assert.equal(await page.textContent('#link'), 'not connected');
  const kept = await context.newPage();
  await kept.goto(base);
  await until(async () => (await kept.textContent('#link')) === 'not connected', 'the kept page to say it is not connected');
  // The tiles' and About's pictures are kept with it.
  assert.ok(await kept.evaluate(() => Promise.all([...document.querySelectorAll('.tile img, #about img')]
    .map((image) => fetch(image.dataset.src ?? image.src).then((answer) => answer.ok, () => false)))
    .then((kept) => kept.every(Boolean))), 'the tiles\' and About\'s pictures without the bridge');
  await kept.close();
  const hallOn = simulated('211300001230').on;
  rig.ctl('light', '211300001230', hallOn ? 'off' : 'on');
  await rig.startBridge();
  await until(async () => (await banner()) === '', 'the page to reconnect', 20000);
  await failedThenBack();
  await until(async () => (await page.getAttribute('#channel-211300001230', 'data-state')) === (hallOn ? 'OFF' : 'ON'),
    'the change made while it was away');
  wanted = await press();
  await until(async () => (await stairs.getAttribute('data-state')) === wanted, 'a press after the reconnection');

  // A phone coming back to the page reconnects at once, not when its back-off
  // ends: the page's timers are held still, so only coming back can do it.
  const phone = await browser.newContext({ viewport });
  await phone.clock.install();
  const resumed = await phone.newPage();
  await resumed.goto(rig.pairingLink());
  await resumed.locator('#channel-211300001231').waitFor();
  await phone.clock.pauseAt(Date.now() + 60000);
  const resumedBanner = async () => ((await resumed.locator('#banner').isHidden()) ? '' : resumed.textContent('#banner'));
  await rig.stopBridge();
  await until(async () => (await resumedBanner()) !== '', 'the held page to lose the bridge');
  await rig.startBridge();
  await page.locator('#banner').waitFor({ state: 'hidden' }); // the other page's timers ran meanwhile
  assert.equal(await resumedBanner(), 'Network connection failed', 'no reconnection while its timers are held');
  await resumed.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
  // Its timers still held, "Connection successful" stays.
  await until(async () => (await resumedBanner()) === 'Connection successful', 'the page to reconnect on coming back');
  return 'browser: link line, silent master, page kept offline, bridge restart, coming back passed';
}, { replyWait: 3 }); // a silent master found in 3 s instead of the home's 10
