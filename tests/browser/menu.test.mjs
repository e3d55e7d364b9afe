// SPDX-License-Identifier: GPL-3.0-or-later
// The home's settings menu on the page at 360x640, as the app has it: the
// synchronisation is asked first (Cancel sends nothing); About shows the
// app's lines in both languages; an owner's Clean All is asked first, wipes
// the home (the simulator keeps its own; the home and the device list say
// there is no device, the list's Back leads home) after the bridge has
// backed it up on its own, and that backup, restored, brings the home back.
// A family device has no Clean All. A first visit shows the app's welcome pages
// once. axe-core on About and the welcome.
//   node menu.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { auditViews, browserTest, goHome, until } from './rig.mjs';

const bin = process.argv[2];

await browserTest(bin, [], async (rig, browser) => {
  const { base, simulated } = rig;
  const viewport = { width: 360, height: 640 };
  const context = await browser.newContext({ viewport, acceptDownloads: true });
  const page = await context.newPage();
  await page.goto(rig.pairingLink('owner'));
  const stairs = page.locator('#channel-211300001231');
  await stairs.waitFor();
  const banner = async () => ((await page.locator('#banner').isHidden()) ? '' : page.textContent('#banner'));
  const answer = async (button) => {
    await page.locator('#question').waitFor();
    await page.locator('#question').getByRole('button', { name: button, exact: true }).click();
  };

  // The app's settings menu, in its order.
  assert.equal(await page.textContent('footer h2'), 'System Setting');
  assert.deepEqual(await page.locator('footer button:visible').allTextContents(),
    ['Device Management', 'Schedules', 'Clean All', 'Synchronize Data', 'Help', 'About']);

  // Synchronize Data: asked first; Cancel sends nothing.
  await page.getByRole('button', { name: 'Synchronize Data', exact: true }).click();
  assert.equal(await page.textContent('#question-text'), 'Synchronize Data');
  await answer('Cancel');
  assert.equal(await page.getAttribute('#sync', 'aria-busy'), null, 'no synchronisation under way');
  await page.getByRole('button', { name: 'Synchronize Data', exact: true }).click();
  await answer('Synchronize Data');
  await until(async () => (await banner()) === 'Synchronous data successful', 'the synchronisation');

  // About: the app's lines.
  await page.getByRole('button', { name: 'About', exact: true }).click();
  assert.equal(await page.textContent('#about-support'), 'Technical Support:400-880-2626');
  assert.match(await page.textContent('#about-version'), /^App Version:\d+\.\d+\.\d+$/);

  // A screen of its own, as the app's: no tiles, no menu, its Back and title in the
  // navigation bar; its Back goes home.
  assert.ok(await page.locator('main > nav').isHidden() && await page.locator('footer').isHidden(), 'About alone');
  const bar = await page.locator('header').boundingBox();
  for (const part of ['#about > .back', '#about-title']) {
    const { y, height } = await page.locator(part).boundingBox();
    assert.ok(y >= bar.y && y + height <= bar.y + bar.height + 1, `${part} in the bar`);
  }
  const titleMiddle = await page.locator('#about-title').evaluate((title) => {
    const words = document.createRange();
    words.selectNodeContents(title);
    const { left, width } = words.getBoundingClientRect();
    return left + width / 2;
  });
  assert.ok(Math.abs(titleMiddle - viewport.width / 2) < 2, `the title in the bar's middle (${titleMiddle})`);
  await page.locator('#about').getByRole('button', { name: 'Back' }).click();
  assert.ok(await page.locator('#lights').isVisible() && await page.locator('footer').isVisible(), 'home again');
  const focused = () => page.evaluate(() => document.activeElement?.id || document.activeElement?.textContent);
  assert.equal(await focused(), 'open-about', 'the focus back on what opened the screen');

  // The app's bar: its menu brings the settings to the person, its scanner opens
  // the enrolment (the screen's title taken by the focus, given back by Back),
  // and on the scenarios' view its + adds a scenario.
  await page.getByRole('button', { name: 'System Setting' }).click();
  assert.equal(await focused(), 'open-devices');
  await page.getByRole('button', { name: 'Scan', exact: true }).click();
  await page.locator('#enrol-id').waitFor();
  await page.locator('#enrol').getByRole('button', { name: 'Back' }).click();
  assert.equal(await focused(), 'open-scan');
  await page.getByRole('button', { name: 'Scenario', exact: true }).click();
  assert.ok(await page.locator('#open-scan').isHidden(), 'no scanner on the scenarios\' view');
  await page.getByRole('button', { name: 'Add Scenario', exact: true }).click();
  await page.locator('#scenario-choose').waitFor();
  await page.locator('#scenario-choose').getByRole('button', { name: 'Back' }).click();
  assert.equal(await focused(), 'add-scenario');
  // Deeper and back: each Back gives the focus to what opened the screen it leaves.
  await page.getByRole('button', { name: 'Device Management', exact: true }).click();
  await page.locator('#devices li[data-id="211300001231"] .name').click();
  await page.locator('#detail-code').waitFor();
  await page.locator('#detail').getByRole('button', { name: 'Back' }).click();
  assert.equal(await focused(), 'Stairs');
  await page.locator('#devices').getByRole('button', { name: 'Back', exact: true }).click();
  assert.equal(await focused(), 'open-devices');

  // Clean All: asked first, then the home is empty here and kept by the master.
  await page.getByRole('button', { name: 'Clean All', exact: true }).click();
  await answer('Cancel');
  await page.getByRole('button', { name: 'Lighting' }).click();
  assert.equal(await stairs.count(), 1, 'nothing wiped on Cancel');
  await page.getByRole('button', { name: 'Clean All', exact: true }).click();
  await answer('Clean All');
  await until(async () => (await banner()) === 'Clean all successful', 'the Clean All');
  await until(async () => (await stairs.count()) === 0, 'the lights gone');
  assert.deepEqual(await page.locator('#lights .rows li.empty span').allTextContents(),
    ['No devices are added yet', 'Try to add a device']);
  assert.ok(simulated('211300001231'), 'the master keeps its channels');
  // The device list says so too, and its Back leads home.
  await page.getByRole('button', { name: 'Device Management', exact: true }).click();
  assert.deepEqual(await page.locator('#devices .rows li.empty span').allTextContents(),
    ['No devices are added yet', 'Try to add a device']);
  await page.locator('#devices').getByRole('button', { name: 'Back', exact: true }).click();
  assert.equal(await page.locator('#lights').isVisible(), true, 'home after Back');

  // The bridge backed the home up before wiping it: restored, it is back.
  await page.getByRole('button', { name: 'Device Management', exact: true }).click();
  await page.getByRole('button', { name: 'Backups', exact: true }).click();
  const automatic = page.locator('#backups .rows li[data-name^="auto-"]');
  await automatic.first().waitFor();
  const [download] = await Promise.all([page.waitForEvent('download'), automatic.first().getByRole('link').click()]);
  const saved = join(rig.dir, 'before-clean.tar.gz');
  await download.saveAs(saved);
  await page.setInputFiles('#restore-file', saved);
  await answer('Restore');
  await goHome(page);
  await page.getByRole('button', { name: 'Lighting' }).click();
  await until(async () => (await stairs.count()) === 1, 'the home back after the restore', 30000);

  // A family device has no Clean All.
  const family = await (await browser.newContext({ viewport })).newPage();
  await family.goto(rig.pairingLink());
  await family.locator('#channel-211300001231').waitFor();
  assert.equal(await family.locator('#clean-all').isVisible(), false);
  assert.equal(await family.locator('#open-about').isVisible(), true);

  for (const [locale, support] of [['en-GB', 'Technical Support'], ['zh-CN', '技术支持']]) {
    const shown = await browser.newContext({ viewport, locale });
    await shown.addCookies(await context.cookies());
    const view = await shown.newPage();
    await view.goto(base);
    await view.locator('#open-about').click();
    assert.ok((await view.textContent('#about-support')).startsWith(`${support}:`));
    await shown.close();
    await auditViews(browser, { context, viewport, locale }, base,
      [async function about(on) { await on.locator('#open-about').click(); }], `about ${locale}`);
  }

  // A phone's first visit: the app's welcome pages over the home, seven, turned by a
  // swipe; the last one starts the app (not shown again) or opens its help.
  for (const [locale, secondTitle] of [['en-GB', 'A new interface'], ['zh-CN', '全新界面']]) {
    const fresh = await browser.newContext({ viewport, locale, welcome: true });
    const phone = await fresh.newPage();
    await phone.goto(rig.pairingLink());
    const welcome = phone.locator('#welcome');
    await welcome.waitFor();
    assert.equal(await phone.locator('.welcome-page').count(), 7);
    assert.equal(await phone.locator('.welcome-page h2').nth(1).textContent(), secondTitle);
    await until(() => phone.locator('.welcome-page img').first().evaluate((image) => image.complete
      && image.naturalWidth > 0), 'the first page\'s picture');
    const pages = phone.locator('#welcome-pages');
    await pages.evaluate((list) => list.scrollTo({ left: list.scrollWidth }));
    await until(async () => (await phone.locator('#welcome-dots span.shown').count()) === 1
      && await phone.locator('#welcome-dots span').last().evaluate((dot) => dot.classList.contains('shown')), 'the last page\'s dot');
    if (locale === 'en-GB') {
      await welcome.getByRole('button', { name: 'Start now' }).click();
      await phone.locator('#channel-211300001231').click({ trial: true }); // the home, under nothing
      await phone.reload();
      await phone.locator('#channel-211300001231').waitFor();
      assert.equal(await welcome.isVisible(), false, 'shown once');
    } else {
      await welcome.getByRole('button', { name: '帮助' }).click();
      await phone.locator('#help summary').first().waitFor();
      assert.equal(await welcome.isVisible(), false);
    }
    await fresh.close();
  }
  await auditViews(browser, { context, viewport, welcome: true }, base,
    [async function welcome(on) { await on.locator('#welcome').waitFor(); }], 'welcome');
  return 'browser: synchronisation asked first, About, Clean All backed up and restored, family without it, welcome';
});
