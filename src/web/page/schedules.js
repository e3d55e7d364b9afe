// SPDX-License-Identifier: GPL-3.0-or-later
// The home's schedules: every page lists them with when they run and their
// next run in words (the bridge's, as the app's schedule list writes them,
// in the home's time) and why the home switched one off; an owner's page
// also makes, changes, switches and deletes them (a row's Edit and Delete
// behind a swipe, as the app's other lists have them). The bridge
// checks each change as the command-line tool does and says why it refused
// one; the list follows every change, from anywhere, as the bridge sends it.

import { levelSlider } from './scenarios.js';

// Text typed with a Chinese keyboard's full-width digits and signs, or a
// typographic minus, as the plain characters the rest of the page reads.
const plain = (typed) => typed.trim()
  .replace(/[\uff01-\uff5e]/g, (wide) => String.fromCharCode(wide.charCodeAt(0) - 0xfee0))
  .replace(/\u2212/g, '-');

// A time of day as typed on a phone's number pad ("715", "7:15", "07：15"),
// written as the app writes it: "07:15". Anything else goes as typed, for
// the bridge to say why it is refused.
function clockTime(typed) {
  const parts = /^(\d{1,2})[:.]?(\d{2})$/.exec(plain(typed));
  return parts ? `${parts[1].padStart(2, '0')}:${parts[2]}` : plain(typed);
}

// A date as typed, year first ("20261224", "2026-12-24", "2026/12/24",
// "2026年12月24日"), written as the schedules store it: "2026-12-24". Anything
// else goes as typed, and an impossible date too, for the bridge to refuse.
function calendarDate(typed) {
  const text = plain(typed);
  const parts = /^(\d{4})\s*[-/.年]\s*(\d{1,2})\s*[-/.月]\s*(\d{1,2})\s*日?$/.exec(text)
    ?? /^(\d{4})(\d{2})(\d{2})$/.exec(text);
  return parts ? `${parts[1]}-${parts[2].padStart(2, '0')}-${parts[3].padStart(2, '0')}` : text;
}

// A number as typed ("-30", "+30", "52,52", "−13.4"); NaN when it is none.
function typedNumber(typed) {
  const text = plain(typed);
  return /^[+-]?(\d+([.,]\d*)?|[.,]\d+)$/.test(text) ? Number(text.replace(',', '.')) : NaN;
}

// Tomorrow on this device's calendar, as a new single run's first suggestion.
function tomorrow() {
  const day = new Date();
  day.setDate(day.getDate() + 1);
  const two = (number) => String(number).padStart(2, '0');
  return `${day.getFullYear()}-${two(day.getMonth() + 1)}-${two(day.getDate())}`;
}

export function scheduleManagement({ texts, fill, send, button, showView, tell, ask, scenarioName, swipeRows }) {
  const list = document.querySelector('#schedules .rows');
  const locationLine = document.getElementById('schedules-location');
  const form = document.getElementById('schedule-form');
  const field = (name) => document.getElementById(`schedule-${name}`);
  // The days' names as the app writes them, Monday first.
  const days = [1, 2, 3, 4, 5, 6, 7].map((day) => texts[`day${day}`]);
  let role = 'family';
  let schedules = [];
  let location; // undefined: not told (a family member's page)
  let channels = [];
  let scenarios = [];
  let editing = null; // the schedule being changed (0: a new one); null when the editor is closed
  let waiting = null; // the schedule to save once the location it needs was taken
  const rows = swipeRows();

  // The days' boxes.
  field('days').append(...days.map((name, index) => {
    const label = document.createElement('label');
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.value = String(index + 1);
    label.append(box, name);
    return label;
  }));

  const fill2 = (format, first, second) => fill(format, first).replace('%2', second);

  // A dimmer's level: the app's slider with its number.
  const level = levelSlider(50);
  level.slider.id = 'schedule-level';
  field('level-part').append(level.slider, level.number);

  // The editor's choices, each a group of radios named after it.
  const chosen = (name) => form.querySelector(`input[name="schedule-${name}"]:checked`)?.value ?? '';
  const choose = (name, value) => {
    for (const radio of form.querySelectorAll(`input[name="schedule-${name}"]`)) radio.checked = radio.value === value;
  };
  function option(name, value, text) {
    const label = document.createElement('label');
    const radio = document.createElement('input');
    radio.type = 'radio';
    radio.name = `schedule-${name}`;
    radio.value = value;
    label.append(radio, text);
    return label;
  }

  function row(schedule) {
    const item = document.createElement('li');
    item.className = 'schedule';
    item.dataset.id = schedule.id;
    item.classList.toggle('off', !schedule.enabled);
    const part = (parent, className, text) => {
      const made = document.createElement('span');
      made.className = className;
      made.textContent = text;
      parent.append(made);
      return made;
    };
    const label = part(item, 'label', '');
    // Its name with its state beside it, as the app's list shows them; the
    // next run only while it is on (off, the state says it all).
    const title = part(label, 'title', '');
    part(title, 'name', schedule.name);
    part(title, 'status', schedule.enabled ? texts.scheduleOn : texts.scheduleOff);
    part(label, 'state', `${schedule.whenText} · ${schedule.actionText}`);
    if (schedule.enabled) part(label, 'next', schedule.nextText);
    if (schedule.why) part(label, 'why', schedule.why);
    if (role === 'owner') {
      // Switching stays in sight, a switch without words (its state is the
      // line's, its action the row's); Edit and Delete wait behind a swipe (or the ⋯).
      const toggle = button('', schedule.name, () => send({ type: 'switchSchedule', id: schedule.id, on: !schedule.enabled }));
      toggle.className = 'toggle';
      toggle.setAttribute('role', 'switch');
      toggle.setAttribute('aria-checked', String(schedule.enabled));
      item.append(toggle);
      rows.add(item, schedule.id, schedule.name, [
        button(texts.edit, `${texts.edit} ${schedule.name}`, () => {
          rows.hide(item, schedule.id);
          edit(schedule);
        }),
        button(texts.delete, `${texts.delete} ${schedule.name}`, () => remove(schedule))]);
    }
    return item;
  }

  function showList() {
    if (!schedules.length) {
      const empty = document.createElement('li');
      empty.className = 'empty';
      empty.textContent = texts.noSchedules;
      list.replaceChildren(empty);
    } else {
      list.replaceChildren(...schedules.map(row));
    }
    // Where the home is: an owner's page is told, a family member's is not.
    locationLine.hidden = location === undefined;
    locationLine.textContent = location
      ? fill2(texts.locationIs, location.latitude, location.longitude) : texts.locationNotSet;
  }

  function remove(schedule) {
    ask(fill(texts.deleteScheduleQuestion, schedule.name), [texts.cancel, texts.delete], (index) => {
      if (index === 1) send({ type: 'deleteSchedule', id: schedule.id });
    });
  }

  // The editor's parts that the chosen action and time need, and no others.
  function showParts() {
    const action = chosen('action');
    const when = chosen('when');
    const sun = when === 'sunrise' || when === 'sunset';
    field('on-part').hidden = action !== 'switch';
    field('level-part').hidden = action !== 'dim';
    field('motion-part').hidden = action !== 'curtain';
    field('at-part').hidden = sun;
    field('date-part').hidden = when !== 'once';
    field('offset-part').hidden = !sun;
    field('days').hidden = when === 'once';
    field('location').hidden = !sun;
    // The targets the action takes: scenarios, or the home's channels of that kind.
    const kinds = { switch: ['switch', 'dimmer'], dim: ['dimmer'], curtain: ['curtain'] };
    const targets = action === 'scenario'
      ? scenarios.map((scenario) => [scenario.number, scenarioName(scenario)])
      : channels.filter((channel) => kinds[action].includes(channel.kind)).map((channel) => [channel.id, channel.name]);
    const was = chosen('target');
    field('target').replaceChildren(...targets.map(([value, name]) => option('target', value, name)));
    choose('target', targets.some(([value]) => value === was) ? was : targets[0]?.[0]);
    field('target-label').textContent = action === 'scenario' ? texts.scenario : texts.scheduleDevice;
  }

  function edit(schedule) {
    editing = schedule ?? { id: 0, enabled: true };
    const action = schedule?.action ?? { kind: 'switch', on: true };
    const time = schedule?.time ?? { kind: 'clock', at: '07:00', weekdays: [1, 2, 3, 4, 5, 6, 7] };
    document.getElementById('schedule-editor-title').textContent = schedule ? texts.editSchedule : texts.addSchedule;
    field('name').value = schedule?.name ?? '';
    choose('action', action.kind);
    showParts();
    // A new schedule starts from the first target, not the last one chosen.
    choose('target', action.scenario ?? action.channel ?? field('target').querySelector('input')?.value);
    choose('on', action.on === false ? 'off' : 'on');
    level.set(action.level ?? 50);
    choose('motion', action.motion ?? 'open');
    choose('when', time.kind);
    field('at').value = time.at ?? '07:00';
    field('date').value = time.date ?? tomorrow();
    field('offset').value = String(time.offset ?? 0);
    // A single run has no days: every day, should it become a repeating one.
    const weekdays = time.weekdays ?? [1, 2, 3, 4, 5, 6, 7];
    for (const box of field('days').querySelectorAll('input')) box.checked = weekdays.includes(Number(box.value));
    field('latitude').value = location?.latitude ?? '';
    field('longitude').value = location?.longitude ?? '';
    showParts();
    showView('schedule-editor');
    field('name').focus();
  }

  // The schedule as the form describes it, in the stored form; the bridge judges it.
  function described() {
    const kind = chosen('action');
    const target = chosen('target');
    const action = kind === 'scenario' ? { kind, scenario: target } : { kind, channel: target };
    if (kind === 'switch') action.on = chosen('on') === 'on';
    if (kind === 'dim') action.level = Number(level.slider.value);
    if (kind === 'curtain') action.motion = chosen('motion');
    const when = chosen('when');
    const at = clockTime(field('at').value);
    const weekdays = [...field('days').querySelectorAll('input:checked')].map((box) => Number(box.value));
    // A date or an offset that is not one goes as typed; the bridge says why it is refused.
    const date = calendarDate(field('date').value);
    const typedOffset = field('offset').value;
    const offset = plain(typedOffset) === '' ? 0 : typedNumber(typedOffset);
    const time = when === 'once' ? { kind: when, ...(date ? { date } : {}), at }
      : when === 'clock' ? { kind: when, at, weekdays }
        : { kind: when, offset: Number.isNaN(offset) ? plain(typedOffset) : offset, weekdays };
    return { name: field('name').value.trim(), enabled: editing.enabled, action, time };
  }

  const save = (schedule) => send({ type: 'saveSchedule', ...(editing.id ? { id: editing.id } : {}), schedule });

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const schedule = described();
    const typed = [field('latitude').value, field('longitude').value];
    const [latitude, longitude] = typed.map(typedNumber);
    const given = typed.some((text) => plain(text) !== '');
    if (field('location').hidden || !given || (latitude === location?.latitude && longitude === location?.longitude)) {
      save(schedule);
    } else if (Number.isNaN(latitude) || Number.isNaN(longitude)) {
      // Not a number of degrees: said in the rule's words, and nothing sent.
      tell('error', Number.isNaN(latitude) ? texts.latitudeRule : texts.longitudeRule);
    } else {
      // The location first: the schedule follows once the bridge has taken it.
      waiting = schedule;
      send({ type: 'setLocation', latitude, longitude });
    }
  });
  field('action').addEventListener('change', showParts);
  field('when').addEventListener('change', showParts);
  document.getElementById('schedule-cancel').addEventListener('click', () => {
    editing = null;
    waiting = null;
    showView('schedules');
  });
  document.getElementById('add-schedule').addEventListener('click', () => edit(null));

  return {
    open() {
      showView('schedules');
      send({ type: 'schedules' });
    },
    receive(message) {
      schedules = message.schedules;
      location = message.location;
      showList();
    },
    // A change the bridge made: the editor closes once its schedule is saved.
    done(message) {
      if (message.verb === 'location' && waiting && editing) {
        save(waiting);
        waiting = null;
      } else if (['add', 'edit'].includes(message.verb) && editing) {
        editing = null;
        tell('notice', texts.scheduleSaved);
        showView('schedules');
      } else if (message.verb === 'remove') {
        tell('notice', texts.scheduleDeleted);
      }
    },
    // A refusal: the editor stays as it was, to be put right.
    refused() {
      waiting = null;
    },
    takeHome(home) {
      channels = home.channels;
      scenarios = home.scenarios;
      if (editing) showParts();
      showList();
    },
    takeRole(newRole) {
      role = newRole;
      if (role !== 'owner') editing = null;
      showList();
    },
  };
}
