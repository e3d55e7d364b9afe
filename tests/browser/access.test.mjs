// SPDX-License-Identifier: GPL-3.0-or-later
// The remote reached in the browser from a link asked of the bridge over
// MQTT, and used by keyboard alone on a phone that reads Chinese; a revoked
// phone is cut off at once. (Who the server lets in, and from which origin,
// tst_webremote checks on the server itself.)
//   node access.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, until } from './rig.mjs';

const bin = process.argv[2];

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
  // A link from the bridge's request pairs a phone.
  const link = rig.bridgePairingLink();
  const viewport = { width: 360, height: 640 };
  const context = await browser.newContext({ viewport, locale: 'zh-CN' });
  const page = await context.newPage();
  await page.goto(link);
  await page.locator('#channel-211300001231').waitFor();
  assert.equal(await page.getAttribute('html', 'lang'), 'zh-CN');

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
  return 'browser: pairing from the bridge\'s link, revocation and the keyboard path passed';
});
