// SPDX-License-Identifier: GPL-3.0-or-later
// The web remote in headless Chromium against the bridge, a real mosquitto
// and the simulator, as a phone uses it: pair from the printed link, then
// switch, dim, move a curtain and run a scenario at two screen sizes, with a
// second page watching; a refused press shows its error and keeps the state;
// every view passes axe-core without a serious or critical violation; the
// rows fit and are reached by keyboard on the narrowest phone, the views
// titled, the tiles' titles clear of their edges.
//   node remote.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, launchBrowser, until } from './rig.mjs';

const bin = process.argv[2];

// Held replies show the pending state; one light refuses every control.
await browserTest(bin, ['--fault', 'lig:4:211300001231=delay:700',
  '--fault', 'lig:4:212200004560=delay:300', '--fault', 'lig:4:211300001232=code:1'], async (rig, browser) => {
  const { base, simulated } = rig;
  for (const viewport of [{ width: 360, height: 640 }, { width: 768, height: 1024 }]) {
    const label = `${viewport.width}x${viewport.height}`;
    const link = rig.pairingLink();
    const context = await browser.newContext({ viewport });
    const page = await context.newPage();
    await page.goto(link);
    assert.equal(new URL(page.url()).pathname, '/', `${label}: the link pairs and opens the remote`);
    const row = (id) => page.locator(`#channel-${id}`);
    await row('211300001231').waitFor();
    // The home comes with the document alone (its style and scripts are in it); the other screens' follow it.
    const scripts = (before) => page.evaluate((until) => performance.getEntriesByType('resource')
      .filter((entry) => entry.startTime < (until ?? Infinity) && entry.name.endsWith('.js'))
      .map((entry) => new URL(entry.name).pathname).sort(), before);
    const usable = await page.evaluate(() => performance.getEntriesByName('usable')[0].startTime);
    assert.deepEqual(await scripts(usable), [], `${label}: no script fetched before the home`);
    assert.ok(!(await page.evaluate((until) => performance.getEntriesByType('resource')
      .some((entry) => entry.startTime < until && entry.name.endsWith('.css')), usable)), `${label}: no style sheet fetched`);
    // The tiles' pictures after the home, not beside the scripts it waits for; then shown.
    assert.ok(!(await page.evaluate((until) => performance.getEntriesByType('resource')
      .some((entry) => entry.startTime < until && entry.name.includes('/icons/')), usable)), `${label}: no picture first`);
    await until(() => page.locator('.tile img').evaluateAll((pictures) => pictures.every((picture) => picture.naturalWidth > 0)),
      "the tiles' pictures");
    await until(async () => (await scripts()).includes('/schedules.js'), 'the other screens fetched after the home');
    const watcher = await context.newPage();
    await watcher.goto(base);
    await watcher.locator('#channel-211300001231').waitFor();

    // Switch: pending until the held acknowledgement, then ON on both pages.
    const stairs = row('211300001231');
    const wanted = (await stairs.getAttribute('data-state')) === 'ON' ? 'OFF' : 'ON';
    await stairs.locator(wanted === 'ON' ? '.on' : '.off').click();
    assert.ok(await stairs.evaluate((li) => li.classList.contains('pending') && li.ariaBusy === 'true'), `${label}: pending`);
    assert.notEqual(await stairs.getAttribute('data-state'), wanted, `${label}: not before the home`);
    await until(async () => (await stairs.getAttribute('data-state')) === wanted, 'the acknowledged state');
    assert.equal(simulated('211300001231').on, wanted === 'ON');
    assert.equal(await page.textContent('#announce'), `Stairs: ${wanted}`, `${label}: said to a screen reader`);
    await until(async () => (await watcher.locator('#channel-211300001231').getAttribute('data-state')) === wanted,
      'the second page');
    assert.equal(await watcher.textContent('#announce'), '', `${label}: only the page that pressed says it`);

    // Dim, dragging while the first level is held: the newest level wins.
    const slider = row('212200004560').locator('input[type="range"]');
    for (const level of ['15', '25', '35']) await slider.fill(level);
    await until(async () => (await row('212200004560').locator('.state').textContent()) === '35%', 'the level');
    assert.equal(simulated('212200004560').level, 35);
    // Its + as the app's: a tenth more, sent at once.
    await row('212200004560').getByRole('button', { name: 'More Living room' }).click();
    await until(async () => (await row('212200004560').locator('.state').textContent()) === '45%', 'a tenth more');

    // A refused press: the error, and the old state.
    const porch = row('211300001232');
    const before = await porch.locator('.state').textContent();
    await porch.locator((await porch.getAttribute('data-state')) === 'ON' ? '.off' : '.on').click();
    await until(async () => !(await page.locator('#banner').isHidden()), 'the error banner');
    await until(async () => !(await porch.evaluate((li) => li.classList.contains('pending'))), 'no pending');
    assert.equal(await porch.locator('.state').textContent(), before, `${label}: the old state stays`);

    // A curtain and a scenario.
    await page.getByRole('button', { name: 'Curtain', exact: true }).click();
    await page.getByRole('button', { name: 'Open Bedroom curtain' }).click();
    await until(() => simulated('213100007890').position === 100, 'the curtain to open');
    await page.getByRole('button', { name: 'Scenario', exact: true }).click();
    await page.getByRole('button', { name: 'All Off Mode', exact: true }).click();
    await until(() => !simulated('211300001230').on, 'All Off');

    // Every view, for assistive technology.
    await auditViews(browser, { context, viewport }, base, ['Lighting', 'Curtain', 'Scenario'], label);
    await context.close();
  }

  // Scripts that come after the home (the page's script made a file again,
  // and held): the socket the document opened hears the home and a state
  // after it, and the page shows both, in order, once the script runs.
  {
    // A document answered by the test has no address of its own: its socket to loopback is let through.
    const lenient = await launchBrowser(['--disable-features=LocalNetworkAccessChecks']);
    try {
      // No service worker: its copy of the page would pass by the routes that hold the script.
      const context = await lenient.newContext({ viewport: { width: 360, height: 640 }, serviceWorkers: 'block' });
      const page = await context.newPage();
      await page.goto(rig.pairingLink());
      const stairs = page.locator('#channel-211300001231');
      await stairs.waitFor();
      const late = await context.newPage();
      let release = null;
      const held = new Promise((resolve) => { release = resolve; });
      await late.route(base + '/', async (route) => {
        const response = await route.fetch();
        const body = (await response.text()).replace(/<script type="module" async>[\s\S]*?<\/script>/,
          '<script type="module" async src="/app.js"></script>');
        const headers = { ...response.headers() };
        delete headers['content-encoding'];
        delete headers['content-length'];
        await route.fulfill({ response, headers, body });
      });
      await late.route('**/app.js', async (route) => {
        await held;
        await route.continue();
      });
      await late.goto(base, { waitUntil: 'commit' });
      const heard = () => late.evaluate(() => (window.firstSocket?.heard ?? [])
        .map((event) => (event.type === 'message' ? JSON.parse(event.data).type : event.type)));
      await until(async () => (await heard()).includes('home'), 'the home before the scripts');
      const wanted = (await stairs.getAttribute('data-state')) === 'ON' ? 'OFF' : 'ON';
      await stairs.locator(wanted === 'ON' ? '.on' : '.off').click();
      await until(async () => (await heard()).includes('state'), 'a state after the home, before the scripts');
      release();
      await until(async () => (await late.locator('#channel-211300001231').getAttribute('data-state')) === wanted,
        'the held page to show the state that followed its home');
      await until(async () => /^answered/.test(await late.textContent('#link')), 'the held page connected');
    } finally {
      await lenient.close();
    }
  }

  // The app's rows on the narrowest phone, in both languages: nothing runs
  // past a row's edge, the pair shows the reported state filled, and the
  // pair, the slider and the curtain's buttons are whole on the screen and
  // reached by the Tab key with the focus showing.
  const viewport = { width: 320, height: 568 };
  const views = [[0, ['#channel-211300001231 .on', '#channel-211300001231 .off', '#channel-212200004560 input']],
    [1, ['#channel-213100007890 .motions button:first-child', '#channel-213100007890 .motions button:last-child']]];
  for (const locale of ['en-GB', 'zh-CN']) {
    const context = await browser.newContext({ viewport, locale });
    const page = await context.newPage();
    await page.goto(rig.pairingLink());
    await page.locator('#channel-211300001231').waitFor();
    const stairs = page.locator('#channel-211300001231');
    const filled = await stairs.locator((await stairs.getAttribute('data-state')) === 'ON' ? '.on' : '.off')
      .evaluate((pressed) => getComputedStyle(pressed).color);
    assert.equal(filled, 'rgb(255, 255, 255)', `${locale}: the reported state's button is filled`);
    for (const [tile, controls] of views) {
      await page.locator('.tile').nth(tile).click();
      const overflowing = await page.evaluate(() => [...document.querySelectorAll('section:not([hidden]) .rows li')]
        .filter((row) => {
          const edge = row.getBoundingClientRect();
          return row.scrollWidth > row.clientWidth || [...row.querySelectorAll('*')].some((inner) => {
            const box = inner.getBoundingClientRect();
            return box.width > 0 && (box.left < edge.left - 0.5 || box.right > edge.right + 0.5);
          });
        }).map((row) => row.id));
      assert.deepEqual(overflowing, [], `${locale}: rows overflowing at 320 px`);
      await page.locator('.tile').nth(tile).focus();
      const unreached = new Set(controls);
      for (let stop = 0; stop < 40 && unreached.size; stop += 1) {
        await page.keyboard.press('Tab');
        const found = await page.evaluate((wanted) => {
          const focused = document.activeElement;
          const box = focused.getBoundingClientRect();
          return { match: wanted.find((selector) => focused.matches(selector)),
            whole: box.left >= 0 && box.right <= innerWidth && box.top > -1 && box.bottom < innerHeight + 1,
            outline: getComputedStyle(focused).outlineStyle, box: [box.left, box.top, box.right, box.bottom] };
        }, [...unreached]);
        if (!found.match) continue;
        assert.ok(found.whole && found.outline !== 'none', `${locale}: ${found.match} whole, its focus showing: ${JSON.stringify(found)}`);
        unreached.delete(found.match);
      }
      assert.deepEqual([...unreached], [], `${locale}: reached by the Tab key`);
    }
    // Each view under its screen's title with its first row in sight on a
    // phone; the tiles' titles clear of the tiles' edges.
    const titles = locale === 'en-GB' ? ['Lighting', 'Curtain', 'Scenario'] : ['灯光', '窗帘', '情景'];
    for (const size of [viewport, { width: 360, height: 640 }]) {
      await page.setViewportSize(size);
      for (const [tile, title] of titles.entries()) {
        await page.locator('.tile').nth(tile).click();
        await page.evaluate(() => window.scrollTo(0, 0));
        const view = page.locator('main > section:not([hidden])');
        assert.equal(await view.locator('h2').textContent(), title);
        assert.ok(await view.locator('h2').isVisible(), `${locale}: ${title} shown`);
        const firstRow = await view.locator('.rows li').first().boundingBox();
        if (size.height >= 640) assert.ok(firstRow.y + firstRow.height <= size.height, `${locale}: ${title}'s first row in sight`);
      }
      const room = await page.locator('.tile').evaluateAll((tiles) => tiles.map((tile) => {
        const range = document.createRange();
        range.selectNodeContents([...tile.childNodes].find((node) => node.nodeType === Node.TEXT_NODE && node.data.trim()));
        const [text, edge] = [range.getBoundingClientRect(), tile.getBoundingClientRect()];
        return Math.min(text.left - edge.left, edge.right - text.right);
      }));
      assert.ok(Math.min(...room) >= 6, `${locale}: tiles' titles ${room.map(Math.round)} px from their edges at ${size.width} px`);
    }
    await context.close();
  }
  return 'browser: web remote passed at 360x640 and 768x1024, its rows at 320 px in English and Chinese';
});
