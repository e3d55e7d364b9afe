// SPDX-License-Identifier: GPL-3.0-or-later
// Scenarios made on the owner's phone, against the bridge, a real mosquitto
// and the simulator at 360x640: a scenario of three channels with an icon,
// made by keyboard alone; run (the simulator's states change); edited (a
// member leaves, the name changes: the master forgets that member and takes
// the name); deleted; All On renamed with another icon. A family member's device has no editor and is refused
// when it asks anyway. axe-core on the owner's scenario list and editor.
//   node scenario.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, until } from './rig.mjs';

const bin = process.argv[2];
const [stairs, livingRoom, bedroomCurtain] = ['211300001231', '212200004560', '213100007890'];

// Presses Tab until the focus is on the control of that accessible name (at most 80 stops).
async function tabTo(page, name) {
  for (let stop = 0; stop < 80; stop += 1) {
    await page.keyboard.press('Tab');
    const focused = await page.evaluate(() => {
      const element = document.activeElement;
      return element.getAttribute('aria-label') || element.labels?.[0]?.textContent || element.textContent.trim();
    });
    if (focused === name) return;
  }
  throw new Error(`"${name}" cannot be reached with the Tab key`);
}

await browserTest(bin, [], async (rig, browser) => {
  const { base, simulated, simulatedScenario } = rig;
  const viewport = { width: 360, height: 640 };

  // A family member's phone: no editor, and the bridge refuses a scenario all the same.
  const family = await (await browser.newContext({ viewport })).newPage();
  await family.goto(rig.pairingLink());
  await family.locator('#channel-211300001231').waitFor();
  await family.getByRole('button', { name: 'Scenario', exact: true }).click();
  assert.equal(await family.locator('#add-scenario').isHidden(), true);
  assert.equal(await family.locator('#scenarios li.scenario button:not(.run)').count(), 0, 'no edit or delete');
  const refused = await family.evaluate((url) => new Promise((resolve) => {
    const socket = new WebSocket(url);
    socket.addEventListener('open', () => socket.send(JSON.stringify({ type: 'saveScenario', number: '', name: 'Sneaky',
      image: 'icon_choose_small_2.png', members: [{ id: '211300001231', state: 'ON' }] })));
    socket.addEventListener('message', (event) => {
      const message = JSON.parse(event.data);
      if (message.type === 'error') resolve(message.code);
    });
  }), base.replace('http', 'ws'));
  assert.equal(refused, 'ownerOnly');
  assert.equal(simulatedScenario('Sneaky'), undefined);

  const context = await browser.newContext({ viewport });
  const page = await context.newPage();
  await page.goto(rig.pairingLink('owner'));
  await page.locator('#channel-211300001231').waitFor();

  // Made by keyboard alone: name, icon, three channels and their states, Done.
  await tabTo(page, 'Scenario');
  await page.keyboard.press('Enter');
  await tabTo(page, 'Add Scenario');
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'scenario-name', 'the name field has the focus');
  await page.keyboard.type('Film night');
  await tabTo(page, 'Icon 10'); // the one chosen by default; arrows choose another
  await page.keyboard.press('ArrowLeft');
  const icon = await page.evaluate(() => document.activeElement.value);
  assert.notEqual(icon, 'icon_choose_small_9.png', 'another icon chosen');
  await tabTo(page, 'Include Stairs');
  await page.keyboard.press('Space');
  await tabTo(page, 'Include Living room');
  await page.keyboard.press('Space');
  await tabTo(page, 'Living room brightness');
  await page.keyboard.press('Home');
  for (let step = 0; step < 40; step += 1) await page.keyboard.press('ArrowRight');
  await tabTo(page, 'Include Bedroom curtain');
  await page.keyboard.press('Space');
  await tabTo(page, 'Done');
  await page.keyboard.press('Enter');
  await until(() => simulatedScenario('Film night')?.members.length === 3, 'the master to keep the scenario');
  const row = page.locator('#scenarios li.scenario', { hasText: 'Film night' });
  await row.waitFor();
  assert.equal(await row.locator('button.run .picture').getAttribute('class'), `picture icon-${icon.match(/\d/)[0]}`);
  assert.equal(simulated(livingRoom).level, 40, 'the dimmer was driven to its level');

  // Run: everything off first, then the scenario puts its states back.
  await page.getByRole('button', { name: 'All Off Mode', exact: true }).click();
  await until(() => !simulated(stairs).on && !simulated(livingRoom).on, 'All Off');
  await page.getByRole('button', { name: 'Film night', exact: true }).click();
  await until(() => simulated(stairs).on && simulated(livingRoom).level === 40
    && simulated(bedroomCurtain).position === 100, 'the scenario run');

  await auditViews(browser, { context, viewport }, base, ['Scenario', async function editor(audited) {
    await audited.getByRole('button', { name: 'Edit Film night' }).click();
    await audited.locator('#scenario-name').waitFor();
  }], 'owner 360x640');

  // Edit: the curtain leaves, the name changes.
  await page.getByRole('button', { name: 'Edit Film night' }).click();
  assert.equal(await page.inputValue('#scenario-name'), 'Film night');
  assert.ok(await page.isChecked('#include-213100007890'), 'its members are chosen');
  await page.uncheck('#include-213100007890');
  await page.fill('#scenario-name', 'Late film');
  await page.getByRole('button', { name: 'Done' }).click();
  await until(() => simulatedScenario('Late film')?.members.length === 2, 'the member to leave, the name to change');
  assert.ok(!simulatedScenario('Late film').members.some((m) => m.id === bedroomCurtain));
  await page.locator('#scenarios li.scenario', { hasText: 'Late film' }).waitFor();

  // No member, no scenario: the app's words.
  await page.getByRole('button', { name: 'Add Scenario' }).click();
  await page.fill('#scenario-name', 'Empty');
  await page.getByRole('button', { name: 'Done' }).click();
  assert.equal(await page.textContent('#banner'), 'Please select device');
  await page.getByRole('button', { name: 'Cancel' }).click();

  // Delete, asked first.
  await page.getByRole('button', { name: 'Delete Late film' }).click();
  assert.equal(await page.textContent('#question-text'), 'Remove "Late film" from the home?');
  await page.locator('#question').getByRole('button', { name: 'Remove' }).click();
  await until(() => !simulatedScenario('Late film')?.members.length, 'every member to leave it on the master');
  await until(async () => (await page.locator('#scenarios li.scenario', { hasText: 'Late film' }).count()) === 0,
    'the scenario gone from the list');
  await until(async () => (await page.textContent('#banner')) === 'Delete scenario successful', 'the app\'s toast');

  // All On renamed and given another icon, as the app's naming screen does:
  // no members to choose; it runs as before under its new name.
  await page.getByRole('button', { name: 'Edit All On Mode' }).click();
  assert.equal(await page.inputValue('#scenario-name'), 'All On Mode');
  assert.equal(await page.locator('#scenario-form .members').isHidden(), true, 'no members to choose');
  await page.fill('#scenario-name', 'Everything on');
  await page.locator('#scenario-form .icons input').nth(2).check();
  await page.getByRole('button', { name: 'Done' }).click();
  const renamed = page.getByRole('button', { name: 'Everything on', exact: true });
  await renamed.waitFor();
  assert.equal(await renamed.locator('.picture').getAttribute('class'), 'picture icon-2');
  await page.getByRole('button', { name: 'All Off Mode', exact: true }).click();
  await until(() => !simulated(stairs).on, 'All Off again');
  await renamed.click();
  await until(() => simulated(stairs).on, 'the renamed All On run');
  return 'browser: scenarios made by keyboard, run, edited and deleted, All On renamed by the owner passed';
});
