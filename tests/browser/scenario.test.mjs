// SPDX-License-Identifier: GPL-3.0-or-later
// Scenarios made on the owner's phone, against the bridge, a real mosquitto
// and the simulator at 360x640, in the app's two steps: the devices, each
// ticked (the simulator is asked its state) and driven to the state it is
// to keep, a dimmer's level with its number and sent once a drag ends,
// their pictures beside "Next" in ticking order (scrolled to the newest);
// then the name and an icon, all by keyboard, "Next" and "Done" in view
// without scrolling; "Done" sends what the app sends: each member joins
// once, in the order ticked, then the name, and nothing is driven again.
// Run (the simulator's states change); edited (nothing driven on opening;
// a member leaves, the name changes: the master forgets that member and
// takes the name); a save the home refuses keeps its step; deleted; All On
// renamed with another icon. The steps in Chinese at 320x568. Scenarios
// made, renamed and deleted and a device renamed with ardentia-ctl reach
// the open page within about a second.
// With 8 scenarios "Maximum 8 scenarios" before the first step. A family
// member's device has no editor and is refused when it asks anyway.
// axe-core on each step.
//   node scenario.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, until } from './rig.mjs';

const bin = process.argv[2];
const [stairs, livingRoom, bedroomCurtain] = ['211300001231', '212200004560', '213100007890'];
const [hall, porch, diningTable] = ['211300001230', '211300001232', '212200004561'];
const kinds = { [hall]: 'switch', [stairs]: 'switch', [porch]: 'switch', [livingRoom]: 'dimmer',
  [diningTable]: 'dimmer', [bedroomCurtain]: 'curtain' };

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

// Whether the element is wholly in the window as it is scrolled now.
const inView = (locator) => locator.evaluate((element) => {
  const box = element.getBoundingClientRect();
  return box.top >= 0 && box.bottom <= innerHeight && box.left >= 0 && box.right <= innerWidth;
});

await browserTest(bin, ['--fault', `lig:13:${porch}=code:1`], async (rig, browser) => {
  const { base, simulated, simulatedScenario, simulatorHeard } = rig;
  // The command lines the simulator received since mark that name that channel.
  const heard = (mark, id) => simulatorHeard().slice(mark).filter((line) => line.includes(id));
  // The changes it received since mark, as "OPERATION CHANNEL" (4 drives, 13
  // joins, 14 leaves a scenario) or "name" (a scenario's naming).
  const changes = (mark) => simulatorHeard().slice(mark).filter((line) => line.startsWith('cfg,'))
    .map((line) => line.split(',')).map((fields) => (fields[1] === 'scename' ? 'name' : `${fields[3]} ${fields[2]}`));
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
  await page.locator(`#channel-${stairs}`).waitFor();
  const member = (id) => page.locator(`#scenario-choose li[data-id="${id}"]`);
  const next = page.locator('#choose-next');
  // The strip's pictures, each as its channel and the picture's kind.
  const stripShows = () => page.locator('#choose-strip li').evaluateAll((items) => items.map((item) =>
    `${item.dataset.id} ${item.querySelector('.device-picture').classList[1]}`));
  const shownAs = (ids) => ids.map((id) => `${id} ${kinds[id]}`);

  // Step one by keyboard: each channel ticked is asked its state; a state chosen drives it.
  await tabTo(page, 'Scenario');
  await page.keyboard.press('Enter');
  await tabTo(page, 'Add Scenario');
  await page.keyboard.press('Enter');
  assert.equal(await page.textContent('#choose-title'), 'Select Devices');
  assert.ok(await inView(next), '"Next" in view without scrolling');
  let mark = simulatorHeard().length;
  await tabTo(page, 'Include Stairs');
  await page.keyboard.press('Space');
  await until(() => heard(mark, stairs).some((line) => line.startsWith('req,')), 'the ticked channel asked its state');
  assert.equal(await member(stairs).getByRole('button', { name: 'Turn off Stairs' }).getAttribute('aria-pressed'), 'true',
    'its present state shown');
  await tabTo(page, 'Turn on Stairs');
  await page.keyboard.press('Enter');
  await until(() => simulated(stairs).on, 'Stairs driven on when ON is chosen');
  assert.equal(await member(stairs).getByRole('button', { name: 'Turn on Stairs' }).getAttribute('aria-pressed'), 'true');
  mark = simulatorHeard().length;
  await tabTo(page, 'Include Living room');
  await page.keyboard.press('Space');
  await until(() => heard(mark, livingRoom).some((line) => line.startsWith('req,')), 'the dimmer asked its state');
  const level = member(livingRoom).locator('output');
  assert.equal(await level.textContent(), '60%', 'the dimmer shows its present level, with its number');
  // A drag sends one level, the one where it ends; the number follows the drag.
  mark = simulatorHeard().length;
  const slider = member(livingRoom).getByRole('slider', { name: 'Living room brightness' });
  const track = await slider.boundingBox();
  assert.ok(track.width > 180, `the slider spans the row at 360 px (${track.width} px)`);
  assert.equal(await page.locator(`#scenario-choose li.member[data-id="${livingRoom}"] .device-picture.dimmer`).count(), 1,
    'the row shows its picture');
  await page.mouse.move(track.x + track.width * 0.6, track.y + track.height / 2);
  await page.mouse.down();
  for (const share of [0.5, 0.3, 0.45, 0.4]) await page.mouse.move(track.x + track.width * share, track.y + track.height / 2, { steps: 4 });
  const chosenLevel = Number(await slider.inputValue());
  assert.equal(await level.textContent(), `${chosenLevel}%`);
  assert.equal(heard(mark, livingRoom).length, 0, 'nothing sent while dragging');
  await page.mouse.up();
  await until(() => simulated(livingRoom).level === chosenLevel, 'the dimmer at the level the drag ended at');
  assert.equal(heard(mark, livingRoom).length, 1, 'one level sent for the drag');
  await tabTo(page, 'Include Bedroom curtain');
  await page.keyboard.press('Space');
  await tabTo(page, 'Open Bedroom curtain');
  await page.keyboard.press('Enter');
  await until(() => simulated(bedroomCurtain).position === 100, 'the curtain opened when Open is chosen');
  assert.equal(await next.textContent(), 'Next(3)');
  assert.ok(await inView(next), '"Next" in view with the list scrolled');
  await tabTo(page, 'Next(3)');
  await page.keyboard.press('Enter');

  // Step two: the name and an icon; Done.
  assert.equal(await page.textContent('#editor-title'), 'Setting Name');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'scenario-name', 'the name field has the focus');
  await page.keyboard.type('Film night');
  await tabTo(page, 'Icon 10'); // the one chosen by default; arrows choose another
  await page.keyboard.press('ArrowLeft');
  const icon = await page.evaluate(() => document.activeElement.value);
  assert.notEqual(icon, 'icon_choose_small_9.png', 'another icon chosen');
  const done = page.locator('#scenario-form button[type="submit"]');
  assert.ok(await inView(done), '"Done" in view');
  await tabTo(page, 'Done');
  mark = simulatorHeard().length;
  await page.keyboard.press('Enter');
  await until(() => simulatedScenario('Film night')?.members.length === 3, 'the master to keep the scenario');
  await until(() => changes(mark).includes('name'), 'the scenario named');
  assert.deepEqual(changes(mark), [`13 ${stairs}`, `13 ${livingRoom}`, `13 ${bedroomCurtain}`, 'name'],
    'each member joins once, as ticked, then the name; none driven again');
  const row = page.locator('#scenarios li.scenario', { hasText: 'Film night' });
  await row.waitFor();
  assert.equal(await row.locator('button.run .picture').getAttribute('class'), `picture icon-${icon.match(/\d/)[0]}`);

  // Run: everything off first, then the scenario puts its states back.
  await page.getByRole('button', { name: 'All Off Mode', exact: true }).click();
  await until(() => !simulated(stairs).on && !simulated(livingRoom).on, 'All Off');
  await page.getByRole('button', { name: 'Film night', exact: true }).click();
  await until(() => simulated(stairs).on && simulated(livingRoom).level === chosenLevel
    && simulated(bedroomCurtain).position === 100, 'the scenario run');

  const steps = [async function selection(audited) {
    await audited.locator('#add-scenario').click();
    await audited.locator(`#include-${stairs}`).check();
    await audited.locator(`#include-${livingRoom}`).check();
    await audited.locator(`#include-${bedroomCurtain}`).check();
  }, async function naming(audited) {
    await audited.locator('#choose-next').click();
  }];
  await auditViews(browser, { context, viewport }, base, ['Scenario', ...steps], 'owner 360x640');

  // Edit: opened with its members in their states, nothing driven; a
  // state changed drives that channel; the curtain leaves, the name changes.
  // Its Edit shows after a swipe to the left across the row, as in the app.
  mark = simulatorHeard().length;
  const edit = page.getByRole('button', { name: 'Edit Film night', exact: true });
  assert.ok(await edit.isHidden(), 'Edit hidden until asked for');
  const box = await row.boundingBox();
  await page.mouse.move(box.x + box.width - 20, box.y + box.height / 2);
  await page.mouse.down();
  await page.mouse.move(box.x + 20, box.y + box.height / 2, { steps: 5 });
  await page.mouse.up();
  assert.deepEqual(changes(mark), [], 'the swipe ran nothing');
  await edit.click();
  for (const id of [stairs, livingRoom, bedroomCurtain]) assert.ok(await page.isChecked(`#include-${id}`), 'its members are ticked');
  assert.deepEqual(await stripShows(), shownAs([stairs, livingRoom, bedroomCurtain]), 'the strip shows them in order');
  assert.equal(await level.textContent(), `${chosenLevel}%`);
  assert.equal(await member(stairs).getByRole('button', { name: 'Turn on Stairs' }).getAttribute('aria-pressed'), 'true');
  await page.waitForTimeout(500);
  assert.deepEqual([stairs, livingRoom, bedroomCurtain].flatMap((id) => heard(mark, id)), [], 'nothing sent on opening');
  await page.uncheck(`#include-${bedroomCurtain}`);
  await member(stairs).getByRole('button', { name: 'Turn off Stairs' }).click();
  await until(() => !simulated(stairs).on, 'Stairs driven off when OFF is chosen');
  assert.equal(await next.textContent(), 'Next(2)');
  await next.click();
  assert.equal(await page.inputValue('#scenario-name'), 'Film night');
  await page.fill('#scenario-name', 'Late film');
  await page.getByRole('button', { name: 'Done' }).click();
  await until(() => simulatedScenario('Late film')?.members.length === 2, 'the member to leave, the name to change');
  await until(() => changes(mark).includes('name'), 'the scenario renamed');
  assert.deepEqual(changes(mark), [`4 ${stairs}`, `13 ${stairs}`, `14 ${bedroomCurtain}`, 'name'],
    'Stairs driven once when chosen, then the changed member joins, the other leaves, the name');
  assert.ok(!simulatedScenario('Late film').members.some((m) => m.id === bedroomCurtain));
  await page.locator('#scenarios li.scenario', { hasText: 'Late film' }).waitFor();

  // A save the home refuses (the simulator answers the Porch's joining with a refusal) leaves
  // the naming step as it was, with the name typed and the devices chosen.
  await page.getByRole('button', { name: 'Add Scenario' }).click();
  await page.locator(`#include-${porch}`).check();
  await next.click();
  await page.fill('#scenario-name', 'Porch glow');
  await page.getByRole('button', { name: 'Done' }).click();
  await until(async () => (await page.textContent('#banner')).startsWith('Setting scenario failed'), 'the refusal told');
  assert.ok(await page.locator('#scenario-editor').isVisible(), 'the naming step stays');
  assert.equal(await page.inputValue('#scenario-name'), 'Porch glow');
  assert.equal(await page.locator('#scenarios li.scenario', { hasText: 'Porch glow' }).count(), 0, 'nothing stored');
  await page.locator('#editor-back').click();
  assert.ok(await page.isChecked(`#include-${porch}`), 'the devices chosen are kept');
  await page.locator('#choose-back').click();

  // No member, no next step: the app's words, in view on a page scrolled down.
  await page.getByRole('button', { name: 'Add Scenario' }).click();
  await page.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
  await next.click();
  assert.equal(await page.textContent('#banner'), 'Please select device');
  assert.ok(await inView(page.locator('#banner')), 'the words in view');
  assert.equal(await page.locator('#scenario-editor').isHidden(), true);

  // The strip left of "Next": the ticked devices' pictures in ticking order,
  // an untick taking out its own; past its room it scrolls, a tick ending it
  // at the newest.
  const strip = page.getByRole('list', { name: 'Chosen devices' });
  let overflowed = false;
  for (const [change, id, shown] of [
    ['check', livingRoom, [livingRoom]],
    ['check', stairs, [livingRoom, stairs]],
    ['check', bedroomCurtain, [livingRoom, stairs, bedroomCurtain]],
    ['uncheck', stairs, [livingRoom, bedroomCurtain]],
    ['check', stairs, [livingRoom, bedroomCurtain, stairs]],
    ['check', hall, [livingRoom, bedroomCurtain, stairs, hall]],
    ['check', porch, [livingRoom, bedroomCurtain, stairs, hall, porch]],
    ['check', diningTable, [livingRoom, bedroomCurtain, stairs, hall, porch, diningTable]],
    ['uncheck', livingRoom, [bedroomCurtain, stairs, hall, porch, diningTable]],
    ['uncheck', porch, [bedroomCurtain, stairs, hall, diningTable]],
  ]) {
    await page.locator(`#include-${id}`)[change]();
    assert.deepEqual(await stripShows(), shownAs(shown), `${change} ${id}`);
    assert.equal(await next.textContent(), `Next(${shown.length})`);
    if (change !== 'check') continue;
    overflowed ||= await strip.evaluate((list) => list.scrollWidth > list.clientWidth);
    await until(() => strip.evaluate((list) => {
      const newest = list.lastElementChild.getBoundingClientRect();
      const room = list.getBoundingClientRect();
      return newest.left >= room.left - 0.5 && newest.right <= room.right + 0.5;
    }), `the newest picture in view after ticking ${id}`);
  }
  assert.ok(overflowed, 'six pictures do not fit at 360 px');
  const [stripBox, nextBox] = [await strip.boundingBox(), await next.boundingBox()];
  assert.ok(stripBox.x + stripBox.width <= nextBox.x, 'the strip is left of "Next"');
  await page.getByRole('button', { name: 'Back' }).click();

  // Delete, asked first.
  await page.getByRole('button', { name: 'Edit or delete Late film' }).click();
  await page.getByRole('button', { name: 'Delete Late film', exact: true }).click();
  assert.equal(await page.textContent('#question-text'), 'Remove "Late film" from the home?');
  await page.locator('#question').getByRole('button', { name: 'Remove' }).click();
  await until(() => !simulatedScenario('Late film')?.members.length, 'every member to leave it on the master');
  await until(async () => (await page.locator('#scenarios li.scenario', { hasText: 'Late film' }).count()) === 0,
    'the scenario gone from the list');
  await until(async () => (await page.textContent('#banner')) === 'Delete scenario successful', 'the app\'s toast');

  // All On renamed and given another icon, as the app's naming screen does:
  // no members to choose; it runs as before under its new name.
  await page.getByRole('button', { name: 'Edit or delete All On Mode' }).click();
  await page.getByRole('button', { name: 'Edit All On Mode', exact: true }).click();
  assert.equal(await page.inputValue('#scenario-name'), 'All On Mode');
  assert.equal(await page.textContent('#editor-title'), 'Change Name');
  assert.equal(await page.locator('#scenario-choose').isHidden(), true, 'no members to choose');
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

  // The steps in Chinese on a small phone: the app's words, the way on in view.
  const small = { width: 320, height: 568 };
  const chinese = await browser.newContext({ viewport: small, locale: 'zh-CN' });
  const zh = await chinese.newPage();
  await zh.goto(rig.pairingLink('owner'));
  await zh.locator(`#channel-${stairs}`).waitFor();
  await zh.getByRole('button', { name: '场景', exact: true }).click();
  await zh.locator('#add-scenario').click();
  assert.equal(await zh.textContent('#choose-title'), '选择设备');
  await zh.getByRole('checkbox', { name: '包含 Living room' }).check();
  await zh.getByRole('checkbox', { name: '包含 Porch' }).check();
  assert.equal(await zh.getByRole('slider', { name: 'Living room亮度' }).count(), 1);
  assert.deepEqual(await zh.locator('#scenario-choose li[data-id="211300001232"] .choice button').allTextContents(), ['开', '关']);
  assert.equal(await zh.textContent('#choose-next'), '下一步(2)');
  assert.equal(await zh.getByRole('list', { name: '已选设备' }).locator('li').count(), 2);
  assert.ok(await inView(zh.locator('#choose-next')), '"Next" in view at 320x568');
  await zh.locator('#choose-next').click();
  assert.equal(await zh.textContent('#editor-title'), '设置名称');
  assert.equal(await zh.textContent('#scenario-form button[type="submit"]'), '完成');
  assert.ok(await inView(zh.locator('#scenario-form button[type="submit"]')), '"Done" in view at 320x568');
  await zh.locator('#scenario-form button[type="submit"]').click();
  assert.equal(await zh.textContent('#banner'), '请输入名称');
  await auditViews(browser, { context: chinese, viewport: small, locale: 'zh-CN' }, base, ['场景', ...steps], 'zh-CN 320x568');

  // Made, renamed and deleted with ardentia-ctl, and a device renamed: the
  // open page follows within about a second, as if done on a page.
  const userRows = async () => (await page.locator('#scenarios li.scenario').count()) - 2;
  const soon = (check, what) => until(check, what, 2500);
  await page.getByRole('button', { name: 'Scenario', exact: true }).click();
  for (let made = await userRows(); made < 8; made += 1) rig.ctl('scenario', 'create', `Extra ${made}`, `${stairs}=on`);
  await soon(async () => (await userRows()) === 8, 'eight scenarios listed');
  const extra = await page.locator('#scenarios li.scenario').last().getAttribute('data-number');
  rig.ctl('scenario', 'rename', extra, 'Encore');
  await soon(async () => (await page.locator('#scenarios li.scenario', { hasText: 'Encore' }).count()) === 1, 'the new name');
  rig.ctl('rename', stairs, 'Staircase');
  await soon(async () => (await page.locator(`#channel-${stairs}`).textContent()).includes('Staircase'), 'the device\'s new name');

  // With 8 scenarios of the user's the limit is told before the first step, as the app's add button does.
  await page.getByRole('button', { name: 'Add Scenario' }).click();
  assert.equal(await page.textContent('#banner'), 'Maximum 8 scenarios');
  assert.equal(await page.locator('#scenario-choose').isHidden(), true, 'no step opened');
  rig.ctl('scenario', 'delete', extra);
  await soon(async () => (await userRows()) === 7, 'the deleted scenario gone');
  return 'browser: scenarios made in the app\'s steps with live driving and the app\'s commands, run, edited and deleted, All On '
    + 'renamed, in both languages, changes made with ardentia-ctl followed, passed';
}, { heard: true });
