// SPDX-License-Identifier: GPL-3.0-or-later
// Who reaches the web remote, tried in the browser, and the remote used by
// keyboard alone on a phone that reads Chinese: a stranger gets the
// not-paired page and no WebSocket; a link asked of the bridge over MQTT
// pairs once; another site cannot open the remote's WebSocket; a revoked
// phone is cut off at once.
//   node access.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, until } from './rig.mjs';

const bin = process.argv[2];

// Opens a WebSocket to the remote from the page's own script: how many
// messages it heard before it was closed.
const socketFrom = (page, base) => page.evaluate((url) => new Promise((resolve) => {
  let heard = 0;
  const socket = new WebSocket(url);
  socket.addEventListener('message', () => { heard += 1; });
  socket.addEventListener('close', () => resolve({ heard, closed: true }));
  setTimeout(() => resolve({ heard, closed: false }), 5000);
}), base.replace('http', 'ws'));

// Tabs to the control of that accessible name (at most 60 stops), checking
// that the focus shows; then the key.
async function byKeyboard(page, name, key) {
  for (let stop = 0; stop < 60; stop += 1) {
    await page.keyboard.press('Tab');
    const focused = await page.evaluate(() => {
      const element = document.activeElement;
      return {
        name: element.getAttribute('aria-label') || element.textContent.trim(),
        outline: getComputedStyle(element).outlineStyle,
      };
    });
    if (focused.name === name) {
      assert.notEqual(focused.outline, 'none', `the focus on "${name}" shows`);
      await page.keyboard.press(key);
      return;
    }
  }
  throw new Error(`"${name}" cannot be reached with the Tab key`);
}

await browserTest(bin, [], async (rig, browser) => {
  const { base, simulated } = rig;
  // A stranger: the not-paired page, and its WebSocket closed unheard.
  const stranger = await (await browser.newContext()).newPage();
  assert.equal((await stranger.goto(base)).status(), 401);
  assert.equal(await stranger.textContent('h1'), 'Not paired');
  assert.deepEqual(await socketFrom(stranger, base), { heard: 0, closed: true });

  // A link from the bridge's request pairs a phone once.
  const link = rig.bridgePairingLink();
  const viewport = { width: 360, height: 640 };
  const context = await browser.newContext({ viewport, locale: 'zh-CN' });
  const page = await context.newPage();
  await page.goto(link);
  await page.locator('#channel-211300001231').waitFor();
  assert.equal(await page.getAttribute('html', 'lang'), 'zh-CN');
  const again = await (await browser.newContext()).newPage();
  assert.equal((await again.goto(link)).status(), 403, 'a used link');

  // Another site open on the same phone cannot reach the remote's WebSocket.
  const otherSite = await context.newPage();
  await otherSite.route('http://other.example/', (route) => route.fulfill({ contentType: 'text/html', body: '<p>another site</p>' }));
  await otherSite.goto('http://other.example/');
  assert.deepEqual(await socketFrom(otherSite, base), { heard: 0, closed: true });
  await otherSite.close();

  // The whole path by keyboard alone, in Chinese.
  const stairsOn = simulated('211300001231').on;
  await byKeyboard(page, stairsOn ? '关闭Stairs' : '打开Stairs', 'Space');
  await until(() => simulated('211300001231').on !== stairsOn, 'Stairs switched by keyboard');
  await until(async () => (await page.getAttribute('#channel-211300001231', 'data-state')) === (stairsOn ? 'OFF' : 'ON'),
    'the page to show it');
  const level = simulated('212200004560').level;
  await byKeyboard(page, 'Living room亮度', level < 100 ? 'ArrowRight' : 'ArrowLeft');
  await until(() => simulated('212200004560').level !== level, 'dimmed by keyboard');
  await byKeyboard(page, '窗帘', 'Enter');
  await byKeyboard(page, '打开Bedroom curtain', 'Enter');
  await until(() => simulated('213100007890').position === 100, 'the curtain opened by keyboard');
  await byKeyboard(page, '场景', 'Enter');
  await byKeyboard(page, '全关模式', 'Enter');
  await until(() => !simulated('211300001230').on, 'All Off by keyboard');
  await byKeyboard(page, '同步数据', 'Enter');
  await byKeyboard(page, '同步数据', 'Enter'); // the question's own button
  await until(async () => (await page.textContent('#banner')) === '同步数据成功', 'the synchronisation notice');

  await auditViews(browser, { context, viewport, locale: 'zh-CN' }, base, ['灯光', '窗帘', '场景'], 'zh-CN');

  // Revoked: the open page loses its WebSocket at once, a reload is refused.
  for (const line of rig.ctl('web-tokens').split('\n').slice(1).filter((l) => l.trim())) {
    rig.ctl('web-tokens', 'revoke', line.trim().split(/\s+/)[0]);
  }
  await until(async () => !(await page.locator('#banner').isHidden())
    && (await page.textContent('#banner')).includes('连接'), 'the page to lose the home');
  assert.equal((await page.reload()).status(), 401, 'a revoked phone');
  return 'browser: pairing, strangers, other sites, revocation and the keyboard path passed';
});
