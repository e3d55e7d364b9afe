// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the web remote for looking at: each view at small and common
// phone, tablet and desktop width, in English and Chinese, one with the
// banner showing; live scanning with chromium's fake camera.
//   node pictures.mjs BUILD/src OUTPUT-FOLDER
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { browserTest, drawnPhoto, fakeCamera, goHome, until } from './rig.mjs';
import { cameraLive, installDetector } from './livescan.mjs';

const [bin, folder] = process.argv.slice(2);
mkdirSync(folder, { recursive: true });
await browserTest(bin, ['--fault', 'lig:4:211300001232=code:1'], async (rig, browser) => {
  for (const locale of ['en-GB', 'zh-CN']) {
    for (const viewport of [{ width: 320, height: 568 }, { width: 360, height: 640 }, { width: 768, height: 1024 },
      { width: 1024, height: 768 }]) {
      const context = await browser.newContext({ viewport, locale });
      await context.addInitScript(installDetector);
      const page = await context.newPage();
      await page.goto(rig.pairingLink('owner'));
      await page.locator('.rows li').first().waitFor();
      const name = (view) => join(folder, `${locale}-${viewport.width}-${view}.png`);
      const tiles = page.locator('.tile');
      for (const [index, view] of ['lighting', 'curtain', 'scenario'].entries()) {
        await tiles.nth(index).click();
        await page.screenshot({ path: name(view), fullPage: true });
      }
      // The owner's device management: the list, a unit's detail, the naming dialog.
      await page.locator('#open-devices').click();
      await page.locator('#devices li[data-id="20AA10000001"]').waitFor();
      await page.screenshot({ path: name('devices'), fullPage: true });
      await page.locator('#devices li[data-id="212200004560"] .name').click();
      await page.locator('#detail-code').waitFor();
      await page.screenshot({ path: name('detail'), fullPage: true });
      await page.locator('#detail-back').click();
      await page.locator('#open-enrol').click();
      await page.locator('#enrol-scan').waitFor();
      await page.screenshot({ path: name('enrol'), fullPage: true });
      await page.locator('#enrol-scan').click();
      await until(() => cameraLive(page), 'the camera');
      await page.screenshot({ path: name('enrol-scanning'), fullPage: true });
      await page.locator('#enrol-scan-stop').click();
      // A transmitter's code (the master's, there already), then a controller's.
      for (const [code, view] of [['20AA10000001', 'enrol-transmitter'], ['2112D0007770', 'enrol-names']]) {
        await page.fill('#enrol-id', code);
        await page.keyboard.press('Enter');
        await page.locator('#enrol-summary').filter({ hasText: 'ZEVO' }).waitFor();
        await page.screenshot({ path: name(view), fullPage: true });
        await goHome(page);
        await page.locator('#open-devices').click();
        await page.locator('#open-enrol').click();
      }
      await goHome(page);
      await page.locator('#open-devices').click();
      await page.locator('#devices li[data-id="211300001231"] .more').click();
      await page.locator('#devices li[data-id="211300001231"] .row-actions button').first().click();
      await page.screenshot({ path: name('rename') });
      await page.keyboard.press('Escape');
      await goHome(page);
      await page.locator('#open-help').click();
      await page.locator('#help summary').last().click();
      await page.locator('#help details[open] img').first().waitFor();
      await page.waitForLoadState('networkidle');
      await page.screenshot({ path: name('help'), fullPage: true });
      await goHome(page);
      await tiles.nth(2).click();
      await page.locator('#add-scenario').click();
      await page.check('#include-211300001231');
      await page.check('#include-212200004560');
      await page.screenshot({ path: name('scenario-devices') });
      await page.locator('#choose-next').click();
      await page.screenshot({ path: name('scenario-editor'), fullPage: true });
      // A photo chosen for the scenario.
      const photo = await drawnPhoto(page);
      await page.setInputFiles('#scenario-photo', { name: 'sunset.jpg', mimeType: 'image/jpeg', buffer: photo });
      await page.locator('.icons label.photo-choice input:checked').waitFor({ state: 'attached' });
      await page.screenshot({ path: name('scenario-photo'), fullPage: true });
      // Saved (once per home): the strip shows its photo.
      if (await page.locator('#strip img.picture').count() === 0) {
        await page.fill('#scenario-name', 'Sunset');
        await page.locator('#scenario-form button[type="submit"]').click();
        await page.locator('#scenarios img.picture').waitFor();
      } else {
        await page.locator('#editor-back').click();
        await page.locator('#choose-back').click();
      }
      await goHome(page);
      await tiles.nth(0).click();
      await page.waitForLoadState('networkidle');
      await page.screenshot({ path: name('strip') });
      // The schedules: a few of each kind (made once per home), then the editor for a sunset.
      if (!rig.ctl('schedule', 'list').includes('Morning')) {
        rig.ctl('schedule', 'location', '52.52', '13.40');
        rig.ctl('schedule', 'add', 'Morning', 'at', '07:00', 'days', 'weekdays', 'scenario', '2');
        rig.ctl('schedule', 'add', 'Porch at dusk', 'sunset-30', 'switch', '211300001232', 'on');
        rig.ctl('schedule', 'add', 'Living room', 'at', '21:30', 'days', 'sat,sun', 'dim', '212200004560', '30');
        rig.ctl('schedule', 'add', 'Holiday curtains', 'at', '06:30', 'on', '2027-01-02', 'curtain', '213100007890', 'open');
        rig.ctl('schedule', 'off', '4');
      }
      await goHome(page);
      await page.locator('#open-schedules').click();
      await page.locator('#schedules li.schedule').nth(3).waitFor();
      await page.screenshot({ path: name('schedules'), fullPage: true });
      await page.locator('#schedules li.schedule').nth(1).locator('.more').click();
      await page.locator('#schedules li.schedule').nth(1).locator('.row-actions button').first().click();
      await page.screenshot({ path: name('schedule-editor'), fullPage: true });
      // As a phone shows it, Done in sight; then a dimmer's level on a date.
      await page.screenshot({ path: name('schedule-editor-screen') });
      await page.check('input[name="schedule-action"][value="dim"]');
      await page.check('input[name="schedule-when"][value="once"]');
      await page.locator('#schedule-date').scrollIntoViewIfNeeded();
      await page.screenshot({ path: name('schedule-editor-dim') });
      await page.locator('#schedule-cancel').click();
      await goHome(page);
      await tiles.nth(0).click();
      await page.locator('.quick-handle').first().click();
      await page.locator('.quick-panel').first()
        .evaluate((panel) => Promise.all(panel.getAnimations().map((run) => run.finished)));
      await page.screenshot({ path: name('quick-panel') });
      await page.locator('.quick-handle').first().click();
      await page.locator('#open-about').click();
      await page.screenshot({ path: name('about'), fullPage: true });
      await goHome(page);
      await tiles.nth(0).click();
      await page.locator('#channel-211300001232 .on').click();
      await page.locator('#banner').waitFor();
      await page.screenshot({ path: name('refused') });
      await context.close();
    }
  }
  return `pictures in ${folder}`;
}, { browserArguments: fakeCamera });
