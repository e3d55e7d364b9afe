// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's device management in the browser, and the family member's
// device kept out of it: the owner renames a light and a transmitter,
// removes a curtain (its Edit and Delete shown by a swipe, the removal asked
// first), removes by force a controller the simulator does not answer for
// (the app's question, the app's toast), and sees a unit's detail with its QR
// code; names and IDs follow the app's rules and words; a family member's
// device shows none of it (the bridge's refusal when asked anyway is
// tst_webremote's). Every new view passes axe-core, in English at 360x640
// and in Chinese at 768x1024.
//   node owner.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, goHome, until } from './rig.mjs';

const bin = process.argv[2];
const silent = '211300001232'; // Porch: its controller does not answer
const refusesNames = '212200004560'; // Living room: the master refuses its names

await browserTest(bin, ['--silent-channel', silent, '--fault', `lig:15:${refusesNames}=code:1`], async (rig, browser) => {
  const { base, simulated } = rig;

  // A family member's device (the MQTT request's default): no owner's control.
  const family = await (await browser.newContext({ viewport: { width: 360, height: 640 } })).newPage();
  await family.goto(rig.bridgePairingLink());
  await family.locator('#channel-211300001231').waitFor();
  assert.equal(await family.locator('#open-devices').isHidden(), true, 'no device list for a family member');
  assert.equal(await family.getByRole('button', { name: 'Device Management' }).count(), 0);
  assert.equal(await family.locator('#lights .more, #lights .row-actions').count(), 0, 'no Edit or Delete at home');
  // Help and the installation guide are everyone's: the app's topics, their pictures when opened.
  await family.getByRole('button', { name: 'Help' }).click();
  await family.locator('#help summary').first().waitFor();
  assert.deepEqual(await family.locator('#help summary').allTextContents(), ['Adding lights or curtains',
    'Deleting a device', 'Creating a scenario', 'Editing a scenario', 'Installation Guide']);
  await family.locator('#help summary', { hasText: 'Installation Guide' }).click();
  await until(() => family.locator('#help details[open] img').first()
    .evaluate((img) => img.complete && img.naturalWidth > 0), 'the guide\'s picture');

  for (const [locale, viewport] of [['en-GB', { width: 360, height: 640 }], ['zh-CN', { width: 768, height: 1024 }]]) {
    const english = locale === 'en-GB';
    const word = (en, zh) => (english ? en : zh);
    const context = await browser.newContext({ viewport, locale });
    const page = await context.newPage();
    await page.goto(rig.pairingLink('owner'));
    await page.locator('#channel-211300001231').waitFor();
    await page.getByRole('button', { name: word('Device Management', '设备管理'), exact: true }).click();
    const unit = (id) => page.locator(`#devices li[data-id="${id}"]`);
    // A row's Edit or Delete, shown first by the row's own button (a keyboard's way).
    const rowAction = async (id, action, name) => {
      await unit(id).getByRole('button', { name: `Edit or delete ${name}` }).click();
      await unit(id).getByRole('button', { name: `${action} ${name}`, exact: true }).click();
    };
    const answer = async (button) => {
      await page.locator('#question').waitFor();
      await page.locator('#question').getByRole('button', { name: button }).click();
    };
    await unit('20AA10000001').waitFor();
    await auditViews(browser, { context, viewport, locale }, base, [word('Device Management', '设备管理'),
      async function detail(audited) {
        await audited.locator('#devices li[data-id="212200004560"] .name').click();
        await audited.locator('#detail-code').waitFor();
      },
      async function enrol(audited) {
        await goHome(audited);
        await audited.locator('#open-devices').click();
        await audited.locator('#open-enrol').click();
        await audited.fill('#enrol-id', '2112D0007770');
        await audited.keyboard.press('Enter');
        await audited.locator('#enrol-name-0').waitFor();
      },
      async function help(audited) {
        await goHome(audited);
        await audited.locator('#open-help').click();
        await audited.locator('#help summary').first().click();
      },
      async function naming(audited) {
        await goHome(audited);
        await audited.locator('#open-devices').click();
        await audited.locator('#devices li[data-id="211300001231"] .more').click();
        await audited.locator('#devices li[data-id="211300001231"] .row-actions button').first().click();
        await audited.locator('#rename-name').waitFor();
      }], locale);
    if (!english) {
      await context.close();
      continue;
    }

    // A group folds away under its heading and comes back, as the app's sections.
    const lightsHeading = page.getByRole('button', { name: 'Lighting', exact: true });
    await lightsHeading.click();
    assert.ok(await unit('211300001231').isHidden() && await unit('20AA10000001').isVisible(), 'the lights folded');
    await lightsHeading.click();
    assert.equal(await lightsHeading.getAttribute('aria-expanded'), 'true');

    // Rename a light: through the master, shown once it took the name.
    assert.equal(await unit('211300001231').locator('.row-actions').isHidden(), true,
      'Edit and Delete hidden until asked for');
    await rowAction('211300001231', 'Edit', 'Stairs');
    // As the app's naming screen: the unit's picture beside the field.
    assert.equal(await page.locator('#rename .name-line .device-picture.switch').isVisible(), true, 'the picture');
    await page.fill('#rename-name', 'Hall light');
    await page.keyboard.press('Enter');
    await until(() => simulated('211300001231').name === 'Hall light', 'the master to take the name');
    await until(async () => (await page.textContent('#channel-211300001231 .name')) === 'Hall light', 'the new name');
    // An empty name is not taken: the app's words, and the dialog stays.
    await rowAction('211300001231', 'Edit', 'Hall light');
    await page.fill('#rename-name', '');
    await page.keyboard.press('Enter');
    assert.equal(await page.textContent('#banner'), 'Please input name');
    assert.ok(await page.locator('#rename').evaluate((dialog) => dialog.open));
    // The app's 20 characters: a 21st typed is cut with its words; one pasted too long is said
    // at Done, and the dialog keeps the typed name.
    await page.fill('#rename-name', 'A'.repeat(20));
    await page.keyboard.type('B');
    assert.equal(await page.inputValue('#rename-name'), 'A'.repeat(20));
    assert.equal(await page.textContent('#banner'), 'Maximum 20 bytes');
    assert.ok(await page.locator('#rename #banner').isVisible(), 'told inside the dialog, above its dimmed page');
    // So is one the master's wire cannot carry. An emoji counts two, as the bridge counts it.
    for (const [typed, words] of [['C'.repeat(30), 'Maximum 20 bytes'], ['🌙'.repeat(11), 'Maximum 20 bytes'],
      ['Hall, upstairs', 'A name cannot hold ",", "\\n" or line breaks.']]) {
      await page.fill('#rename-name', ''); // a full field takes nothing typed
      await page.fill('#rename-name', typed);
      await page.getByRole('button', { name: 'Done' }).click();
      assert.ok(await page.locator('#rename').evaluate((dialog) => dialog.open), `${typed}: the dialog stays`);
      assert.equal(await page.inputValue('#rename-name'), typed);
      assert.equal(await page.textContent('#banner'), words);
    }
    assert.equal(simulated('211300001231').name, 'Hall light', 'nothing sent');
    await page.getByRole('button', { name: 'Cancel' }).click();
    // A name the master refuses: the dialog stays until the home has answered, then
    // says so inside it and keeps the typed name to be put right.
    await rowAction(refusesNames, 'Edit', 'Living room');
    await page.fill('#rename-name', 'Lounge');
    await page.getByRole('button', { name: 'Done' }).click();
    const renameDone = page.locator('#rename button[type="submit"]');
    await until(async () => (await renameDone.getAttribute('aria-busy')) === null, 'the home\'s answer', 30000);
    assert.ok(await page.locator('#rename').evaluate((dialog) => dialog.open), 'the dialog stays');
    assert.equal(await page.inputValue('#rename-name'), 'Lounge');
    assert.ok(await page.locator('#rename #banner').isVisible(), 'the refusal told inside the dialog');
    assert.equal(await unit(refusesNames).locator('.name').textContent(), 'Living room');
    // Left by Escape: the focus back on the row's ⋯, its Edit gone with the panel.
    await page.keyboard.press('Escape');
    await until(() => unit(refusesNames).locator('.more').evaluate((more) => more === document.activeElement),
      'the focus on the row\'s ⋯');

    // At home too, as on the app's lighting screen: a swipe across a row shows
    // its Edit and Delete; a drag along a dimmer's slider is no swipe.
    await goHome(page);
    await page.locator('.tile.lighting').click();
    const slider = await page.locator('#channel-212200004560 input[type="range"]').boundingBox();
    const swipe = async (from, to, y) => {
      await page.mouse.move(from, y);
      await page.mouse.down();
      await page.mouse.move(to, y, { steps: 5 });
      await page.mouse.up();
    };
    await swipe(slider.x + slider.width * 0.8, slider.x + slider.width * 0.2, slider.y + slider.height / 2);
    assert.ok(await page.locator('#channel-212200004560 .row-actions').isHidden(), 'the slider dragged, no actions');
    const hallRow = await page.locator('#channel-211300001231').boundingBox();
    // Either way across, as the app's rows: a swipe shows them, the next one hides them.
    const hallEdit = page.getByRole('button', { name: 'Edit Hall light', exact: true });
    await swipe(hallRow.x + 10, hallRow.x + hallRow.width * 0.6, hallRow.y + 20);
    assert.ok(await hallEdit.isVisible(), 'shown by a swipe to the right');
    await swipe(hallRow.x + hallRow.width * 0.6, hallRow.x + 10, hallRow.y + 20);
    assert.ok(await hallEdit.isHidden(), 'hidden by the next swipe');
    await swipe(hallRow.x + hallRow.width * 0.6, hallRow.x + 10, hallRow.y + 20);
    await hallEdit.click();
    assert.equal(await page.inputValue('#rename-name'), 'Hall light');
    await page.getByRole('button', { name: 'Cancel' }).click();
    await page.locator('#open-devices').click();

    // Rename a transmitter: the app's own name, stored at once.
    await unit('20AA10000001').locator('.more').click();
    await unit('20AA10000001').locator('.row-actions button').first().click();
    await page.fill('#rename-name', 'Attic');
    await page.getByRole('button', { name: 'Done' }).click();
    await until(async () => (await unit('20AA10000001').locator('.name').textContent()) === 'Attic', 'the transmitter renamed');

    // Detail: the ID and name as the app shows them, and its QR code.
    await unit('212200004560').locator('.name').click();
    await page.locator('#detail-code').waitFor();
    assert.equal(await page.textContent('#detail-text'), 'ID:212200004560\nName:Living room');
    assert.ok(await page.locator('#detail-code').evaluate((img) => img.complete && img.naturalWidth > 0), 'the code is drawn');
    await page.getByRole('button', { name: 'Back' }).click();

    // Enrol a controller by its typed code: nothing typed and a wrong code first, then its
    // channels named page by page, with the app's reminder.
    await page.locator('#open-enrol').click();
    await page.keyboard.press('Enter');
    assert.equal(await page.textContent('#banner'), 'Please input ID');
    await page.fill('#enrol-id', '1234');
    await page.keyboard.press('Enter');
    await until(async () => (await page.textContent('#banner')) === 'Invalid BarCode', 'the app\'s refusal');
    await page.fill('#enrol-id', '2112D0007770');
    await page.keyboard.press('Enter');
    await page.locator('#enrol-name-0').waitFor();
    // The controller's picture and each channel's, drawn as the home's rows draw a switch, under what it is.
    const pictures = () => page.locator('#enrol-unit .device-picture, #enrol-pages .device-picture')
      .evaluateAll((shown) => shown.map((picture) => picture.className));
    assert.deepEqual(await pictures(), Array(3).fill('device-picture switch'));
    assert.equal(await page.textContent('#enrol-role'), 'Lighting');
    assert.equal(await page.textContent('#enrol-reminder'), 'Reminder Please power on device before connect');
    await page.fill('#enrol-name-0', 'Desk, lamp');
    await page.getByRole('button', { name: 'Next' }).click();
    assert.ok(await page.locator('#enrol-name-1').isVisible(), 'the second channel\'s page');
    // A name refused on another channel's page: that page comes back, its field focused.
    await page.getByRole('button', { name: 'Connect' }).click();
    assert.ok(await page.locator('#enrol-name-0').isVisible(), 'back on the refused name\'s page');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'enrol-name-0');
    await page.fill('#enrol-name-0', 'Desk lamp');
    await page.getByRole('button', { name: 'Next' }).click();
    await page.getByRole('button', { name: 'Connect' }).click();
    await until(async () => (await page.textContent('#banner')) === 'Connection successful', 'the enrolment');
    const enrolled = simulated('2112D0007770') ?? simulated('2112D0007771');
    assert.ok(enrolled, 'the master has the controller');
    await until(() => [simulated('2112D0007770'), simulated('2112D0007771')].some((c) => c?.name === 'Desk lamp'), 'its name');
    // Done goes home, as in the app; the new lamp is listed there and in the device list.
    await page.getByRole('button', { name: 'Done' }).click();
    await until(async () => (await page.locator('#lights li', { hasText: 'Desk lamp' }).count()) === 1, 'at home');
    assert.ok(await page.locator('#lights').isVisible(), 'home after Done');
    await page.locator('#open-devices').click();
    await until(async () => (await page.locator('#devices li', { hasText: 'Desk lamp' }).count()) === 1, 'listed');

    // Remove a curtain (its detail's code photographed first): gone once the master agrees.
    await unit('213100007890').locator('.name').click();
    await page.locator('#detail-code').waitFor();
    // The code as a camera would take it: in the middle of the screen, clear of the banner at its top.
    const photographed = async (locator) => {
      await locator.evaluate((element) => element.scrollIntoView({ block: 'center' }));
      return locator.screenshot();
    };
    const curtainCode = await photographed(page.locator('#detail-code'));
    const noCode = await photographed(page.locator('#detail-text'));
    await page.getByRole('button', { name: 'Back' }).click();
    // A swipe across the row shows its Delete; the removal is asked, and Cancel sends nothing.
    const curtainName = unit('213100007890').locator('.name');
    await curtainName.scrollIntoViewIfNeeded();
    const box = await curtainName.boundingBox();
    const middle = box.y + box.height / 2;
    await page.mouse.move(box.x + box.width - 10, middle);
    await page.mouse.down();
    await page.mouse.move(box.x + 10, middle, { steps: 5 });
    await page.mouse.up();
    assert.equal(await page.locator('#detail').isHidden(), true, 'the swipe opened nothing');
    await unit('213100007890').getByRole('button', { name: 'Delete Bedroom curtain', exact: true }).click();
    assert.equal(await page.textContent('#question-text'), 'Remove "Bedroom curtain" from the home?');
    await answer('Cancel');
    assert.ok(simulated('213100007890'), 'nothing sent on Cancel');
    await unit('213100007890').getByRole('button', { name: 'Delete Bedroom curtain', exact: true }).click();
    await answer('Remove');
    await until(() => !simulated('213100007890'), 'the curtain removed from the master');
    await until(async () => (await unit('213100007890').count()) === 0, 'the curtain gone from the list');

    // Enrolled again from the photo of its code; a photo that is none, and one without a code, say so.
    await page.locator('#open-enrol').click();
    const photo = page.locator('#enrol-photo');
    assert.equal(await photo.getAttribute('capture'), 'environment');
    await photo.setInputFiles({ name: 'code.jpg', mimeType: 'image/jpeg', buffer: Buffer.from('<svg>not a photo</svg>') });
    await until(async () => (await page.textContent('#banner')) === 'Only a JPEG, PNG or WebP photo can be read.', 'not a photo');
    await photo.setInputFiles({ name: 'text.png', mimeType: 'image/png', buffer: noCode });
    await until(async () => (await page.textContent('#banner')) === 'No code could be read in the photo.', 'no code');
    await photo.setInputFiles({ name: 'curtain.png', mimeType: 'image/png', buffer: curtainCode });
    await page.locator('#enrol-name-0').waitFor();
    assert.deepEqual(await pictures(), Array(2).fill('device-picture curtain'));
    assert.equal(await page.textContent('#enrol-role'), 'Curtain');
    await page.fill('#enrol-name-0', 'Bedroom curtain');
    await page.getByRole('button', { name: 'Connect' }).click();
    await until(async () => (await page.textContent('#banner')) === 'Connection successful', 'enrolled from the photo');
    await until(() => simulated('213100007890')?.name === 'Bedroom curtain', 'the master has it again');
    await page.getByRole('button', { name: 'Done' }).click();
    await page.locator('#open-devices').click();

    // A controller that does not answer: the app's question, then forced.
    await rowAction(silent, 'Delete', 'Porch');
    await answer('Remove');
    await until(async () => /控制器无应答/.test(await page.textContent('#question-text')), 'the home\'s question');
    const question = page.locator('#question');
    await question.waitFor();
    assert.match(await page.textContent('#question-text'), /控制器无应答/);
    // Escape is the question's Cancel: the home hears it (and tells the removal's end), and
    // the controller stays.
    const told = await page.textContent('#banner');
    await page.keyboard.press('Escape');
    await until(async () => !['', told].includes(await page.textContent('#banner')), 'the removal declined');
    assert.ok(await question.isHidden());
    assert.equal(await unit(silent).count(), 1, 'kept when declined');
    const deletePorch = unit(silent).getByRole('button', { name: 'Delete Porch', exact: true });
    if (await deletePorch.isHidden()) await unit(silent).getByRole('button', { name: 'Edit or delete Porch' }).click();
    await deletePorch.click();
    await answer('Remove');
    await until(async () => /控制器无应答/.test(await page.textContent('#question-text')) && await question.isVisible(),
      'the home\'s question again');
    await question.getByRole('button', { name: '强制删除' }).click();
    await until(async () => (await page.textContent('#banner')) === 'Force remove the device successful', 'the forced removal');
    await until(() => !simulated(silent), 'the controller forgotten by the master');
    await until(async () => (await unit(silent).count()) === 0, 'gone from the list');
    await context.close();
  }
  return 'browser: roles and the owner\'s device management passed';
});
