// SPDX-License-Identifier: GPL-3.0-or-later
// The home tiles' quick control on a family member's phone at 360x640,
// against the bridge, a real mosquitto and the simulator: the Lighting panel
// opened by a downward swipe and by its handle (keyboard), its three lights
// the most used (ties in the home's order); a light switched, a dimmer set
// and a curtain moved through the control sheet, the simulator and the page's
// rows following; a scenario run with Enable; Cancel, the dimmed background
// and Escape send nothing; the menu closes every panel; the texts in Chinese;
// the tiles' hint on one line at 360 and 320 px in both languages;
// a sheet whose light the owner wiped closes; the swipes by a finger on a
// touch screen.
// axe-core on an open panel and on the open sheet.
//   node quick.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, goHome, until } from './rig.mjs';

const bin = process.argv[2];
const [hall, stairs, porch, livingRoom] = ['211300001230', '211300001231', '211300001232', '212200004560'];
const bedroomCurtain = '213100007890';

// Every request the page sends, kept for the test to read.
const initScript = () => {
  window.sentRequests = [];
  const send = WebSocket.prototype.send;
  WebSocket.prototype.send = function counted(data) {
    window.sentRequests.push(JSON.parse(data));
    return send.call(this, data);
  };
};

// A pointer pressed on the element's middle and moved by dy before it is let go.
async function swipe(page, locator, dy) {
  const box = await locator.boundingBox();
  const x = box.x + box.width / 2;
  const y = box.y + box.height / 2;
  await page.mouse.move(x, y);
  await page.mouse.down();
  await page.mouse.move(x, y + dy / 2, { steps: 3 });
  await page.mouse.move(x, y + dy, { steps: 3 });
  await page.mouse.up();
}

const column = (page, name) => page.getByRole('group', { name, exact: true });
const items = (page, name) => column(page, name).locator('.quick-item');
const itemNames = async (page, name) => items(page, name).locator('.quick-name').allTextContents();
// The lines the tiles' one hint takes, at a phone's width and a small phone's.
async function hintLines(page) {
  const lines = [];
  for (const width of [360, 320]) {
    await page.setViewportSize({ width, height: 640 });
    lines.push(await page.locator('#quick-hint').evaluate((hint) =>
      Math.round(hint.getBoundingClientRect().height / parseFloat(getComputedStyle(hint).lineHeight))));
  }
  await page.setViewportSize({ width: 360, height: 640 });
  return lines;
}

// Sets a range input's level as a finished drag does (one change).
const setLevel = (locator, level) => locator.evaluate((input, value) => {
  input.value = String(value);
  input.dispatchEvent(new Event('input', { bubbles: true }));
  input.dispatchEvent(new Event('change', { bubbles: true }));
}, level);

await browserTest(bin, [], async (rig, browser) => {
  const { base, simulated } = rig;
  const viewport = { width: 360, height: 640 };
  // Without the panels' opening animation, which starts from no height: shown is shown at once.
  const context = await browser.newContext({ viewport, locale: 'en-GB', reducedMotion: 'reduce' });
  await context.addInitScript(initScript);
  const page = await context.newPage();
  await page.goto(rig.pairingLink());
  await page.locator(`#channel-${stairs}`).waitFor();
  const sent = () => page.evaluate(() => window.sentRequests.length);
  const lighting = column(page, 'Lighting');
  const sheet = page.locator('#quick-sheet');

  // Use counts: the living room twice, the porch once, from the page's rows.
  const livingSlider = page.locator(`#channel-${livingRoom} input[type="range"]`);
  await setLevel(livingSlider, 50);
  await until(() => simulated(livingRoom).level === 50, 'the first level');
  await until(async () => !(await page.locator(`#channel-${livingRoom}.pending`).count()), 'its answer');
  await setLevel(livingSlider, 70);
  await until(() => simulated(livingRoom).level === 70, 'the second level');
  await page.getByRole('button', { name: 'Turn on Porch' }).click();
  await until(() => simulated(porch).on, 'the porch on');

  // A downward swipe over the tile opens its panel (and opens no list).
  const hint = page.locator('#quick-hint');
  assert.equal(await hint.isVisible(), true, 'the hint while closed');
  assert.deepEqual(await hintLines(page), [1, 1], 'the hint on one line, as under the app\'s tile titles');
  await swipe(page, lighting.locator('.tile'), 60);
  const panel = lighting.locator('.quick-panel');
  assert.equal(await panel.isVisible(), true, 'the panel opened by a swipe');
  assert.equal(await hint.isVisible(), false, 'no hint while open');
  assert.equal(await lighting.getByRole('button', { name: 'Quick control' }).getAttribute('aria-expanded'), 'true');
  // Most used first, equal counts in the home's order; three of the five lights.
  await until(async () => (await itemNames(page, 'Lighting')).join() === 'Living room,Porch,Hall',
    'the lights ordered by use', 10000).catch(async (error) => {
    throw new Error(`${error.message}: ${await itemNames(page, 'Lighting')}`);
  });
  assert.equal(await items(page, 'Lighting').count(), 3);
  assert.equal(await items(page, 'Lighting').locator('.device-picture').count(), 3, 'each light\'s own picture');

  // A short move is no swipe; an upward one closes it.
  await swipe(page, lighting.locator('.tile'), -20);
  assert.equal(await panel.isVisible(), true, 'a 20 px move changes nothing');
  await swipe(page, lighting.locator('.tile'), -60);
  assert.equal(await panel.isVisible(), false, 'closed by an upward swipe');
  assert.equal(await hint.isVisible(), true);

  // The curtain tile swiped down shows its panel and not the curtain list.
  const curtains = column(page, 'Curtain');
  await swipe(page, curtains.locator('.tile'), 60);
  assert.equal(await curtains.locator('.quick-panel').isVisible(), true);
  assert.equal(await page.locator('#curtains').isHidden(), true, 'the swipe opened no list');

  // The menu closes every panel.
  await page.getByRole('button', { name: 'About', exact: true }).click();
  assert.equal(await page.locator('.quick-panel:visible').count(), 0, 'all panels closed by the menu');
  await goHome(page);
  await page.getByRole('button', { name: 'Lighting', exact: true }).click();

  // The handle, by keyboard, opens and closes it.
  const handle = lighting.getByRole('button', { name: 'Quick control' });
  await handle.focus();
  await page.keyboard.press('Enter');
  assert.equal(await panel.isVisible(), true, 'opened by the handle');
  await page.keyboard.press('Enter');
  assert.equal(await panel.isVisible(), false, 'closed by the handle');
  await page.keyboard.press('Enter');

  // Cancel, the dimmed background and Escape close the sheet and send nothing.
  const before = await sent();
  for (const close of [
    () => sheet.getByRole('button', { name: 'Cancel' }).click(),
    () => page.mouse.click(180, 40),
    () => page.keyboard.press('Escape'),
  ]) {
    await items(page, 'Lighting').filter({ hasText: 'Hall' }).click();
    assert.equal(await sheet.isVisible(), true);
    await close();
    assert.equal(await sheet.isVisible(), false);
  }
  assert.equal(await sent(), before, 'nothing sent');

  // A switch: the sheet's name and its ON and OFF; ON closes it, and the
  // simulator, the row and the panel follow.
  assert.equal(simulated(hall).on, true, 'the hall starts on');
  await items(page, 'Lighting').filter({ hasText: 'Hall' }).click();
  assert.equal(await sheet.locator('h2').textContent(), 'Hall');
  assert.deepEqual(await sheet.getByRole('button').allTextContents(), ['ON', 'OFF', 'Cancel']);
  await sheet.getByRole('button', { name: 'OFF', exact: true }).click();
  assert.equal(await sheet.isVisible(), false, 'OFF closes the sheet');
  await until(() => !simulated(hall).on, 'the hall off');
  await until(async () => (await page.locator(`#channel-${hall}`).getAttribute('data-state')) === 'OFF', 'the row');
  await until(async () => (await items(page, 'Lighting').filter({ hasText: 'Hall' }).getAttribute('aria-label')) === 'Hall: OFF',
    'the panel item');

  // A dimmer: a level, and the sheet stays open until Cancel.
  await items(page, 'Lighting').filter({ hasText: 'Living room' }).click();
  const level = sheet.getByRole('slider', { name: 'Living room brightness' });
  assert.equal(await level.inputValue(), '70', 'the confirmed level');
  await setLevel(level, 30);
  await until(() => simulated(livingRoom).level === 30, 'the living room at 30');
  await until(async () => (await page.textContent(`#channel-${livingRoom} .state`)) === '30%', 'the row at 30%');
  assert.equal(await sheet.isVisible(), true, 'the slider keeps the sheet open');
  await sheet.getByRole('button', { name: 'Cancel' }).click();

  // A curtain: open, close and stop, open chosen.
  await curtains.getByRole('button', { name: 'Quick control' }).click();
  assert.equal(simulated(bedroomCurtain).position, 0, 'the bedroom curtain starts closed');
  await items(page, 'Curtain').filter({ hasText: 'Bedroom curtain' }).click();
  assert.deepEqual(await sheet.getByRole('button').allTextContents(), ['Open', 'Close', 'Stop', 'Cancel']);
  await auditViews(browser, { context, viewport, initScript }, base, [async function openSheet(audited) {
    await column(audited, 'Curtain').getByRole('button', { name: 'Quick control' }).click();
    await items(audited, 'Curtain').first().click();
    await audited.locator('#quick-sheet').waitFor();
    await audited.evaluate(() => Promise.all(document.getAnimations().map((animation) => animation.finished)));
  }, async function openPanel(audited) {
    await audited.keyboard.press('Escape');
    await column(audited, 'Lighting').getByRole('button', { name: 'Quick control' }).click();
    // Its colours as they end, not half faded in.
    await audited.evaluate(() => Promise.all(document.getAnimations().map((animation) => animation.finished)));
  }], 'quick control 360x640');
  await sheet.getByRole('button', { name: 'Open', exact: true }).click();
  await until(() => simulated(bedroomCurtain).position === 100, 'the bedroom curtain open');
  await until(async () => (await page.locator(`#channel-${bedroomCurtain}`).getAttribute('data-state')) === 'OPEN',
    'its row');

  // A scenario: the panel lists the strip's first three; Enable runs it.
  const scenarios = column(page, 'Scenario');
  await swipe(page, scenarios.locator('.tile'), 60);
  const strip = (await page.locator('#strip li span:not(.picture)').allTextContents()).slice(1, 4);
  assert.deepEqual(await itemNames(page, 'Scenario'), strip, 'the strip\'s order');
  await items(page, 'Scenario').filter({ hasText: 'All Off Mode' }).click();
  assert.deepEqual(await sheet.getByRole('button').allTextContents(), ['Enable', 'Cancel']);
  await sheet.getByRole('button', { name: 'Enable' }).click();
  assert.equal(await sheet.isVisible(), false);
  await until(() => !simulated(porch).on && !simulated(livingRoom).on, 'All Off run');

  // "All" opens the area's list, as the tile does.
  await curtains.getByRole('button', { name: 'All', exact: true }).click();
  assert.equal(await page.locator('#curtains').isVisible(), true);

  // The texts in Chinese.
  const chinese = await browser.newContext({ viewport, locale: 'zh-CN', reducedMotion: 'reduce' });
  await chinese.addCookies(await context.cookies());
  const zh = await chinese.newPage();
  await zh.goto(base);
  await zh.locator(`#channel-${stairs}`).waitFor();
  const zhLighting = column(zh, '灯光');
  assert.equal(await zh.textContent('#quick-hint'), '向下拖动打开隐藏面板');
  assert.deepEqual(await hintLines(zh), [1, 1], 'the hint on one line in Chinese too');
  await zhLighting.getByRole('button', { name: '快捷控制' }).click();
  await items(zh, '灯光').filter({ hasText: 'Hall' }).click();
  assert.deepEqual(await zh.locator('#quick-sheet').getByRole('button').allTextContents(), ['开', '关', '取消']);
  await zh.keyboard.press('Escape');
  assert.equal(await zhLighting.getByRole('button', { name: '全部' }).isVisible(), true);

  // On a phone's touch screen: the finger's swipes, and a tap still opens the list.
  const phone = await browser.newContext({ viewport, hasTouch: true, isMobile: true, reducedMotion: 'reduce' });
  await phone.addCookies(await context.cookies());
  const touched = await phone.newPage();
  await touched.goto(base);
  await touched.locator(`#channel-${stairs}`).waitFor();
  const touchScreen = await phone.newCDPSession(touched);
  const fingerSwipe = async (locator, dy) => {
    const box = await locator.boundingBox();
    const at = (y) => [{ x: box.x + box.width / 2, y: box.y + box.height / 2 + y }];
    await touchScreen.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
    for (let step = 1; step <= 6; step += 1)
      await touchScreen.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at((dy * step) / 6) });
    await touchScreen.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  };
  const phoneCurtains = column(touched, 'Curtain');
  await fingerSwipe(phoneCurtains.locator('.tile'), 60);
  await phoneCurtains.locator('.quick-panel').waitFor();
  assert.equal(await touched.locator('#curtains').isHidden(), true, 'the swipe opened no list');
  await fingerSwipe(phoneCurtains.locator('.tile'), -60);
  await phoneCurtains.locator('.quick-panel').waitFor({ state: 'hidden' });
  // A tap straight after a swipe only stops its fling, as on any page: a person's pause first.
  await touched.waitForTimeout(600);
  await phoneCurtains.locator('.tile').tap();
  assert.equal(await touched.locator('#curtains').isVisible(), true, 'a tap opens the list');

  // A sheet open while the owner wipes the home closes: its light is gone.
  await items(page, 'Lighting').filter({ hasText: 'Hall' }).click();
  const owner = await (await browser.newContext({ viewport })).newPage();
  await owner.goto(rig.pairingLink('owner'));
  await owner.getByRole('button', { name: 'Clean All', exact: true }).click();
  await owner.locator('#question').getByRole('button', { name: 'Clean All', exact: true }).click();
  await until(async () => !(await sheet.isVisible()), 'the sheet of a light no longer there to close');
  assert.equal(await items(page, 'Lighting').count(), 0, 'an empty panel');
  return 'browser: the tiles\' quick panels by swipe and handle, ordered by use; lights, a dimmer, a curtain and a scenario through the sheet; Cancel sends nothing passed';
});
