// SPDX-License-Identifier: GPL-3.0-or-later
// The home's schedules on the page at 360x640: an owner makes one (its next
// run in words), has a date that does not exist refused with the rules'
// reason (nothing made), makes a dimmer's on a date, changes the first to a date and then to sunset (setting the
// home's location on the way), switches it off and deletes it (asked first;
// Edit and Delete behind the row's ⋯ or a swipe, the switch in sight; the
// state beside the name, apart from the action in either language).
// A family device sees the same list and next runs without a control, and is
// refused when it asks for a change anyway. A change made with ardentia-ctl,
// and a channel removed under a schedule (switched off, with why), reach
// every page. When each runs, its days and its date in the app's words
// from the bridge, in English and in Chinese (the editor's days too);
// axe-core on the list and the editor in both languages. The editor's date
// typed year first, its level on the app's slider with its number, degrees
// with a decimal comma, its Cancel and Done in sight at 360 and 320 px.
//   node schedules.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, until } from './rig.mjs';

const bin = process.argv[2];
const porch = '211300001232';
const livingRoom = '212200004560';

// What a page's own WebSocket (closed after, a device has only a few) hears
// back for one request: the first error or change done.
const askDirectly = (page, base, request) => page.evaluate(([url, message]) => new Promise((resolve) => {
  const socket = new WebSocket(url);
  const heard = (answer) => {
    socket.close();
    resolve(answer);
  };
  socket.addEventListener('open', () => socket.send(typeof message === 'string' ? message : JSON.stringify(message)));
  socket.addEventListener('message', (event) => {
    const answer = JSON.parse(event.data);
    if (answer.type === 'error') heard(`${answer.code}: ${answer.message}`);
    if (answer.type === 'scheduleDone') heard(`done ${answer.verb}`);
  });
  setTimeout(() => heard('nothing'), 5000);
}), [base.replace('http', 'ws'), request]);

// The next run's words as the bridge says them, for a run this many hours from now (in this machine's zone).
const pad = (n) => String(n).padStart(2, '0');
function clockIn(hours) {
  const run = new Date(Date.now() + hours * 3600 * 1000);
  const at = `${pad(run.getHours())}:${pad(run.getMinutes())}`;
  return { at, words: `${run.getDate() === new Date().getDate() ? 'Today' : 'Tomorrow'} ${at}` };
}
const months = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec'];
function dateIn(days, at) {
  const run = new Date(Date.now() + days * 24 * 3600 * 1000);
  const year = run.getFullYear() === new Date().getFullYear() ? '' : ` ${run.getFullYear()}`;
  return {
    date: `${run.getFullYear()}-${pad(run.getMonth() + 1)}-${pad(run.getDate())}`,
    words: `${run.getDate()} ${months[run.getMonth()]}${year} ${at}`,
    when: `Once on ${run.getDate()} ${months[run.getMonth()]} ${run.getFullYear()} at ${at}`,
  };
}

// Where the editor's Cancel and Done are out of sight or covered, on a
// phone and a small phone, as the editor opens and scrolled into its middle:
// none, since they keep to the foot of the screen.
async function actionsHidden(page) {
  const hidden = [];
  for (const viewport of [{ width: 360, height: 640 }, { width: 320, height: 568 }]) {
    await page.setViewportSize(viewport);
    for (const scrolled of [0, 0.5]) {
      await page.evaluate((part) => window.scrollTo(0, document.body.scrollHeight * part), scrolled);
      const covered = await page.locator('#schedule-form .step-bar button').evaluateAll((buttons) => buttons
        .filter((button) => {
          const box = button.getBoundingClientRect();
          return box.top < 0 || box.bottom > innerHeight
            || document.elementFromPoint(box.x + box.width / 2, box.y + box.height / 2) !== button;
        }).map((button) => button.textContent));
      hidden.push(...covered.map((name) => `${name} at ${viewport.width} px, ${scrolled * 100}% down`));
    }
  }
  await page.setViewportSize({ width: 360, height: 640 });
  return hidden;
}

await browserTest(bin, [], async (rig, browser) => {
  const { base } = rig;
  const viewport = { width: 360, height: 640 };
  const context = await browser.newContext({ viewport });
  const page = await context.newPage();
  await page.goto(rig.pairingLink('owner'));
  await page.locator(`#channel-${porch}`).waitFor();
  const banner = async () => ((await page.locator('#banner').isHidden()) ? '' : page.textContent('#banner'));
  const rows = page.locator('#schedules .rows li.schedule');
  const row = (name) => page.locator('#schedules .rows li.schedule', { has: page.locator('.name', { hasText: name }) });
  // The editor's choices are the app's: radios drawn as its controls.
  const choose = (name, value, on = page) => on.locator(`input[name="schedule-${name}"][value="${value}"]`).check();

  // Reached from the menu; none yet.
  await page.getByRole('button', { name: 'Schedules', exact: true }).click();
  await until(async () => (await page.textContent('#schedules .rows')) === 'No schedules yet', 'the empty list');
  assert.equal(await page.textContent('#schedules-location'), "The home's location is not set.");

  // Made: a light switched on at a time of day, every day.
  const first = clockIn(3);
  await page.getByRole('button', { name: 'Add schedule', exact: true }).click();
  assert.deepEqual(await actionsHidden(page), []);
  await page.locator('#schedule-name').fill('Porch light');
  await choose('action', 'switch');
  await choose('target', porch);
  await choose('on', 'on');
  await choose('when', 'clock');
  // Typed on a phone's number pad, without the colon: kept on the 24-hour clock.
  await page.locator('#schedule-at').fill(first.at.replace(':', ''));
  await page.getByRole('button', { name: 'Done', exact: true }).click();
  await until(async () => (await rows.count()) === 1, 'the schedule listed');
  assert.equal(await banner(), 'Schedule saved');
  assert.equal(await page.locator('#schedules').isVisible(), true, 'back to the list');
  assert.equal(await row('Porch light').locator('.next').textContent(), first.words);
  assert.equal(await row('Porch light').locator('.state').textContent(), `${first.at}, every day · Porch on`);
  // Its state beside its name, as the app's list has it; its switch in sight,
  // without words; its Edit and Delete behind a swipe, or its ⋯ (a keyboard's way in).
  const toggle = (name, on = page) => on.getByRole('switch', { name, exact: true });
  const status = (name) => row(name).locator('.status').textContent();
  assert.equal(await status('Porch light'), 'On');
  assert.equal(await toggle('Porch light').getAttribute('aria-checked'), 'true');
  const shown = async (name) => (await row(name).getByRole('button').filter({ visible: true }).allTextContents());
  assert.deepEqual(await shown('Porch light'), ['⋯']);
  const revealed = async (name) => {
    await row(name).getByRole('button', { name: `Edit or delete ${name}`, exact: true }).press('Enter');
    return row(name);
  };

  // A dimmer's level on the app's slider with its number; a date typed year
  // first in any of a phone's ways. One that does not exist is refused by the
  // rules: the reason shown, the editor kept, nothing made.
  const nextYear = new Date().getFullYear() + 1;
  await page.getByRole('button', { name: 'Add schedule', exact: true }).click();
  await page.locator('#schedule-name').fill('Dim');
  await choose('action', 'dim');
  await choose('target', livingRoom);
  assert.equal(await page.textContent('#schedule-level-part output'), '50%');
  await page.getByLabel('Level (0 to 100 %)').evaluate((slider) => {
    slider.value = '40';
    slider.dispatchEvent(new Event('input', { bubbles: true }));
  });
  assert.equal(await page.textContent('#schedule-level-part output'), '40%', 'the number follows the knob');
  await choose('when', 'once');
  await page.locator('#schedule-date').fill(`${nextYear}/2/30`);
  // Done pressed at the form's end: the refusal shows in sight, over the form's top.
  await page.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
  await page.getByRole('button', { name: 'Done', exact: true }).click();
  await until(async () => (await banner()) === `There is no date ${nextYear}-02-30 (year-month-day).`, 'the refusal');
  assert.equal(await page.locator('#banner').evaluate((shown) => shown.getBoundingClientRect().top), 0, 'in sight');
  assert.equal(await page.locator('#schedule-editor').isVisible(), true, 'the editor stays');
  assert.equal(await rows.count(), 1, 'nothing made');
  const dimDay = dateIn(20, '07:00');
  await page.locator('#schedule-date').fill(dimDay.date.replaceAll('-', ''));
  await page.getByRole('button', { name: 'Done', exact: true }).click();
  await until(async () => (await rows.count()) === 2, 'the level saved');
  assert.equal(await row('Dim').locator('.state').textContent(), `${dimDay.when} · Living room to 40%`);
  rig.ctl('schedule', 'remove', await row('Dim').getAttribute('data-id'));
  await until(async () => (await rows.count()) === 1, 'gone again');

  // Changed to a single run on a date, then to sunset with the home's location given on the way.
  const once = dateIn(10, '08:15');
  await (await revealed('Porch light')).getByRole('button', { name: 'Edit Porch light', exact: true }).click();
  assert.equal(await page.locator('#schedule-name').inputValue(), 'Porch light');
  await choose('when', 'once');
  await page.locator('#schedule-date').fill(once.date);
  await page.locator('#schedule-at').fill('08:15');
  await page.getByRole('button', { name: 'Done', exact: true }).click();
  await until(async () => (await row('Porch light').locator('.next').textContent()) === once.words, 'the date');
  assert.equal(await row('Porch light').locator('.state').textContent(), `${once.when} · Porch on`);

  await (await revealed('Porch light')).getByRole('button', { name: 'Edit Porch light', exact: true }).click();
  await choose('when', 'sunset');
  assert.equal(await page.locator('#schedule-location').isVisible(), true, 'the location asked for');
  await page.locator('#schedule-offset').fill('-30');
  // Degrees that are no number are said in the rule's words, and nothing is sent.
  const latitude = page.getByLabel('Latitude in degrees (north +, south -)');
  await latitude.fill('52°N');
  await page.getByLabel('Longitude in degrees (east +, west -)').fill('13.405');
  await page.getByRole('button', { name: 'Done', exact: true }).click();
  assert.equal(await banner(), 'The latitude must be from -90 (south) to 90 (north) degrees.');
  assert.equal(await page.textContent('#schedules-location'), "The home's location is not set.");
  // A decimal comma, as many phones' keyboards give it.
  await latitude.fill('52,52');
  await page.getByRole('button', { name: 'Done', exact: true }).click();
  await until(async () => /^(Today|Tomorrow|\w+day) \d\d:\d\d, 30 min before sunset$/
    .test(await row('Porch light').locator('.next').textContent()), 'the sunset run');
  assert.equal(await page.textContent('#schedules-location'), "The home's location: 52.52, 13.405");
  assert.equal(await row('Porch light').locator('.state').textContent(), '30 min before sunset, every day · Porch on');

  // A family device: the same list and next runs, no controls; refused when it asks anyway.
  const familyContext = await browser.newContext({ viewport });
  const family = await familyContext.newPage();
  await family.goto(rig.pairingLink());
  await family.locator(`#channel-${porch}`).waitFor();
  await family.getByRole('button', { name: 'Schedules', exact: true }).click();
  const familyRow = family.locator('#schedules .rows li.schedule');
  await familyRow.first().waitFor();
  assert.equal(await familyRow.locator('.next').textContent(), await row('Porch light').locator('.next').textContent());
  assert.equal(await familyRow.locator('button').count(), 0, 'no controls');
  assert.equal(await family.locator('#add-schedule').isHidden(), true);
  assert.equal(await family.locator('#schedules-location').isHidden(), true, "the home's location is the owner's");
  const id = Number(await row('Porch light').getAttribute('data-id'));
  assert.equal(await askDirectly(family, base, { type: 'deleteSchedule', id }),
    'ownerOnly: ');
  assert.equal(await askDirectly(family, base, { type: 'setLocation', latitude: 0, longitude: 0 }), 'ownerOnly: ');
  assert.equal(await rows.count(), 1, 'nothing removed');

  // Hostile requests from the owner's device: refused with a reason, nothing changed.
  for (const [request, answer] of [
    ['{"type":"saveSchedule",', 'badRequest: not a request'],
    [{ type: 'switchSchedule', id, on: 'yes' }, 'badRequest: a schedule is switched on or off'],
    [{ type: 'deleteSchedule', id: 1e300 }, 'badRequest: no such schedule'],
    [{ type: 'saveSchedule', schedule: { name: 'x'.repeat(2000), enabled: true, action: { kind: 'switch', channel: porch, on: true },
      time: { kind: 'clock', at: '07:00', weekdays: [1] } } }, "scheduleRefused: A schedule's name has at most 40 characters."],
    [{ type: 'saveSchedule', schedule: { name: 'Huge', enabled: true, action: { kind: 'dim', channel: livingRoom, level: 1e308 },
      time: { kind: 'clock', at: '07:00', weekdays: [1] } } }, "scheduleRefused: The schedule's level is missing or not understood."],
    [{ type: 'saveSchedule', schedule: { name: 'Early', enabled: true, action: { kind: 'switch', channel: porch, on: true },
      time: { kind: 'sunrise', offset: 240, weekdays: [1] } } },
    'scheduleRefused: The offset from sunrise or sunset is at most 3 hours (180 minutes) either way, not 240 minutes.'],
    [{ type: 'deleteSchedule', id: id + 50 }, `scheduleRefused: The home has no schedule ${id + 50}.`],
  ]) assert.equal(await askDirectly(page, base, request), answer, JSON.stringify(request).slice(0, 60));
  assert.equal(await rows.count(), 1, 'nothing changed');

  // Switched off: its state says so, with no next run; the family's page follows.
  await toggle('Porch light').click();
  await until(async () => (await status('Porch light')) === 'Off', 'switched off');
  assert.equal(await toggle('Porch light').getAttribute('aria-checked'), 'false');
  assert.equal(await row('Porch light').locator('.next').count(), 0);
  await until(async () => (await familyRow.locator('.status').textContent()) === 'Off', 'the family page follows');

  // Made with ardentia-ctl: on every page within seconds.
  rig.ctl('schedule', 'add', 'Night', 'at', '23:59', 'days', 'mon-fri', 'switch', porch, 'off');
  await until(async () => (await rows.count()) === 2, 'the schedule from the command line', 3000);
  await until(async () => (await familyRow.count()) === 2, 'on the family page too', 3000);
  assert.equal(await row('Night').locator('.state').textContent(), '23:59, Mon–Fri · Porch off');

  // Deleted, its Delete shown by a swipe to the left across the row: asked first; Cancel keeps it.
  await revealed('Night');
  const across = await row('Porch light').locator('.label').boundingBox();
  await page.mouse.move(across.x + across.width - 10, across.y + across.height / 2);
  await page.mouse.down();
  await page.mouse.move(across.x + 10, across.y + across.height / 2, { steps: 5 });
  await page.mouse.up();
  assert.deepEqual(await shown('Porch light'), ['⋯', 'Edit', 'Delete']);
  assert.deepEqual(await shown('Night'), ['⋯'], 'one row open at a time');
  await row('Porch light').getByRole('button', { name: 'Delete Porch light', exact: true }).click();
  assert.equal(await page.textContent('#question-text'), 'Delete the schedule "Porch light"?');
  await page.locator('#question').getByRole('button', { name: 'Cancel', exact: true }).click();
  assert.equal(await rows.count(), 2, 'kept on Cancel');
  await row('Porch light').getByRole('button', { name: 'Delete Porch light', exact: true }).click();
  await page.locator('#question').getByRole('button', { name: 'Delete', exact: true }).click();
  await until(async () => (await rows.count()) === 1, 'deleted');
  await until(async () => (await familyRow.count()) === 1, 'gone from the family page');

  // Its channel removed from the home: gone from every page, the schedule
  // switched off by the home, which says why.
  rig.ctl('remove', porch);
  await until(async () => (await family.locator(`#channel-${porch}`).count()) === 0, 'the channel gone', 3000);
  await until(async () => (await row('Night').locator('.why').count()) === 1, 'the reason', 3000);
  assert.equal(await row('Night').locator('.why').textContent(),
    `Switched off: its channel ${porch} was removed from the home.`);
  assert.equal(await status('Night'), 'Off');

  // In Chinese: the page's own words and the bridge's.
  const chinese = await browser.newContext({ viewport, locale: 'zh-CN' });
  await chinese.addCookies(await context.cookies());
  const zh = await chinese.newPage();
  await zh.goto(base);
  await zh.locator('#open-schedules').click();
  await zh.locator('#schedules .rows li.schedule .why').waitFor();
  assert.equal(await zh.textContent('#schedules-title'), '定时');
  // Its state in the app's word, apart from its action's (the same word in
  // Chinese) and from the switch, which has none; a channel gone from the home by its ID.
  assert.equal(await zh.textContent('#schedules .rows li.schedule .status'), '关闭');
  assert.equal(await zh.textContent('#schedules .rows li.schedule .state'), `周一至周五 23:59 · 关闭 ${porch}`);
  assert.equal(await toggle('Night', zh).textContent(), '');
  assert.equal(await zh.locator('#schedules .rows li.schedule .next').count(), 0);
  assert.deepEqual(await zh.locator('#schedule-days label').allTextContents(),
    ['周一', '周二', '周三', '周四', '周五', '周六', '周日']);
  // The editor in the app's words and its 24-hour clock, not the browser's selects and "AM".
  await zh.locator('#add-schedule').click();
  assert.deepEqual(await actionsHidden(zh), []);
  assert.equal(await zh.inputValue('#schedule-at'), '07:00');
  // A date written the Chinese way, refused in Chinese when there is none such.
  await zh.locator('input[name="schedule-when"][value="once"]').check();
  await zh.locator('#schedule-date').fill(`${nextYear}年2月30日`);
  await zh.getByRole('button', { name: '完成', exact: true }).click();
  await until(async () => (await zh.textContent('#banner')) === `没有 ${nextYear}-02-30 这个日期（年-月-日）。`,
    'the refusal in Chinese');
  assert.equal(await zh.locator('#schedule-editor select, #schedule-editor input[type="time"]').count(), 0);
  await chinese.close();

  for (const locale of ['en-GB', 'zh-CN']) {
    await auditViews(browser, { context, viewport, locale }, base, [async function schedules(on) {
      await on.locator('#open-schedules').click();
      await on.locator('#schedules .rows li').first().waitFor();
    }, async function scheduleEditor(on) {
      await on.locator('#add-schedule').click();
      await choose('when', 'sunrise', on);
    }], `schedules ${locale}`);
  }
  return 'browser: schedules made, refused, changed, switched off and deleted by an owner; family refused; CLI changes followed';
});
