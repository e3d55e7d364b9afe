// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's backups from the page at 360x640: a backup made now is listed
// and downloaded; the home changed afterwards (the master transmitter
// renamed) comes back when that file is restored from a phone paired after
// the backup was made, which stays paired while the bridge starts again on
// the restored home; a damaged file is refused with its reason and changes
// nothing. A family device sees no backups and can neither download nor
// restore one. axe-core on the backups view, in both languages.
//   node backups.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { copyFileSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { auditViews, browserTest, goHome, until } from './rig.mjs';

const bin = process.argv[2];
const master = '20AA10000001';

await browserTest(bin, [], async (rig, browser) => {
  const { base } = rig;
  const viewport = { width: 360, height: 640 };
  const openOwnerPage = async (locale = 'en-GB') => {
    const context = await browser.newContext({ viewport, locale, acceptDownloads: true });
    const page = await context.newPage();
    await page.goto(rig.pairingLink('owner'));
    await page.locator('#channel-211300001231').waitFor();
    return { context, page };
  };
  const { context, page } = await openOwnerPage();
  const banner = async () => ((await page.locator('#banner').isHidden()) ? '' : page.textContent('#banner'));
  const openBackups = async (on) => {
    await goHome(on);
    await on.getByRole('button', { name: 'Device Management', exact: true }).click();
    await on.getByRole('button', { name: 'Backups', exact: true }).click();
    await on.locator('#backups .rows li').first().waitFor();
  };
  const transmitterName = async (on) => {
    await goHome(on);
    await on.getByRole('button', { name: 'Device Management', exact: true }).click();
    const row = on.locator(`#devices li[data-id="${master}"] .name`);
    await row.waitFor();
    return row.textContent();
  };
  const nameBefore = await transmitterName(page);

  // Made now: listed with its size, and downloaded.
  await openBackups(page);
  const rows = page.locator('#backups .rows li[data-name]');
  const listedBefore = await rows.count();
  await page.getByRole('button', { name: 'Back up now' }).click();
  await until(async () => (await rows.count()) === listedBefore + 1, 'the new backup listed');
  assert.equal(await banner(), 'Backup made');
  assert.match(await rows.first().locator('.state').textContent(), /^\d+ KB$/);
  // Its date and time as the app writes them (the browser's own locale has no say).
  assert.match(await rows.first().locator('.name').textContent(), /^\d{1,2} [A-Z][a-z]{2} \d{4} \d{2}:\d{2}$/);
  const [download] = await Promise.all([page.waitForEvent('download'), rows.first().getByRole('link').click()]);
  const saved = join(rig.dir, 'home-backup.tar.gz');
  await download.saveAs(saved);
  assert.match(download.suggestedFilename(), /^manual-\d{8}-\d{6}\.tar\.gz$/);

  // The home changed afterwards: the master transmitter renamed (the app's own name).
  await page.locator('#backups .back').click(); // back to the device list
  await page.locator(`#devices li[data-id="${master}"] .more`).click();
  await page.locator(`#devices li[data-id="${master}"] .row-actions button`).first().click();
  await page.fill('#rename-name', 'Attic');
  await page.locator('#rename').getByRole('button', { name: 'Done' }).click();
  await until(async () => (await transmitterName(page)) === 'Attic', 'the transmitter renamed');

  // A phone paired after the backup restores it: asked first, then done.
  const { page: phone } = await openOwnerPage();
  await openBackups(phone);
  const restore = async (file) => {
    await phone.setInputFiles('#restore-file', file);
    await phone.locator('#question').waitFor();
    assert.match(await phone.textContent('#question-text'), /^Restore the home from /);
    await phone.locator('#question').getByRole('button', { name: 'Restore', exact: true }).click();
  };
  const phoneBanner = async () => ((await phone.locator('#banner').isHidden()) ? '' : phone.textContent('#banner'));
  // A damaged file first: refused with its reason, nothing changed.
  const damaged = join(rig.dir, 'damaged.tar.gz');
  const whole = readFileSync(saved);
  writeFileSync(damaged, whole.subarray(0, whole.length - 40));
  await restore(damaged);
  await until(async () => (await phoneBanner()).startsWith('This backup cannot be restored: '), 'the refusal', 20000);
  assert.equal(await transmitterName(phone), 'Attic', 'nothing restored');

  await openBackups(phone);
  await restore(saved);
  await until(async () => (await phoneBanner()) === 'The home was restored. The bridge starts again on it.',
    'the restore', 20000);
  // The bridge starts again on the restored home; both pages reconnect to it.
  await until(async () => (await transmitterName(phone)) === nameBefore, 'the name from the backup', 30000);
  await until(async () => (await transmitterName(page)) === nameBefore, 'the first page on the restored home', 30000);
  const status = async (path, init = {}) => (await phone.request.fetch(`${base}${path}`, init)).status();
  assert.equal(await status('/backups/' + download.suggestedFilename()), 200, 'the phone that restored stays paired');
  await openBackups(phone);
  // The list shown before may stand until the bridge's fresh one comes.
  await until(async () => (await phone.locator('#backups .rows li[data-name^="before-restore-"]').count()) >= 1,
    'the home as it was kept as a backup', 30000);
  // A bridge started again while the list shows: the page asks the new one, not keeping the old list.
  await rig.stopBridge();
  copyFileSync(saved, join(rig.dir, 'data', 'backups', 'manual-20270102-030405.tar.gz'));
  await rig.startBridge();
  await until(async () => (await phone.locator('#backups .rows li[data-name="manual-20270102-030405.tar.gz"]').count()) === 1,
    'the list of the bridge started again', 30000);

  // A family device: no backups anywhere, none downloaded or restored.
  const family = await browser.newContext({ viewport });
  const familyPage = await family.newPage();
  await familyPage.goto(rig.pairingLink());
  await familyPage.locator('#channel-211300001231').waitFor();
  assert.equal(await familyPage.locator('#open-backups').isVisible(), false);
  assert.equal((await familyPage.request.get(`${base}/backups/${download.suggestedFilename()}`)).status(), 403);
  const refused = await familyPage.request.post(`${base}/restore`, { data: whole });
  assert.equal(refused.status(), 403);
  assert.equal((await refused.json()).error, 'ownerOnly');

  for (const [locale, title, when] of [['en-GB', 'Backups', /^\d{1,2} [A-Z][a-z]{2} \d{4} \d{2}:\d{2}$/],
    ['zh-CN', '备份', /^\d{4}年\d{1,2}月\d{1,2}日 \d{2}:\d{2}$/]]) {
    const audited = await browser.newContext({ viewport, locale });
    await audited.addCookies(await context.cookies());
    const view = await audited.newPage();
    await view.goto(base);
    await view.locator('#open-devices').waitFor({ state: 'visible' });
    await view.locator('#open-devices').click();
    await view.locator('#open-backups').click();
    await view.locator('#backups .rows li').first().waitFor();
    assert.equal(await view.textContent('#backups-title'), title);
    assert.match(await view.locator('#backups .rows li[data-name] .name').first().textContent(), when, locale);
    await audited.close();
    await auditViews(browser, { context, viewport, locale }, base, [async function backups(on) {
      await on.locator('#open-devices').click();
      await on.locator('#open-backups').click();
      await on.locator('#backups .rows li').first().waitFor();
    }], `backups ${locale}`);
  }
  return 'browser: backup made, downloaded and restored from a phone paired later; damaged file and family refused';
});
