// SPDX-License-Identifier: GPL-3.0-or-later
// A scenario's picture taken or chosen on the owner's phone, against the
// bridge, a real mosquitto and the simulator at 360x640: a file that is no
// photo is refused with its message and nothing is made; a photo (drawn
// here) becomes the scenario's picture, shown in the scenario list once the
// home has the scenario, and in the home's strip, which runs it with one
// press. axe-core on the editor with the photo chosen and on the strip.
//   node photo.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, drawnPhoto, until } from './rig.mjs';

const bin = process.argv[2];
const stairs = '211300001231';

await browserTest(bin, [], async (rig, browser) => {
  const { base, simulated, simulatedScenario } = rig;
  const viewport = { width: 360, height: 640 };
  const context = await browser.newContext({ viewport });
  const page = await context.newPage();
  await page.goto(rig.pairingLink('owner'));
  await page.locator(`#channel-${stairs}`).waitFor();

  const photo = await drawnPhoto(page);

  await page.getByRole('button', { name: 'Scenario', exact: true }).click();
  await page.getByRole('button', { name: 'Add Scenario' }).click();
  await page.check(`#include-${stairs}`);
  await page.getByRole('button', { name: 'Turn on Stairs' }).click();
  await page.locator('#choose-next').click();
  await page.fill('#scenario-name', 'Sunset');

  // Not a photo: the message, no photo to choose, nothing sent or stored.
  await page.setInputFiles('#scenario-photo', { name: 'notes.txt', mimeType: 'image/png', buffer: Buffer.from('not a photo') });
  await until(async () => (await page.textContent('#banner')) === 'Only a JPEG, PNG or WebP photo can be read.',
    'the refusal\'s message');
  assert.equal(await page.locator('.icons label.photo-choice').isHidden(), true);

  // Taken now, with the phone's camera (its own button, as the app's "Take Photo").
  assert.equal(await page.getAttribute('#scenario-camera', 'capture'), 'environment');
  await page.locator('#scenario-editor label[for="scenario-camera"]', { hasText: 'Take Photo' }).waitFor();
  await page.setInputFiles('#scenario-camera', { name: 'sunset.jpg', mimeType: 'image/jpeg', buffer: photo });
  await page.locator('.icons label.photo-choice input:checked').waitFor({ state: 'attached' });
  await auditViews(browser, { context, viewport }, base, ['Scenario', async function editorWithPhoto(audited) {
    await audited.getByRole('button', { name: 'Add Scenario' }).click();
    await audited.check(`#include-${stairs}`);
    await audited.locator('#choose-next').click();
    await audited.setInputFiles('#scenario-photo', { name: 'sunset.jpg', mimeType: 'image/jpeg', buffer: photo });
    await audited.locator('.icons label.photo-choice input:checked').waitFor({ state: 'attached' });
  }], 'owner 360x640');
  assert.equal(simulatedScenario('Sunset'), undefined, 'nothing sent before Done');
  await page.getByRole('button', { name: 'Done' }).click();
  await until(() => simulatedScenario('Sunset')?.members.length === 1, 'the master to keep the scenario');
  assert.ok(simulated(stairs).on, 'the member in its state');

  // The list shows the stored photo, served by the bridge.
  const shown = page.locator('#scenarios li.scenario', { hasText: 'Sunset' }).locator('img.picture');
  await shown.waitFor();
  assert.match(await shown.getAttribute('src'), /^\/picture\/[\w-]+\.png$/);
  await until(() => shown.evaluate((image) => image.complete && image.naturalWidth > 0), 'the photo loaded');

  // The home's strip: the scenario's photo, and one press runs it.
  await page.getByRole('button', { name: 'Lighting', exact: true }).click();
  const strip = page.getByRole('button', { name: 'Run Sunset', exact: true });
  await strip.waitFor();
  assert.equal(await strip.locator('img.picture').getAttribute('src'), await shown.getAttribute('src'));
  // "All" first, every scenario, then (an owner's) "Add Scenario".
  const entries = page.locator('#strip li button');
  assert.equal(await entries.count(), await page.locator('#scenarios li.scenario').count() + 2, 'every scenario');
  assert.equal(await entries.first().getAttribute('aria-label'), 'All');
  assert.equal(await entries.last().getAttribute('aria-label'), 'Add Scenario');
  // Under its heading, five entries a page, a dot a page, the dot following a page turned.
  assert.equal(await page.textContent('#strip-title'), 'Commonly used scenarios');
  assert.ok(await entries.count() > 5, 'more than a page');
  const [stripBox, sixth] = [await page.locator('#strip').boundingBox(), await entries.nth(5).boundingBox()];
  assert.ok(sixth.x >= stripBox.x + stripBox.width - 1, 'the sixth entry on the next page');
  assert.equal(await page.locator('#strip-pages span').count(), Math.ceil(await entries.count() / 5));
  await page.locator('#strip').evaluate((list) => list.scrollBy({ left: list.clientWidth }));
  await until(async () => (await page.locator('#strip-pages span').nth(1).getAttribute('class')) === 'shown', 'page 2');
  await page.locator('#strip').evaluate((list) => list.scrollTo({ left: 0 }));
  await page.getByRole('button', { name: 'All Off Mode' }).click();
  await until(() => !simulated(stairs).on, 'All Off');
  // Run more often than any other, it comes first, marked as the one that ran.
  for (const time of [1, 2]) {
    await strip.click();
    await until(() => simulated(stairs).on, `the scenario run from the strip (${time})`);
    await until(async () => (await page.getAttribute('#strip li.active button', 'aria-label')) === 'Run Sunset',
      'the mark on the scenario that ran');
    if (time === 1) {
      await page.getByRole('button', { name: 'Run All Off Mode' }).click();
      await until(() => !simulated(stairs).on, 'All Off again');
    }
  }
  await strip.click();
  await until(async () => (await entries.nth(1).getAttribute('aria-label')) === 'Run Sunset', 'the most used first');
  await entries.first().click();
  await page.locator('#scenarios').waitFor();
  await auditViews(browser, { context, viewport }, base, ['Lighting'], 'owner 360x640 strip');
  return 'browser: a scenario\'s photo refused when it is none, stored, shown and run from the strip passed';
});
