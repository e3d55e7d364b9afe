// SPDX-License-Identifier: GPL-3.0-or-later
// A slave transmitter enrolled from the owner's page, against the bridge, a
// real mosquitto and the simulator's new installation (its master enrolled,
// a second transmitter not yet) at 360x640: the page decodes the
// transmitter's code and shows it as the app's transmitter screen does;
// "Connect" makes it the master's slave, the page says "Connection
// successful", and the device list shows it once the master's configuration
// is imported. The master's code again: "This Transmitter has been added";
// with the master silent, the app's "Network connection failed" and "Retry",
// which connects once it answers. The scanner's prompt by what the home has
// (a transmitter first, then devices). axe-core on the scanned transmitter's
// view and its outcome.
//   node transmitter.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, until } from './rig.mjs';

const bin = process.argv[2];
const master = '20AA10000001';
const slave = '20AA10000002';

await browserTest(bin, [], async (rig, browser) => {
  const { base, simulatedTransmitter } = rig;
  const viewport = { width: 360, height: 640 };
  const context = await browser.newContext({ viewport });
  const page = await context.newPage();
  await page.goto(rig.pairingLink('owner'));
  await page.locator('#lights .rows li').first().waitFor();
  await page.getByRole('button', { name: 'Device Management', exact: true }).click();
  const listed = (id) => page.locator(`#devices li[data-id="${id}"]`);
  await listed(master).waitFor();
  assert.equal(await listed(slave).count(), 0, 'only the master so far');
  assert.equal(simulatedTransmitter(slave).role, 'none');

  // The transmitter's code: the app's screen for it, nothing to name. The
  // scanner's prompt is the app's: with a transmitter in the home, its devices.
  const prompt = async () => page.textContent('#enrol-prompt');
  const enterCode = async (code) => {
    await page.locator('#open-enrol').click();
    await until(async () => (await prompt()) === 'Please scan the Device', 'the device prompt');
    await page.fill('#enrol-id', code);
    await page.keyboard.press('Enter');
    await page.locator('#enrol-names').waitFor();
  };
  await enterCode(slave);
  assert.equal(await page.textContent('#enrol-title'), 'Scanned Transmitter');
  assert.equal(await page.textContent('#enrol-summary'), 'Model:ZEVO-20AA\nWireless Transmitter');
  assert.equal(await page.locator('#enrol-pages input').count(), 0);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'enrol-title', 'no field: the focus on the step');
  // Its picture as the device list draws a transmitter's, the master's framed apart.
  const picture = () => page.locator('#enrol-unit .device-picture').getAttribute('class');
  assert.equal(await picture(), 'device-picture transmitter');
  assert.equal(await page.textContent('#enrol-role'), 'Slave Transmitter');

  // Connected: the master takes it as its slave, and the list shows it once
  // the master's configuration (which has it now) is imported.
  await page.getByRole('button', { name: 'Connect' }).click();
  const outcome = page.locator('#enrol-outcome');
  await until(async () => (await outcome.textContent()) === 'Connection successful', 'the enrolment');
  assert.equal(simulatedTransmitter(slave).role, 'slave', 'the master took it as its slave');
  // Done goes home, as the app's transmitter screen does.
  await page.getByRole('button', { name: 'Done' }).click();
  await page.locator('#lights').waitFor();
  await page.locator('#open-devices').click();
  await until(async () => (await listed(slave).count()) === 1, 'the new transmitter in the device list');
  assert.equal(await listed(master).count(), 1);

  // The master's code again, while it does not answer: the app's note that it
  // is there already, then its transmitter failure and "Retry"; retried once
  // it answers, connected.
  await enterCode(master);
  await until(async () => (await page.textContent('#banner')) === 'This Transmitter has been added', 'the note');
  assert.equal(await picture(), 'device-picture master');
  assert.equal(await outcome.isHidden(), true, 'no outcome before connecting');
  rig.silenceMaster();
  await page.getByRole('button', { name: 'Connect' }).click();
  await until(async () => (await outcome.textContent()) === 'Network connection failed', 'the failure', 20000);
  rig.wakeMaster();
  await page.getByRole('button', { name: 'Retry' }).click();
  await until(async () => (await outcome.textContent()) === 'Connection successful', 'connected on retry', 20000);
  assert.equal(simulatedTransmitter(master).role, 'master');

  await auditViews(browser, { context, viewport }, base, [async function scannedTransmitter(audited) {
    await audited.locator('#open-devices').click();
    await audited.locator('#open-enrol').click();
    await audited.fill('#enrol-id', master);
    await audited.keyboard.press('Enter');
    await audited.locator('#enrol-names').waitFor();
  }, async function connected(audited) {
    await audited.getByRole('button', { name: 'Connect' }).click();
    await audited.locator('#enrol-outcome.good').waitFor();
  }], 'owner 360x640');
  // A home emptied: the scanner asks for a transmitter first.
  rig.ctl('clean-all');
  await page.getByRole('button', { name: 'Add More' }).click();
  await until(async () => (await prompt()) === 'Please scan the transmitter first', 'the transmitter prompt');
  return 'browser: a slave transmitter enrolled from the page, the master\'s code again (failed while silent, retried) passed';
}, { demo: false, replyWait: 3 }); // a silent master found in 3 s instead of the home's 10
